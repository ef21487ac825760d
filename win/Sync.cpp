#include "win/Sync.h"

#include "win/DebugLog.h"

#include <chrono>
#include <climits>
#include <map>
#include <thread>
#include <time.h>

namespace {

class EventObject : public win::KernelObject {
public:
    EventObject(bool manualReset, bool signalled)
        : KernelObject(win::ObjectKind::Event), m_manualReset(manualReset), m_signalled(signalled)
    {
    }

    bool IsWaitable() const override { return true; }
    bool IsSignalledLocked() const override { return m_signalled; }
    void OnWaitSatisfiedLocked() override
    {
        if (!m_manualReset)
            m_signalled = false;
    }
    void SetSignalledLocked(bool signalled) { m_signalled = signalled; }

private:
    bool m_manualReset;
    bool m_signalled;
};

std::mutex g_namesMutex;
std::map<std::wstring, std::weak_ptr<EventObject>> g_namedEvents;

BOOL ChangeEvent(HANDLE handle, bool signalled)
{
    std::shared_ptr<EventObject> event = win::HandleTable::FindAs<EventObject>(handle, win::ObjectKind::Event);
    if (!event) {
        OutputDebugStringW(signalled ? L"SetEvent: invalid handle" : L"ResetEvent: invalid handle");
        return FALSE;
    }
    win::HandleTable::ChangeState([&] { event->SetSignalledLocked(signalled); });
    return TRUE;
}

}  // namespace

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCWSTR name)
{
    if (name == nullptr || *name == L'\0') {
        SetLastError(ERROR_SUCCESS);
        return win::HandleTable::Insert(std::make_shared<EventObject>(manualReset != FALSE, initialState != FALSE));
    }
    std::lock_guard<std::mutex> lock(g_namesMutex);
    std::shared_ptr<EventObject> event = g_namedEvents[name].lock();
    const bool existed = event != nullptr;
    if (!event) {
        event = std::make_shared<EventObject>(manualReset != FALSE, initialState != FALSE);
        g_namedEvents[name] = event;
    }
    HANDLE handle = win::HandleTable::Insert(event);
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL SetEvent(HANDLE event)
{
    return ChangeEvent(event, true);
}

BOOL ResetEvent(HANDLE event)
{
    return ChangeEvent(event, false);
}

void Sleep(DWORD milliseconds)
{
    if (milliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    if (milliseconds == INFINITE) {
        while (true)
            std::this_thread::sleep_for(std::chrono::hours(24));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

ULONGLONG GetTickCount64()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<ULONGLONG>(now.tv_sec) * 1000 + static_cast<ULONGLONG>(now.tv_nsec) / 1000000;
}

DWORD GetTickCount()
{
    return static_cast<DWORD>(GetTickCount64());
}

LONG InterlockedIncrement(volatile LONG* value)
{
    return __atomic_add_fetch(value, 1, __ATOMIC_SEQ_CST);
}

LONG InterlockedDecrement(volatile LONG* value)
{
    return __atomic_sub_fetch(value, 1, __ATOMIC_SEQ_CST);
}

LONG InterlockedExchange(volatile LONG* target, LONG value)
{
    return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}

LONG InterlockedCompareExchange(volatile LONG* target, LONG exchange, LONG comparand)
{
    __atomic_compare_exchange_n(target, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    return comparand;  // the initial value, whether or not it was replaced
}

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    long long product = static_cast<long long>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const unsigned long long magnitude = product < 0 ? 0ULL - static_cast<unsigned long long>(product)
                                                     : static_cast<unsigned long long>(product);
    const unsigned long long divisor = denominator < 0 ? 0ULL - static_cast<unsigned long long>(denominator)
                                                       : static_cast<unsigned long long>(denominator);
    const unsigned long long rounded = (magnitude + divisor / 2) / divisor;
    if (rounded > (negative ? static_cast<unsigned long long>(INT_MAX) + 1 : static_cast<unsigned long long>(INT_MAX)))
        return -1;
    return negative ? static_cast<int>(0LL - static_cast<long long>(rounded)) : static_cast<int>(rounded);
}
