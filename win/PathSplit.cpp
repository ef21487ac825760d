// The C runtime's path splitting and joining (_wsplitpath, _wmakepath).
#include "win/Drives.h"

#include <algorithm>
#include <cerrno>
#include <cwchar>

namespace {

struct SplitPath {
    std::wstring_view drive, dir, fname, ext;
};

SplitPath Split(std::wstring_view path)
{
    SplitPath split;
    if (path.size() >= 2 && path[1] == L':') {
        split.drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    std::size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring_view::npos) {
        split.dir = path.substr(0, slash + 1);
        path.remove_prefix(slash + 1);
    }
    std::size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring_view::npos) {
        split.fname = path.substr(0, dot);
        split.ext = path.substr(dot);
    } else {
        split.fname = path;
    }
    return split;
}

void CopyPart(std::wstring_view part, wchar_t* out, std::size_t count)
{
    if (out == nullptr || count == 0)
        return;
    const std::size_t length = std::min(part.size(), count - 1);
    std::wmemcpy(out, part.data(), length);
    out[length] = L'\0';
}

bool OutputArgumentsValid(const wchar_t* out, std::size_t count)
{
    return (out == nullptr) == (count == 0);
}

bool Fits(std::wstring_view part, const wchar_t* out, std::size_t count)
{
    return out == nullptr || part.size() < count;
}

std::wstring MakePath(const wchar_t* drive, const wchar_t* dir, const wchar_t* fname, const wchar_t* ext)
{
    std::wstring path;
    if (drive != nullptr && drive[0] != L'\0') {
        path += drive[0];
        path += L':';
    }
    if (dir != nullptr && dir[0] != L'\0') {
        path += dir;
        if (path.back() != L'\\' && path.back() != L'/')
            path += L'\\';
    }
    if (fname != nullptr)
        path += fname;
    if (ext != nullptr && ext[0] != L'\0') {
        if (ext[0] != L'.')
            path += L'.';
        path += ext;
    }
    return path;
}

}  // namespace

void _wsplitpath(const wchar_t* path, wchar_t* drive, wchar_t* dir, wchar_t* fname, wchar_t* ext)
{
    SplitPath split = Split(path != nullptr ? std::wstring_view(path) : std::wstring_view());
    CopyPart(split.drive, drive, _MAX_DRIVE);
    CopyPart(split.dir, dir, _MAX_DIR);
    CopyPart(split.fname, fname, _MAX_FNAME);
    CopyPart(split.ext, ext, _MAX_EXT);
}

errno_t _wsplitpath_s(const wchar_t* path, wchar_t* drive, std::size_t driveCount, wchar_t* dir,
                      std::size_t dirCount, wchar_t* fname, std::size_t fnameCount, wchar_t* ext,
                      std::size_t extCount)
{
    auto clearAll = [&] {
        CopyPart(L"", drive, driveCount);
        CopyPart(L"", dir, dirCount);
        CopyPart(L"", fname, fnameCount);
        CopyPart(L"", ext, extCount);
    };
    if (path == nullptr || !OutputArgumentsValid(drive, driveCount) || !OutputArgumentsValid(dir, dirCount) ||
        !OutputArgumentsValid(fname, fnameCount) || !OutputArgumentsValid(ext, extCount)) {
        clearAll();
        return EINVAL;
    }
    SplitPath split = Split(path);
    if (!Fits(split.drive, drive, driveCount) || !Fits(split.dir, dir, dirCount) ||
        !Fits(split.fname, fname, fnameCount) || !Fits(split.ext, ext, extCount)) {
        clearAll();
        return ERANGE;
    }
    CopyPart(split.drive, drive, driveCount);
    CopyPart(split.dir, dir, dirCount);
    CopyPart(split.fname, fname, fnameCount);
    CopyPart(split.ext, ext, extCount);
    return 0;
}

void _wmakepath(wchar_t* path, const wchar_t* drive, const wchar_t* dir, const wchar_t* fname, const wchar_t* ext)
{
    if (path != nullptr)
        CopyPart(MakePath(drive, dir, fname, ext), path, _MAX_PATH);
}

errno_t _wmakepath_s(wchar_t* path, std::size_t count, const wchar_t* drive, const wchar_t* dir,
                     const wchar_t* fname, const wchar_t* ext)
{
    if (path == nullptr || count == 0)
        return EINVAL;
    std::wstring text = MakePath(drive, dir, fname, ext);
    if (text.size() >= count) {
        path[0] = L'\0';
        return ERANGE;
    }
    CopyPart(text, path, count);
    return 0;
}
