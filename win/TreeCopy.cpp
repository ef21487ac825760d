#include "win/TreeCopy.h"

#include "win/Beneath.h"
#include "win/DebugLog.h"
#include "win/FileInfo.h"
#include "win/FileTree.h"
#include "win/Handles.h"
#include "win/TextConvert.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace win {
namespace {

using Question = ShellFileOperation::Question;

// The entry opened with `flags`: as it is when it is not a link, through
// the link beneath the drive when it is one (also one that took the
// entry's place since it was listed).
int OpenEntry(const TreePlace& place, int flags)
{
    const int fd = ::openat(place.folder, place.name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0 || errno != ELOOP)
        return fd;
    return OpenBeneath(place.drive->Get(), place.Beneath(), flags);
}

enum class Target { Missing, Exists, Refused, Failed };

// What the destination entry is, through a link that stays on the drive; a
// link that leads nowhere counts as an existing file (it is replaced).
Target LookAtTarget(const TreePlace& to, struct stat& info, bool& isLink)
{
    isLink = false;
    if (::fstatat(to.folder, to.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? Target::Missing : Target::Failed;
    if (!S_ISLNK(info.st_mode))
        return Target::Exists;
    isLink = true;
    const Descriptor target(OpenBeneath(to.drive->Get(), to.Beneath(), O_PATH));
    if (!target.IsOpen())
        return errno == ENOENT ? Target::Exists : Target::Refused;
    return ::fstat(target.Get(), &info) == 0 ? Target::Exists : Target::Failed;
}

int ReportErrno(int error, const std::wstring& what)
{
    return ReportShellFailure(static_cast<int>(Win32ErrorFromErrno(error)), what);
}

}  // namespace

std::string TreePlace::Beneath() const
{
    return JoinBeneath(folderBeneath, name);
}

TreePlace TreePlace::Inside(int openFolder, const std::string& entryName) const
{
    return TreePlace{drive, openFolder, Beneath(), entryName, windows + L"\\" + Utf8ToWide(entryName)};
}

int ReportShellFailure(int code, const std::wstring& what)
{
    OutputDebugStringW((L"SHFileOperationW failed (" + std::to_wstring(code) + L"): " + what).c_str());
    return code;
}

bool FolderIsWithin(int folder, const struct stat& entry, int drive)
{
    struct stat top {};
    if (::fstat(drive, &top) != 0)
        return false;
    Descriptor current(::openat(folder, ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
    struct stat info {};
    while (current.IsOpen() && ::fstat(current.Get(), &info) == 0) {
        if (info.st_dev == entry.st_dev && info.st_ino == entry.st_ino)
            return true;
        if (info.st_dev == top.st_dev && info.st_ino == top.st_ino)
            return false;
        Descriptor parent(::openat(current.Get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
        struct stat above {};
        if (!parent.IsOpen() || ::fstat(parent.Get(), &above) != 0 ||
            (above.st_dev == info.st_dev && above.st_ino == info.st_ino))
            return false;  // the file system's root: the folder was moved out of the drive
        current = std::move(parent);
    }
    return false;
}

int TreeCopy::Copy(const TreePlace& from, const TreePlace& to)
{
    if (m_questions.Cancelled())
        return 0;
    // Non-blocking, so that a FIFO is refused rather than waited on.
    const Descriptor in(OpenEntry(from, O_RDONLY | O_NONBLOCK | O_NOCTTY));
    struct stat source {};
    if (!in.IsOpen() || ::fstat(in.Get(), &source) != 0 || (!S_ISREG(source.st_mode) && !S_ISDIR(source.st_mode)))
        return ReportShellFailure(DE_ACCESSDENIEDSRC, from.windows);
    struct stat target {};
    bool targetIsLink = false;
    switch (LookAtTarget(to, target, targetIsLink)) {
    case Target::Refused: return ReportShellFailure(ERROR_ACCESS_DENIED, to.windows + L" leads out of its drive");
    case Target::Failed: return ReportErrno(errno, to.windows);
    case Target::Missing:
        return S_ISDIR(source.st_mode) ? CopyFolderTo(in.Get(), source, from, to, nullptr, false)
                                       : CopyFileTo(in.Get(), to, nullptr);
    case Target::Exists: break;
    }
    return S_ISDIR(source.st_mode) ? CopyFolderTo(in.Get(), source, from, to, &target, targetIsLink)
                                   : CopyFileTo(in.Get(), to, &target);
}

int TreeCopy::CopyFileTo(int in, const TreePlace& to, const struct stat* existing)
{
    if (existing != nullptr) {
        if (S_ISDIR(existing->st_mode))
            return ReportShellFailure(DE_FILEDESTISFLD, to.windows);
        if (!m_questions.Confirm(Question::ReplaceFile, to.windows))
            return 0;
        // Also a read-only one, once the operator agreed; a link is
        // replaced, never written through.
        if (::unlinkat(to.folder, to.name.c_str(), 0) != 0 && errno != ENOENT)
            return ReportErrno(errno, to.windows);
    }
    const Descriptor out(
        ::openat(to.folder, to.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!out.IsOpen())
        return ReportErrno(errno, to.windows);
    if (int error = FileTree::CopyFile(in, out.Get(), to.folder))
        return ReportErrno(error, to.windows);
    return 0;
}

int TreeCopy::CopyFolderTo(int in, const struct stat& source, const TreePlace& from, const TreePlace& to,
                           const struct stat* existing, bool existingIsLink)
{
    // Listed before the copy is made, in a fixed order, so that a copy
    // made inside its own source is not copied again.
    std::vector<std::string> names;
    if (!FileTree::ReadNames(in, names))
        return ReportErrno(errno, from.windows);
    std::sort(names.begin(), names.end());

    Descriptor out;
    if (existing != nullptr) {
        if (!S_ISDIR(existing->st_mode))
            return ReportShellFailure(DE_FLDDESTISFILE, to.windows);
        if (!m_questions.Confirm(Question::ReplaceFolder, to.windows))
            return 0;
        out = Descriptor(existingIsLink ? OpenBeneath(to.drive->Get(), to.Beneath(), O_RDONLY | O_DIRECTORY)
                                        : ::openat(to.folder, to.name.c_str(),
                                                   O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    } else {
        if (::mkdirat(to.folder, to.name.c_str(), 0777) != 0)
            return ReportErrno(errno, to.windows);
        out = Descriptor(::openat(to.folder, to.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    }
    // ELOOP: a link took the folder's place since it was looked at.
    if (!out.IsOpen())
        return errno == ELOOP ? ReportShellFailure(ERROR_ACCESS_DENIED, to.windows + L" was replaced by a link")
                              : ReportErrno(errno, to.windows);
    for (const std::string& name : names) {
        if (int code = Copy(from.Inside(in, name), to.Inside(out.Get(), name)))
            return code;
        if (m_questions.Cancelled())
            return 0;
    }
    // A folder's archive and system bits travel with it as a file's do
    // (stored before its permissions may take away the right to store them).
    FileInfo::StoreAttributes(out.Get(), to.folder, FileInfo::StoredAttributes(in));
    ::fchmod(out.Get(), source.st_mode & 07777);
    return 0;
}

}  // namespace win
