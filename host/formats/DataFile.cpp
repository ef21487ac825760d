#include "host/formats/DataFile.h"

#include "host/formats/AtomicFile.h"
#include "host/formats/Crc32.h"
#include "host/formats/LittleEndian.h"
#include "win/TextConvert.h"

#include <cmath>
#include <fstream>

namespace formats {

namespace {

constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kNameUnits = 32;
constexpr std::size_t kUnitUnits = 8;
// Largest file the reader accepts: the limits of RecordedData, so a forged
// header cannot make it allocate more.
constexpr std::uintmax_t kLargestFile = kDataFileHeaderSize + RecordedData::kMaxChannels * kDataFileChannelSize +
                                        2ull * RecordedData::kMaxSamples * RecordedData::kMaxChannels + 4;

void Fail(std::string* error, const char* why)
{
    if (error)
        *error = why;
}

void WriteUtf16Field(ByteWriter& out, const std::wstring& text, std::size_t units)
{
    std::u16string utf16 = win::WideToUtf16(text);
    utf16.resize(units, u'\0');  // validated to fit, so nothing is cut
    for (char16_t unit : utf16)
        out.U16(static_cast<std::uint16_t>(unit));
}

std::wstring ReadUtf16Field(ByteReader& in, std::size_t units)
{
    std::u16string utf16;
    for (std::size_t i = 0; i < units; ++i)
        utf16.push_back(static_cast<char16_t>(in.U16()));
    return win::Utf16FieldToWide(utf16.data(), units);
}

bool ValidTime(const SYSTEMTIME& t)
{
    return t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 && t.wDay <= 31 && t.wHour < 24 && t.wMinute < 60 &&
           t.wSecond < 60 && t.wMilliseconds < 1000 && t.wDayOfWeek < 7;
}

}  // namespace

std::string EncodeDataFile(const RecordedData& data, std::string* error)
{
    std::string invalid = ValidateRecordedData(data);
    if (invalid.empty() && !ValidTime(data.start))
        invalid = "start time out of range";
    if (!invalid.empty()) {
        Fail(error, invalid.c_str());
        return {};
    }
    for (const DataChannel& channel : data.channels)
        if (win::WideToUtf16(channel.name).size() >= kNameUnits || win::WideToUtf16(channel.unit).size() >= kUnitUnits) {
            Fail(error, "channel name or unit too long");
            return {};
        }

    const std::size_t count = data.SampleCount();
    ByteWriter out;
    out.Reserve(kDataFileHeaderSize + data.channels.size() * (kDataFileChannelSize + 2 * count) + 4);
    out.Bytes(kDataFileMagic);
    out.U16(kVersion);
    out.U16(static_cast<std::uint16_t>(data.kind));
    out.U32(static_cast<std::uint32_t>(data.channels.size()));
    out.U32(static_cast<std::uint32_t>(count));
    out.U32(0);
    out.F64(data.intervalSeconds);
    const SYSTEMTIME& t = data.start;
    for (WORD field : {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds})
        out.U16(field);
    for (const DataChannel& channel : data.channels) {
        WriteUtf16Field(out, channel.name, kNameUnits);
        WriteUtf16Field(out, channel.unit, kUnitUnits);
        out.I32(channel.slot);
        out.U32(0);
        out.F64(channel.scale);
        out.F64(channel.offset);
        out.Zeros(8);
    }
    for (const DataChannel& channel : data.channels)
        for (std::int16_t sample : channel.samples)
            out.U16(static_cast<std::uint16_t>(sample));
    out.U32(Crc32(out.Data()));
    return std::move(out.Data());
}

bool DecodeDataFile(std::string_view bytes, RecordedData& data, std::string* error)
{
    if (bytes.size() < kDataFileHeaderSize + 4 || bytes.substr(0, kDataFileMagic.size()) != kDataFileMagic) {
        Fail(error, "not a recorded-data file");
        return false;
    }
    ByteReader in(bytes);
    in.Bytes(kDataFileMagic.size());
    const std::uint16_t version = in.U16();
    const std::uint16_t kind = in.U16();
    const std::uint32_t channels = in.U32();
    const std::uint32_t count = in.U32();
    in.U32();
    RecordedData result;
    result.intervalSeconds = in.F64();
    SYSTEMTIME& t = result.start;
    for (WORD* field : {&t.wYear, &t.wMonth, &t.wDayOfWeek, &t.wDay, &t.wHour, &t.wMinute, &t.wSecond,
                        &t.wMilliseconds})
        *field = in.U16();
    if (version != kVersion) {
        Fail(error, "unknown format version");
        return false;
    }
    if (kind < 1 || kind > 4 || channels < 1 || channels > RecordedData::kMaxChannels ||
        count > RecordedData::kMaxSamples || !ValidTime(t)) {
        Fail(error, "header field out of range");
        return false;
    }
    const std::size_t expected = kDataFileHeaderSize + channels * (kDataFileChannelSize + 2ull * count) + 4;
    if (bytes.size() != expected) {
        Fail(error, "file size does not match its header (truncated or extended)");
        return false;
    }
    ByteReader crcReader(bytes.substr(bytes.size() - 4));
    if (crcReader.U32() != Crc32(bytes.substr(0, bytes.size() - 4))) {
        Fail(error, "checksum mismatch (damaged file)");
        return false;
    }
    result.kind = static_cast<DataFileKind>(kind);
    result.channels.resize(channels);
    for (DataChannel& channel : result.channels) {
        channel.name = ReadUtf16Field(in, kNameUnits);
        channel.unit = ReadUtf16Field(in, kUnitUnits);
        channel.slot = in.I32();
        in.U32();
        channel.scale = in.F64();
        channel.offset = in.F64();
        in.Bytes(8);
    }
    for (DataChannel& channel : result.channels) {
        channel.samples.resize(count);
        for (std::int16_t& sample : channel.samples)
            sample = static_cast<std::int16_t>(in.U16());
    }
    if (in.Failed()) {
        Fail(error, "file ends early");
        return false;
    }
    std::string invalid = ValidateRecordedData(result);
    if (!invalid.empty()) {
        Fail(error, invalid.c_str());
        return false;
    }
    data = std::move(result);
    return true;
}

bool WriteDataFile(const std::filesystem::path& path, const RecordedData& data, std::string* error)
{
    std::string bytes = EncodeDataFile(data, error);
    return !bytes.empty() && WriteFileAtomically(path, bytes, error);
}

bool ReadDataFile(const std::filesystem::path& path, RecordedData& data, std::string* error)
{
    std::error_code code;
    if (!std::filesystem::is_regular_file(path, code)) {
        Fail(error, "no such file");
        return false;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, code);
    if (code || size > kLargestFile) {
        Fail(error, "file too large for a recorded-data file");
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        Fail(error, "cannot read the file");
        return false;
    }
    return DecodeDataFile(bytes, data, error);
}

}  // namespace formats
