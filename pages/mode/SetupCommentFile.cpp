#include "pages/mode/SetupCommentFile.h"

#include "win/FileApi.h"
#include "win/Handles.h"
#include "win/TextConvert.h"

namespace setup_comment {

FileBytes Encode(std::wstring_view comment)
{
    char16_t units[kMaxStoredUnits + 1] = {};
    win::CopyToUtf16Buffer(comment, units);
    FileBytes bytes{};
    for (std::size_t i = 0; i < kMaxStoredUnits; ++i) {
        bytes[2 * i] = static_cast<BYTE>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<BYTE>(units[i] >> 8);
    }
    return bytes;
}

std::wstring Decode(const FileBytes& bytes)
{
    char16_t units[kMaxReadUnits];
    for (std::size_t i = 0; i < kMaxReadUnits; ++i)
        units[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    // Stops at the first zero unit or after the 20th unit, whichever comes first.
    std::wstring comment = win::Utf16FieldToWide(units, kMaxReadUnits);
    for (wchar_t& character : comment) {
        if (character < 0x20 || character == 0x7F)
            character = 0xFFFD;
    }
    return comment;
}

bool ReadImage(const wchar_t* path, FileBytes& image, FILETIME* written)
{
    image.fill(0);
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD total = 0;
    bool ok = true;
    while (total < kFileBytes) {
        DWORD got = 0;
        if (!ReadFile(file, image.data() + total, static_cast<DWORD>(kFileBytes) - total, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;  // a short file: the rest stays zero
        total += got;
    }
    if (ok && written)
        ok = GetFileTime(file, nullptr, nullptr, written) != FALSE;
    CloseHandle(file);
    if (!ok)
        image.fill(0);
    return ok;
}

bool WriteImage(const wchar_t* path, const FileBytes& image, const FILETIME* written)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD count = 0;
    bool ok = WriteFile(file, image.data(), static_cast<DWORD>(kFileBytes), &count, nullptr) && count == kFileBytes;
    if (ok && written)
        ok = SetFileTime(file, nullptr, nullptr, written) != FALSE;
    if (!CloseHandle(file))
        ok = false;
    return ok;
}

}  // namespace setup_comment
