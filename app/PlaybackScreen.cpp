#include "PlaybackScreen.h"

#include "host/InstrumentProfile.h"
#include "win/Drives.h"
#include "win/NameMatch.h"
#include "win/TextConvert.h"

#include <sys/stat.h>

std::wstring PlaybackScreen::OpenFile() { return InstrumentProfile::Current()->playbackFile; }

bool PlaybackScreen::SamePath(std::wstring_view a, std::wstring_view b)
{
    if (a.empty() || b.empty())
        return false;
    std::optional<win::ResolvedPath> first = win::Drives::Resolve(a);
    std::optional<win::ResolvedPath> second = win::Drives::Resolve(b);
    if (first && second)
        return first->posix == second->posix || win::NamesEqual(first->windows, second->windows);
    return win::NamesEqual(a, b);
}

bool PlaybackScreen::Holds(std::wstring_view windowsPath)
{
    const std::wstring open = OpenFile();
    if (SamePath(open, windowsPath))
        return true;
    // A folder holds every file below it: deleting it deletes the file.
    const std::optional<std::wstring> folder = win::Drives::FullPath(windowsPath);
    const std::optional<std::wstring> file = open.empty() ? std::nullopt : win::Drives::FullPath(open);
    if (!folder || !file || folder->empty())
        return false;
    const std::wstring prefix = folder->back() == L'\\' ? *folder : *folder + L'\\';
    return file->size() > prefix.size() && win::NamesEqual(std::wstring_view(*file).substr(0, prefix.size()), prefix);
}

bool PlaybackScreen::Close()
{
    bool closed = false;
    InstrumentProfile::Modify([&closed](InstrumentProfile& profile) {
        if (profile.playbackFile.empty() || profile.playbackCloseSucceeds) {
            profile.playbackFile.clear();
            closed = true;
        }
    });
    return closed;
}

void PlaybackScreen::Clear()
{
    InstrumentProfile::Modify([](InstrumentProfile& profile) { profile.playbackFile.clear(); });
}

bool PlaybackScreen::Open(std::wstring_view windowsPath, std::string& error)
{
    std::optional<win::ResolvedPath> resolved = win::Drives::Resolve(windowsPath);
    if (!resolved) {
        error = "not a path inside the instrument's drives: " + win::WideToUtf8(std::wstring(windowsPath));
        return false;
    }
    struct stat info{};
    if (stat(resolved->posix.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "no such file: " + win::WideToUtf8(resolved->windows);
        return false;
    }
    // The name as the drive spells it, whatever case the caller used.
    std::wstring path = win::Drives::FromPosix(resolved->posix).value_or(resolved->windows);
    InstrumentProfile::Modify([&path](InstrumentProfile& profile) { profile.playbackFile = path; });
    return true;
}
