// Small helpers shared by the tests of the measurement-mode folder: reading
// what a control shows and where the saved setups live on disk.
#pragma once

#include "tests/harness/ScriptedOperator.h"
#include "win/Window.h"

#include <string>

namespace mode_test {

inline constexpr UINT IDD_SYSTEM = 17000;
inline constexpr UINT IDD_MAIN_SHEET = 17001;
inline constexpr UINT IDD_INIT = 17009;
inline constexpr UINT IDD_MY_SETUP = 17018;
inline constexpr UINT IDD_SHUTDOWN = 17019;
inline constexpr UINT IDD_POPUP = 30000;
inline constexpr UINT IDD_KEYBOARD = 30003;
inline constexpr UINT IDD_MESSAGE_BOX = 0xFF00;
inline constexpr int IDC_CLOSE_SYSTEM = 17045;

inline const std::wstring kFolder = L"D:\\_KQ58SYSTEM.$$$";

inline std::wstring CommentPath(int slot) { return kFolder + L"\\No." + std::to_wstring(slot) + L".cmt"; }
inline std::wstring ConfigPath(int slot) { return kFolder + L"\\No." + std::to_wstring(slot) + L".cfg"; }

// The text of control `id` anywhere inside `window` (child dialogs included).
inline std::wstring ControlText(HWND window, int id)
{
    HWND control = testing_support::FindControl(window, id);
    return control ? GetWindowTextString(control) : L"(no control " + std::to_wstring(id) + L")";
}

// BM_GETCHECK of control `id`: check boxes and push switches alike.
inline int CheckState(HWND window, int id)
{
    HWND control = testing_support::FindControl(window, id);
    return control ? static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0)) : -1;
}

}  // namespace mode_test
