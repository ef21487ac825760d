// Kernel handles: one process-wide table for files, find handles, events,
// processes, threads and registry keys. A HANDLE is an opaque small integer
// cast to a pointer; values count upwards and are never reused, so a stale
// handle fails with ERROR_INVALID_HANDLE instead of reaching a new object.
#pragma once

#include "win/Win32Types.h"

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
constexpr DWORD WAIT_ABANDONED = 0x00000080;
constexpr DWORD WAIT_TIMEOUT = 0x00000102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD STILL_ACTIVE = 259;

BOOL CloseHandle(HANDLE handle);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);

// Per thread, as on Windows.
DWORD GetLastError();
void SetLastError(DWORD error);

namespace win {

// The Win32 error for a POSIX errno value of a failed file operation.
DWORD Win32ErrorFromErrno(int error);
// Sets the last error from errno and returns it.
DWORD SetLastErrorFromErrno(int error);

enum class ObjectKind { File, Find, Event, Process, Thread, RegistryKey };

// An object a handle refers to. Waitable objects (events, processes,
// threads) keep their signalled state under HandleTable::WaitMutex() and
// change it only through HandleTable::ChangeState, which wakes the waiters.
class KernelObject {
public:
    explicit KernelObject(ObjectKind kind) : m_kind(kind) {}
    virtual ~KernelObject() = default;
    KernelObject(const KernelObject&) = delete;
    KernelObject& operator=(const KernelObject&) = delete;

    ObjectKind Kind() const { return m_kind; }

    virtual bool IsWaitable() const { return false; }
    // Both are called with WaitMutex() held. A satisfied wait lets an
    // auto-reset event fall back to non-signalled.
    virtual bool IsSignalledLocked() const { return false; }
    virtual void OnWaitSatisfiedLocked() {}

private:
    ObjectKind m_kind;
};

// A waitable object that becomes signalled once, when what it stands for
// (a thread, a process) ends, and then carries an exit code.
class CompletionObject : public KernelObject {
public:
    explicit CompletionObject(ObjectKind kind) : KernelObject(kind) {}

    bool IsWaitable() const override { return true; }
    bool IsSignalledLocked() const override { return m_finished; }

    // Signals every waiter.
    void Finish(DWORD exitCode);
    // STILL_ACTIVE until finished.
    DWORD ExitCode() const;

private:
    bool m_finished = false;
    DWORD m_exitCode = STILL_ACTIVE;
};

class HandleTable {
public:
    static HANDLE Insert(std::shared_ptr<KernelObject> object);
    static std::shared_ptr<KernelObject> Find(HANDLE handle);

    // The object behind `handle` when it is of `kind`; otherwise null with
    // ERROR_INVALID_HANDLE set.
    template <class T>
    static std::shared_ptr<T> FindAs(HANDLE handle, ObjectKind kind)
    {
        std::shared_ptr<KernelObject> object = Find(handle);
        if (!object || object->Kind() != kind) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        return std::static_pointer_cast<T>(std::move(object));
    }

    // Removes the handle when it refers to an object of `kind`. The object
    // lives on while anyone (a waiter, a worker) still holds it.
    static bool Remove(HANDLE handle, ObjectKind kind);
    static bool Remove(HANDLE handle);  // any kind but Find and RegistryKey, as CloseHandle

    static std::size_t Count();

    static std::mutex& WaitMutex();
    static std::condition_variable& WaitCondition();
    // Runs `change` with WaitMutex() held, then wakes every waiter.
    static void ChangeState(const std::function<void()>& change);
};

}  // namespace win
