#include "DataFileRequests.h"

#include "host/devices/MemBlockMan.h"
#include "host/formats/CsvFile.h"
#include "host/formats/DataFile.h"
#include "host/formats/DiademFile.h"
#include "host/formats/FamosFile.h"
#include "host/formats/MatFile4.h"
#include "host/formats/MemoryBlockData.h"
#include "win/PinnedPath.h"
#include "win/TextConvert.h"

#include <cstdio>

namespace {

using Outcome = DataFileRequests::Outcome;

std::string Utf8(const wchar_t* text) { return text ? win::WideToUtf8(text) : std::string("(none)"); }

Outcome Refused(const std::string& why) { return Outcome{false, "refused: " + why}; }

// "WAVE0001" of "D:\data\WAVE0001.FSD".
std::wstring BaseName(const std::wstring& path)
{
    std::size_t slash = path.find_last_of(L"\\/:");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

std::wstring ExtensionOf(const std::wstring& path)
{
    std::size_t slash = path.find_last_of(L"\\/:");
    std::size_t dot = path.rfind(L'.');
    return dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash) ? std::wstring() : path.substr(dot);
}

}  // namespace

bool DataFileRequests::ReadMemoryBlock(long long blockIndex, formats::RecordedData& data, std::string& error)
{
    CMemBlockMan memory;
    if (blockIndex < 0 || blockIndex >= memory.GetNumBlocks()) {
        error = "no memory block " + std::to_string(blockIndex + 1);
        return false;
    }
    return formats::ReadMemoryBlock(memory, static_cast<int>(blockIndex), data, error);
}

bool DataFileRequests::ReadRecordedFile(const wchar_t* source, formats::RecordedData& data, std::string& error)
{
    if (!source || !*source) {
        error = "no source file";
        return false;
    }
    formats::DataFileKind kind;
    if (!formats::DataFileKindFromExtension(ExtensionOf(source), kind)) {
        error = "not a recorded data file: " + Utf8(source);
        return false;
    }
    std::optional<win::PinnedPath> file = win::PinnedPath::Make(source, win::PinnedPath::Use::Read, error);
    if (!file)
        return false;
    std::string why;
    if (!formats::ReadDataFile(file->Path(), data, &why)) {
        error = Utf8(source) + ": " + file->Shown(why);
        return false;
    }
    return true;
}

DataFileRequests::Outcome DataFileRequests::SaveMemoryBlock(long long blockIndex, const wchar_t* destination,
                                                            DWORD format)
{
    if (format != 0 && format != 1)
        return Refused("unknown format " + std::to_string(format));
    if (!destination || !*destination)
        return Refused("no destination");
    std::string error;
    formats::RecordedData data;
    if (!ReadMemoryBlock(blockIndex, data, error))
        return Refused(error);
    std::optional<win::PinnedPath> file = win::PinnedPath::Make(destination, win::PinnedPath::Use::Write, error);
    if (!file)
        return Refused(error);
    bool written = format == 1 ? formats::WriteDataFile(file->Path(), data, &error)
                               : formats::WriteCsvFile(file->Path(), data, &error);
    if (!written)
        return Refused(file->Shown(error));
    return Outcome{true, "wrote " + Utf8(destination)};
}

DataFileRequests::Outcome DataFileRequests::ConvertToCsv(const wchar_t* source, const wchar_t* destination)
{
    if (!destination || !*destination)
        return Refused("no destination");
    std::string error;
    formats::RecordedData data;
    if (!ReadRecordedFile(source, data, error))
        return Refused(error);
    std::optional<win::PinnedPath> file = win::PinnedPath::Make(destination, win::PinnedPath::Use::Write, error);
    if (!file)
        return Refused(error);
    if (!formats::WriteCsvFile(file->Path(), data, &error))
        return Refused(file->Shown(error));
    return Outcome{true, "wrote " + Utf8(destination)};
}

DataFileRequests::Outcome DataFileRequests::Export(const wchar_t* folder, const wchar_t* source, DWORD format)
{
    const wchar_t* extension = format == 2 ? L".mat" : format == 3 ? L".raw" : format == 4 ? L".dat" : nullptr;
    if (!extension)
        return Refused("unknown export format " + std::to_string(format));
    if (!folder || !*folder)
        return Refused("no destination folder");
    std::string error;
    formats::RecordedData data;
    if (!ReadRecordedFile(source, data, error))
        return Refused(error);

    std::wstring target = folder;
    if (target.back() != L'\\' && target.back() != L'/')
        target += L'\\';
    target += BaseName(source) + extension;
    std::optional<win::PinnedPath> file = win::PinnedPath::Make(target, win::PinnedPath::Use::Write, error);
    if (!file)
        return Refused(error);
    bool written = format == 2   ? formats::WriteMat4File(file->Path(), data, &error)
                   : format == 3 ? formats::WriteFamosFile(file->Path(), data, &error)
                                 : formats::WriteDiademFiles(file->Path(), data, &error);
    if (!written)
        return Refused(file->Shown(error));
    return Outcome{true, "wrote " + win::WideToUtf8(target)};
}
