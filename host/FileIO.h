// The host's file utility: a finder over the platform's find-first
// enumeration, and the switch that pauses all host file activity.
//
// AllSuspend / AllResume nest: activity resumes when every suspend has been
// matched. Host code that writes files on its own (the simulator's
// background saves) checks IsSuspended and waits. A resume without a
// suspend is ignored and logged.
#pragma once

#include "win/FileApi.h"
#include "win/Win32Types.h"

class FileIO {
public:
    // The mode is the caller's purpose (the file page passes 4, a listing
    // for display); the finder reports every entry whatever the mode.
    explicit FileIO(int mode);
    ~FileIO();
    FileIO(const FileIO&) = delete;
    FileIO& operator=(const FileIO&) = delete;

    int GetMode() const { return m_mode; }

    // Non-zero on success, like FindFirstFileW / FindNextFileW / FindClose,
    // without the 8.3 aliases (cAlternateFileName stays empty). FindFirst
    // closes a search still open from an earlier call.
    BOOL FindFirst(LPCWSTR pattern, WIN32_FIND_DATAW* data);
    BOOL FindNext(WIN32_FIND_DATAW* data);
    BOOL FindClose();

    static void AllSuspend();
    static void AllResume();
    static bool IsSuspended();
    static int GetSuspendDepth();
    // Suspends since the process started (tests compare before and after).
    static int GetSuspendTotal();

private:
    int m_mode;
    HANDLE m_find = INVALID_HANDLE_VALUE;
};
