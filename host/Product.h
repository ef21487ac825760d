// Product queries of the host framework, answered from the current
// instrument profile.
#pragma once

#include "win/CString.h"
#include "win/Win32Types.h"

// The product id, shown with "%07d".
DWORD GetMachineID();

// Major, minor, revision letter code (0 none, 1.. 'a'.., 100.. 'A'..) and
// build of the main program, and its text (a release date). Any pointer may
// be null.
void GetMainProgramVersion(int* major, int* minor, int* revision, int* build, CString* text);

// Display name of an amplifier type code: "----" for 0 (an empty slot), the
// profile's name for a known code, "AMP(xx)" with the code in hexadecimal
// otherwise. The text stays valid for the life of the process.
const wchar_t* GetAmpTypeName(int code);

bool IsPW7200();

// The profile's value as it is: the option is fitted only when this is 1.
BOOL IsOptionKQ58_751();

// The export library's module handle, null when it is not installed.
HMODULE GetExportDLL();
