// Everything of the platform that the dialog code and the host reach as
// <windows.h> / <afx.h>: the Win32 base types and the Windows services.
// min and max are not defined as macros here.
#pragma once

#include "win/Win32Types.h"
#include "win/WinNT.h"

#include "win/CFile.h"
#include "win/CString.h"
#include "win/CTime.h"
#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/FileApi.h"
#include "win/Handles.h"
#include "win/Process.h"
#include "win/Registry.h"
#include "win/ShellFileOperation.h"
#include "win/Sync.h"
#include "win/TextConvert.h"
#include "win/TimeApi.h"
#include "win/WideFormat.h"
#include "win/WinThread.h"

// ---------------------------------------------------------------------------
// Window system headers (added by the window-system side).
// ---------------------------------------------------------------------------
