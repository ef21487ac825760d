// Template and control ids of the auxiliary page and the key-lock password
// dialog, and the text lookup they share.
#pragma once

#include "host/TextService.h"
#include "win/Win32Types.h"

namespace misc_ids {

inline constexpr UINT IDD_MISC_SHEET = 17006;
inline constexpr UINT IDD_PASSWORD = 17015;

// Auxiliary page.
inline constexpr int IDC_CHECK_BUZZER = 17068;
inline constexpr int IDC_CHECK_CLICK = 17075;
inline constexpr int IDC_CHECK_DISPLAY_AUTO_OFF = 17069;
inline constexpr int IDC_CHECK_KEY_LOCK_ON_RESUME = 17070;
inline constexpr int IDC_CHECK_COPY_TO_PAPER = 17065;
inline constexpr int IDC_CHECK_COPY_TO_FOLDER = 17066;
inline constexpr int IDC_CHECK_CURSOR = 17076;
inline constexpr int IDC_GROUP_CURSOR = 17018;
inline constexpr int IDC_STATIC_FOLDER = 17073;
inline constexpr int IDC_HAND_FOLDER = 17067;
inline constexpr int IDC_JOG_DELAY = 17071;
inline constexpr int IDC_JOG_FEED = 17072;
inline constexpr int IDC_BUTTON_PASSWORD = 17153;

// Password dialog.
inline constexpr int IDC_HAND_ENTRY = 17040;
inline constexpr int IDC_HAND_CONFIRM = 17041;
inline constexpr int IDC_STATIC_ENTRY = 17150;
inline constexpr int IDC_STATIC_CONFIRM = 17149;

// The longest password the block's field holds with its terminator, in
// UTF-16 units.
inline constexpr int kMaxPasswordUnits = 15;

inline const wchar_t* Text(DWORD group, DWORD item, const wchar_t* defaultText)
{
    return GetTextServiceObject()->GetText(group, item, defaultText);
}

}  // namespace misc_ids
