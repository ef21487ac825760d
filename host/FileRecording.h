// The host's file recorder. The dialog tells it how much disk space to
// keep free for the waveform-memory backup after files were deleted.
#pragma once

#include "win/Win32Types.h"

class CFileRecording {
public:
    // A negative size is kept as it is: it is the caller's report, and the
    // recorder treats anything below zero as nothing to reserve.
    static void SetMemBackupReservedSize(LONGLONG bytes);
    static LONGLONG GetMemBackupReservedSize();
    // Calls since the process started (tests compare before and after).
    static int GetSetCount();
};
