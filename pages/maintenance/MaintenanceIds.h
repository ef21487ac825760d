// Template and control ids of the maintenance page, and its text lookup.
#pragma once

#include "host/TextService.h"
#include "win/Win32Types.h"

namespace maintenance_ids {

inline constexpr UINT IDD_MAINTENANCE_SHEET = 17004;

inline constexpr int IDC_BUTTON_VERSION = 17038;
inline constexpr int IDC_BUTTON_TEST_PRINT = 17039;
inline constexpr int IDC_BUTTON_DATA_RECORD = 17050;
inline constexpr int IDC_BUTTON_CLOCK = 17037;
inline constexpr int IDC_BUTTON_TOUCH_PANEL = 17046;
inline constexpr int IDC_CHECK_MAINTENANCE_NEXT = 17181;

// The page's own texts (group 17004).
inline const wchar_t* Text(DWORD item, const wchar_t* defaultText)
{
    return GetTextServiceObject()->GetText(IDD_MAINTENANCE_SHEET, item, defaultText);
}

}  // namespace maintenance_ids
