// Events and the small kernel services around them: sleeping, tick counts,
// interlocked arithmetic and MulDiv.
#pragma once

#include "win/Handles.h"
#include "win/WinNT.h"

// An event with a name is shared by every CreateEventW of that name while
// one of its handles is open; the second and later calls report
// ERROR_ALREADY_EXISTS. An auto-reset event releases one waiter per SetEvent.
HANDLE CreateEventW(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

void Sleep(DWORD milliseconds);
// Milliseconds of the monotonic clock; not moved by SetLocalTime. The
// 32-bit count wraps after 49.7 days, as on Windows.
DWORD GetTickCount();
ULONGLONG GetTickCount64();

LONG InterlockedIncrement(volatile LONG* value);
LONG InterlockedDecrement(volatile LONG* value);
LONG InterlockedExchange(volatile LONG* target, LONG value);
LONG InterlockedCompareExchange(volatile LONG* target, LONG exchange, LONG comparand);

// number * numerator / denominator with a 64-bit intermediate, rounded half
// away from zero; -1 when the denominator is 0 or the result overflows.
int MulDiv(int number, int numerator, int denominator);
