#include "win/Handles.h"

#include "win/DebugLog.h"

#include <cerrno>
#include <chrono>
#include <unordered_map>

namespace win {
namespace {

struct Table {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, std::shared_ptr<KernelObject>> objects;
    // Multiples of four from 0x100, like Windows' handle values; 0 and
    // INVALID_HANDLE_VALUE are never produced.
    std::uintptr_t next = 0x100;
};

// Never destroyed: detached workers and process watchers may still close
// handles and signal while the process exits.
Table& TheTable()
{
    static Table* table = new Table;
    return *table;
}

thread_local DWORD t_lastError = ERROR_SUCCESS;

}  // namespace

DWORD Win32ErrorFromErrno(int error)
{
    // Values of WinNT.h, repeated here so the table has no other dependency.
    switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EMFILE:
    case ENFILE: return 4;     // ERROR_TOO_MANY_OPEN_FILES
    case EXDEV: return 17;     // ERROR_NOT_SAME_DEVICE
    case ENOSPC:
    case EDQUOT: return 112;   // ERROR_DISK_FULL
    case EBUSY: return 170;    // ERROR_BUSY
    case ELOOP: return ERROR_PATH_NOT_FOUND;
    default: return 31;        // ERROR_GEN_FAILURE
    }
}

DWORD SetLastErrorFromErrno(int error)
{
    DWORD code = Win32ErrorFromErrno(error);
    SetLastError(code);
    return code;
}

void CompletionObject::Finish(DWORD exitCode)
{
    HandleTable::ChangeState([&] {
        m_exitCode = exitCode;
        m_finished = true;
    });
}

DWORD CompletionObject::ExitCode() const
{
    std::lock_guard<std::mutex> lock(HandleTable::WaitMutex());
    return m_exitCode;
}

HANDLE HandleTable::Insert(std::shared_ptr<KernelObject> object)
{
    Table& table = TheTable();
    std::lock_guard<std::mutex> lock(table.mutex);
    std::uintptr_t value = table.next;
    table.next += 4;
    if (table.next == 0)
        table.next = 0x100;  // wrapped, after 2^30 handles on a 32-bit build
    table.objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> HandleTable::Find(HANDLE handle)
{
    Table& table = TheTable();
    std::lock_guard<std::mutex> lock(table.mutex);
    auto it = table.objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == table.objects.end() ? nullptr : it->second;
}

bool HandleTable::Remove(HANDLE handle, ObjectKind kind)
{
    std::shared_ptr<KernelObject> removed;  // destroyed outside the table lock
    Table& table = TheTable();
    {
        std::lock_guard<std::mutex> lock(table.mutex);
        auto it = table.objects.find(reinterpret_cast<std::uintptr_t>(handle));
        if (it == table.objects.end() || it->second->Kind() != kind)
            return false;
        removed = std::move(it->second);
        table.objects.erase(it);
    }
    return true;
}

bool HandleTable::Remove(HANDLE handle)
{
    std::shared_ptr<KernelObject> object = Find(handle);
    // Find handles close with FindClose and keys with RegCloseKey only.
    if (!object || object->Kind() == ObjectKind::Find || object->Kind() == ObjectKind::RegistryKey)
        return false;
    return Remove(handle, object->Kind());
}

std::size_t HandleTable::Count()
{
    Table& table = TheTable();
    std::lock_guard<std::mutex> lock(table.mutex);
    return table.objects.size();
}

std::mutex& HandleTable::WaitMutex()
{
    static std::mutex* mutex = new std::mutex;  // never destroyed, like the table
    return *mutex;
}

std::condition_variable& HandleTable::WaitCondition()
{
    static std::condition_variable* condition = new std::condition_variable;
    return *condition;
}

void HandleTable::ChangeState(const std::function<void()>& change)
{
    {
        std::lock_guard<std::mutex> lock(WaitMutex());
        change();
    }
    WaitCondition().notify_all();
}

}  // namespace win

BOOL CloseHandle(HANDLE handle)
{
    if (!win::HandleTable::Remove(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    std::shared_ptr<win::KernelObject> object = win::HandleTable::Find(handle);
    if (!object || !object->IsWaitable()) {
        SetLastError(ERROR_INVALID_HANDLE);
        OutputDebugStringW(L"WaitForSingleObject: invalid handle");
        return WAIT_FAILED;
    }
    std::unique_lock<std::mutex> lock(win::HandleTable::WaitMutex());
    auto signalled = [&] { return object->IsSignalledLocked(); };
    if (milliseconds == INFINITE) {
        win::HandleTable::WaitCondition().wait(lock, signalled);
    } else if (!win::HandleTable::WaitCondition().wait_for(lock, std::chrono::milliseconds(milliseconds),
                                                           signalled)) {
        return WAIT_TIMEOUT;
    }
    object->OnWaitSatisfiedLocked();
    return WAIT_OBJECT_0;
}

DWORD GetLastError()
{
    return win::t_lastError;
}

void SetLastError(DWORD error)
{
    win::t_lastError = error;
}
