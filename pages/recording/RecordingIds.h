// Template and control ids of the recording page and its dialogs, and the
// text-service lookup they share.
#pragma once

#include "host/TextService.h"
#include "win/Win32Types.h"

namespace recording_ids {

inline constexpr UINT IDD_RECORDING_SHEET = 17005;
inline constexpr UINT IDD_PRINT = 17011;
inline constexpr UINT IDD_USER_SPEED = 17013;
inline constexpr UINT IDD_USER_SPEED_SHEET = 17014;

// Recording page.
inline constexpr int IDC_BUTTON_SPEED_TABLE = 17062;
inline constexpr int IDC_BUTTON_PRINT = 17063;
inline constexpr int IDC_TIME_SCALE_FIRST = 17133;  // 17133..17135: notation 0..2
inline constexpr int IDC_SYNC_FIRST = 17136;        // 17136, 17137: ratio 0, 1
inline constexpr int IDC_HAND_DATA_NO = 17119;
inline constexpr int IDC_STATIC_DATA_NO = 17132;
inline constexpr int IDC_CHECK_START_TIMER = 17120;
inline constexpr int IDC_CHECK_INTERVAL = 17121;
inline constexpr int IDC_STATIC_START_TIME = 17122;
inline constexpr int IDC_STATIC_END_TIME = 17123;
inline constexpr int IDC_JOG_INTERVAL_TIME = 17124;
inline constexpr int IDC_JOG_RUN_TIME = 17125;
inline constexpr int IDC_JOG_BUTTON_INTERVAL = 17109;
inline constexpr int IDC_JOG_BUTTON_RUN = 17110;
inline constexpr int IDC_HAND_START_TIME = 17126;
inline constexpr int IDC_HAND_END_TIME = 17127;
inline constexpr int IDC_CHECK_FREC_SAVE = 17138;
inline constexpr int IDC_CAPACITY = 17145;

inline constexpr DWORD kDataNoMask = 0xFFFFFF;
inline constexpr DWORD kMaxDataNo = 9999;
inline constexpr int kMaxIntervalMinutes = 46080;  // 32 days

inline constexpr const wchar_t* kStartTimeCaption = L"開始時刻";
inline constexpr const wchar_t* kEndTimeCaption = L"終了時刻";
inline constexpr const wchar_t* kDataNoCaption = L"データNo.";

inline const wchar_t* Text(DWORD group, DWORD item, const wchar_t* defaultText)
{
    return GetTextServiceObject()->GetText(group, item, defaultText);
}

}  // namespace recording_ids
