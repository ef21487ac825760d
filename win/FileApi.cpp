#include "win/FileApi.h"

#include "win/DebugLog.h"
#include "win/Descriptor.h"
#include "win/Drives.h"
#include "win/FileInfo.h"
#include "win/Handles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace win {
namespace {

constexpr DWORD kReadAccess = GENERIC_READ | GENERIC_ALL | FILE_READ_DATA;
constexpr DWORD kWriteAccess = GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA;

class FileObject : public KernelObject {
public:
    FileObject(int fd, DWORD access) : KernelObject(ObjectKind::File), m_fd(fd), m_access(access) {}
    ~FileObject() override { ::close(m_fd); }

    int Fd() const { return m_fd; }
    bool CanRead() const { return (m_access & kReadAccess) != 0; }
    bool CanWrite() const { return (m_access & kWriteAccess) != 0; }

private:
    int m_fd;
    DWORD m_access;
};

std::shared_ptr<FileObject> FindFile(HANDLE handle)
{
    return HandleTable::FindAs<FileObject>(handle, ObjectKind::File);
}

HANDLE Failed(DWORD error, const wchar_t* what, LPCWSTR name)
{
    SetLastError(error);
    OutputDebugStringW((std::wstring(L"CreateFileW ") + what + L": " + (name != nullptr ? name : L"(null)")).c_str());
    return INVALID_HANDLE_VALUE;
}

BOOL FailWith(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

// The new position of a seek, or nullopt (last error set).
std::optional<std::int64_t> SeekTarget(int fd, std::int64_t distance, DWORD moveMethod)
{
    std::int64_t base = 0;
    if (moveMethod == FILE_CURRENT) {
        base = ::lseek(fd, 0, SEEK_CUR);
    } else if (moveMethod == FILE_END) {
        struct stat info {};
        base = ::fstat(fd, &info) == 0 ? info.st_size : -1;
    } else if (moveMethod != FILE_BEGIN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    if (base < 0) {
        SetLastErrorFromErrno(errno);
        return std::nullopt;
    }
    if ((distance > 0 && base > INT64_MAX - distance) || base + distance < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return std::nullopt;
    }
    return base + distance;
}

}  // namespace

int FileDescriptorOf(HANDLE file)
{
    std::shared_ptr<FileObject> object = FindFile(file);
    return object ? object->Fd() : -1;
}

}  // namespace win

using win::FileObject;

HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD, LPSECURITY_ATTRIBUTES, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE)
{
    if (fileName == nullptr)
        return win::Failed(ERROR_PATH_NOT_FOUND, L"null name", fileName);
    if (creationDisposition < CREATE_NEW || creationDisposition > TRUNCATE_EXISTING)
        return win::Failed(ERROR_INVALID_PARAMETER, L"bad disposition", fileName);
    if ((flagsAndAttributes & FILE_FLAG_OVERLAPPED) != 0)
        return win::Failed(ERROR_NOT_SUPPORTED, L"overlapped I/O", fileName);
    const bool wantsRead = (desiredAccess & win::kReadAccess) != 0;
    const bool wantsWrite = (desiredAccess & win::kWriteAccess) != 0;
    if (creationDisposition == TRUNCATE_EXISTING && !wantsWrite)
        return win::Failed(ERROR_INVALID_PARAMETER, L"truncation without write access", fileName);

    std::optional<win::ResolvedPath> path = win::Drives::Resolve(fileName);
    if (!path)
        return win::Failed(GetLastError(), L"bad path", fileName);
    if (path->isRoot)
        return win::Failed(ERROR_ACCESS_DENIED, L"drive root", fileName);

    struct stat info {};
    const bool exists = path->Stat(info, true);
    if (!exists && errno != ENOENT)
        return win::Failed(path->ErrorOf(errno), L"cannot be reached", fileName);
    if (exists && S_ISDIR(info.st_mode))
        return win::Failed(ERROR_ACCESS_DENIED, L"is a folder", fileName);
    if (exists && !S_ISREG(info.st_mode))
        return win::Failed(ERROR_ACCESS_DENIED, L"not a file", fileName);  // a FIFO would block the opening
    if (exists && creationDisposition == CREATE_NEW)
        return win::Failed(ERROR_FILE_EXISTS, L"exists", fileName);
    if (!exists && (creationDisposition == OPEN_EXISTING || creationDisposition == TRUNCATE_EXISTING))
        return win::Failed(path->ErrorOf(ENOENT), L"not found", fileName);
    const bool truncates = creationDisposition == CREATE_ALWAYS || creationDisposition == TRUNCATE_EXISTING;
    if (exists && (info.st_mode & S_IWUSR) == 0 && (wantsWrite || truncates))
        return win::Failed(ERROR_ACCESS_DENIED, L"read-only", fileName);

    int flags = O_NOCTTY;
    if (wantsWrite || (exists && truncates))
        flags |= wantsRead || !wantsWrite ? O_RDWR : O_WRONLY;
    else
        flags |= O_RDONLY;
    switch (creationDisposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
    default: break;
    }
    if ((flags & O_CREAT) != 0 && (flags & O_ACCMODE) == O_RDONLY)
        flags = (flags & ~O_ACCMODE) | O_RDWR;  // creating needs a writable descriptor
    if ((flagsAndAttributes & FILE_FLAG_WRITE_THROUGH) != 0)
        flags |= O_DSYNC;
    const mode_t mode = (flagsAndAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
    const int fd = path->Open(flags, mode);
    if (fd < 0) {
        const int error = errno;
        return win::Failed(error == EEXIST ? ERROR_FILE_EXISTS : path->ErrorOf(error), L"open failed", fileName);
    }
    if (!exists && (flagsAndAttributes & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM)) != 0)
        win::FileInfo::StoreAttributes(*path, fd, flagsAndAttributes);
    if ((flagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE) != 0) {
        // The open descriptor keeps the data until it is closed.
        const win::Descriptor folder(path->OpenFolder());
        if (folder.IsOpen())
            ::unlinkat(folder.Get(), path->Name().c_str(), 0);
    }

    HANDLE handle = win::HandleTable::Insert(std::make_shared<FileObject>(fd, desiredAccess));
    const bool reportsExisting = exists && (creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS);
    SetLastError(reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped)
{
    if (bytesRead != nullptr)
        *bytesRead = 0;
    std::shared_ptr<FileObject> object = win::FindFile(file);
    if (!object)
        return FALSE;
    if (overlapped != nullptr || (buffer == nullptr && bytesToRead > 0))
        return win::FailWith(ERROR_INVALID_PARAMETER);
    if (!object->CanRead())
        return win::FailWith(ERROR_ACCESS_DENIED);
    auto* out = static_cast<char*>(buffer);
    DWORD total = 0;
    while (total < bytesToRead) {
        const ssize_t got = ::read(object->Fd(), out + total, bytesToRead - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            win::SetLastErrorFromErrno(errno);
            if (bytesRead != nullptr)
                *bytesRead = total;
            return FALSE;
        }
        if (got == 0)
            break;  // end of file: success with fewer bytes
        total += static_cast<DWORD>(got);
    }
    if (bytesRead != nullptr)
        *bytesRead = total;
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPOVERLAPPED overlapped)
{
    if (bytesWritten != nullptr)
        *bytesWritten = 0;
    std::shared_ptr<FileObject> object = win::FindFile(file);
    if (!object)
        return FALSE;
    if (overlapped != nullptr || (buffer == nullptr && bytesToWrite > 0))
        return win::FailWith(ERROR_INVALID_PARAMETER);
    if (!object->CanWrite())
        return win::FailWith(ERROR_ACCESS_DENIED);
    const auto* in = static_cast<const char*>(buffer);
    DWORD total = 0;
    while (total < bytesToWrite) {
        const ssize_t put = ::write(object->Fd(), in + total, bytesToWrite - total);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            win::SetLastErrorFromErrno(put < 0 ? errno : ENOSPC);
            if (bytesWritten != nullptr)
                *bytesWritten = total;
            return FALSE;
        }
        total += static_cast<DWORD>(put);
    }
    if (bytesWritten != nullptr)
        *bytesWritten = total;
    return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distanceToMove, PLONG distanceToMoveHigh, DWORD moveMethod)
{
    std::shared_ptr<FileObject> object = win::FindFile(file);
    if (!object)
        return INVALID_SET_FILE_POINTER;
    // Without a high part the distance is a signed 32-bit value; with one,
    // the low part is unsigned.
    const std::int64_t distance =
        distanceToMoveHigh != nullptr
            ? static_cast<std::int64_t>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(*distanceToMoveHigh))
                                         << 32) |
                                        static_cast<std::uint32_t>(distanceToMove))
            : distanceToMove;
    std::optional<std::int64_t> target = win::SeekTarget(object->Fd(), distance, moveMethod);
    if (!target)
        return INVALID_SET_FILE_POINTER;
    if (distanceToMoveHigh == nullptr && *target > 0xFFFFFFFELL) {
        SetLastError(ERROR_INVALID_PARAMETER);  // would not fit the 32-bit result
        return INVALID_SET_FILE_POINTER;
    }
    if (::lseek(object->Fd(), *target, SEEK_SET) < 0) {
        win::SetLastErrorFromErrno(errno);
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceToMoveHigh != nullptr)
        *distanceToMoveHigh = static_cast<LONG>(static_cast<std::uint64_t>(*target) >> 32);
    // A low part of 0xFFFFFFFF is a valid position; callers tell it apart
    // by the last error.
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(static_cast<std::uint64_t>(*target) & 0xFFFFFFFF);
}

BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distanceToMove, PLARGE_INTEGER newFilePointer, DWORD moveMethod)
{
    std::shared_ptr<FileObject> object = win::FindFile(file);
    if (!object)
        return FALSE;
    std::optional<std::int64_t> target = win::SeekTarget(object->Fd(), distanceToMove.QuadPart, moveMethod);
    if (!target)
        return FALSE;
    if (::lseek(object->Fd(), *target, SEEK_SET) < 0) {
        win::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    if (newFilePointer != nullptr)
        newFilePointer->QuadPart = *target;
    return TRUE;
}

DWORD GetFileSize(HANDLE file, LPDWORD fileSizeHigh)
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size))
        return INVALID_FILE_SIZE;
    if (fileSizeHigh != nullptr)
        *fileSizeHigh = static_cast<DWORD>(static_cast<std::uint64_t>(size.QuadPart) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(static_cast<std::uint64_t>(size.QuadPart) & 0xFFFFFFFF);
}

BOOL GetFileSizeEx(HANDLE file, PLARGE_INTEGER fileSize)
{
    std::shared_ptr<FileObject> object = win::FindFile(file);
    if (!object)
        return FALSE;
    if (fileSize == nullptr)
        return win::FailWith(ERROR_INVALID_PARAMETER);
    struct stat info {};
    if (::fstat(object->Fd(), &info) != 0) {
        win::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    fileSize->QuadPart = info.st_size;
    return TRUE;
}

BOOL GetFileTime(HANDLE file, FILETIME* creationTime, FILETIME* lastAccessTime, FILETIME* lastWriteTime)
{
    std::shared_ptr<FileObject> object = win::FindFile(file);
    if (!object)
        return FALSE;
    struct stat info {};
    if (::fstat(object->Fd(), &info) != 0) {
        win::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    if (creationTime != nullptr)
        *creationTime = win::FileInfo::ToFileTime(info.st_ctim);
    if (lastAccessTime != nullptr)
        *lastAccessTime = win::FileInfo::ToFileTime(info.st_atim);
    if (lastWriteTime != nullptr)
        *lastWriteTime = win::FileInfo::ToFileTime(info.st_mtim);
    return TRUE;
}

BOOL SetFileTime(HANDLE file, const FILETIME*, const FILETIME* lastAccessTime, const FILETIME* lastWriteTime)
{
    std::shared_ptr<FileObject> object = win::FindFile(file);
    if (!object)
        return FALSE;
    if (!object->CanWrite())
        return win::FailWith(ERROR_ACCESS_DENIED);
    // The times are the simulated clock's; a null one stays as it is.
    auto toTimespec = [](const FILETIME* time) {
        return time ? win::FileInfo::FromFileTime(*time) : timespec{0, UTIME_OMIT};
    };
    const timespec times[2] = {toTimespec(lastAccessTime), toTimespec(lastWriteTime)};
    if (::futimens(object->Fd(), times) != 0) {
        win::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE file)
{
    std::shared_ptr<FileObject> object = win::FindFile(file);
    if (!object)
        return FALSE;
    if (!object->CanWrite())
        return win::FailWith(ERROR_ACCESS_DENIED);
    if (::fsync(object->Fd()) != 0) {
        win::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL SetEndOfFile(HANDLE file)
{
    std::shared_ptr<FileObject> object = win::FindFile(file);
    if (!object)
        return FALSE;
    if (!object->CanWrite())
        return win::FailWith(ERROR_ACCESS_DENIED);
    const off_t position = ::lseek(object->Fd(), 0, SEEK_CUR);
    if (position < 0 || ::ftruncate(object->Fd(), position) != 0) {
        win::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}
