// Template and control ids of the communication page and its two dialogs,
// and what they share: the text lookup, the delimiter and time-out texts and
// the time-out entry on the number pad.
#pragma once

#include "host/TextService.h"
#include "win/CString.h"
#include "win/Win32Types.h"

class CDC;
class CWnd;

namespace comm_ids {

inline constexpr UINT IDD_COMM_SHEET = 17003;
inline constexpr UINT IDD_RS232C = 17007;
inline constexpr UINT IDD_LAN = 17008;

// Communication page.
inline constexpr int IDC_PORT_RS232C = 17020;
inline constexpr int IDC_PORT_LAN = 17022;
inline constexpr int IDC_PORT_NONE = 17026;
inline constexpr int IDC_CHECK_UPS = 17056;
inline constexpr int IDC_CHECK_SEND_ON_TRIGGER = 17055;
inline constexpr int IDC_CHECK_SEND_ON_RECORD_END = 17054;
inline constexpr int IDC_CHECK_SEND_ON_ERROR = 17052;
inline constexpr int IDC_BUTTON_RS232C = 17049;
inline constexpr int IDC_BUTTON_LAN = 17047;
inline constexpr int IDC_RS232C_SUMMARY = 17059;
inline constexpr int IDC_LAN_SUMMARY = 17060;

// Both dialogs: the time-out shown and its hand button.
inline constexpr int IDC_STATIC_TIMEOUT = 17098;
inline constexpr int IDC_HAND_TIMEOUT = 17057;

// LAN dialog.
inline constexpr int IDC_HAND_ADDRESS = 17040;  // 17040..17042: address, mask, gateway
inline constexpr int IDC_HAND_DELIMITER = 17043;
inline constexpr int IDC_STATIC_ADDRESS = 17094;  // 17094..17096: address, mask, gateway
inline constexpr int IDC_STATIC_DELIMITER = 17097;
inline constexpr int IDC_CHECK_DHCP = 17099;

// Block delimiter codes.
inline constexpr DWORD kDelimiterCR = 1;
inline constexpr DWORD kDelimiterLF = 2;
inline constexpr DWORD kDelimiterCRLF = 3;

inline const wchar_t* Text(DWORD group, DWORD item, const wchar_t* defaultText)
{
    return GetTextServiceObject()->GetText(group, item, defaultText);
}

// "%ds" of the whole seconds in a time-out of `milliseconds`.
CString TimeoutText(DWORD milliseconds);

// The number pad for a time-out of 0 to 60 seconds, starting from
// `startMilliseconds` in whole seconds. True, and `milliseconds` set, when
// the operator confirms.
bool EnterTimeout(CWnd* parent, const wchar_t* caption, DWORD startMilliseconds, DWORD& milliseconds);

// The read-only value fields of the dialogs: black text on white.
HBRUSH PaintValueField(CDC* dc);

}  // namespace comm_ids
