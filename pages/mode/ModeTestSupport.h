// Shared by the measurement-mode tests: a host with a data root and a
// recording receiver, reading controls, answering popups, saved-setup paths.
#pragma once

#include "core/SystemDlg.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/ScriptedOperator.h"
#include "tests/harness/TempDataRoot.h"
#include "win/TextConvert.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mode_test {

using testing_support::FindControl;
using testing_support::RecordingReceiver;
using testing_support::ScriptedOperator;

inline constexpr UINT IDD_SYSTEM = 17000, IDD_INIT = 17009, IDD_MY_SETUP = 17018, IDD_POPUP = 30000;
inline constexpr UINT IDD_KEYBOARD = 30003, IDD_MESSAGE_BOX = 0xFF00;
inline constexpr int IDC_CLOSE_SYSTEM = 17045, IDC_POPUP_MESSAGE = 30010;

inline const std::wstring kFolder = L"D:\\_KQ58SYSTEM.$$$";
inline const std::wstring kRestartQuestion = L"設定を反映するためにプログラムを再起動します。";

inline std::wstring CommentPath(int slot) { return kFolder + L"\\No." + std::to_wstring(slot) + L".cmt"; }
inline std::wstring ConfigPath(int slot) { return kFolder + L"\\No." + std::to_wstring(slot) + L".cfg"; }

// The text of control `id` anywhere inside `window` (child dialogs included).
inline std::wstring ControlText(HWND window, int id)
{
    HWND control = FindControl(window, id);
    return control ? GetWindowTextString(control) : L"(no control " + std::to_wstring(id) + L")";
}

// BM_GETCHECK of control `id`: check boxes and push switches alike.
inline int CheckState(HWND window, int id)
{
    HWND control = FindControl(window, id);
    return control ? static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0)) : -1;
}

// A step that checks a popup's caption and exact message, then presses `button`.
inline void AnswerPopup(ScriptedOperator& script, const std::wstring& caption, const std::wstring& message,
                        int button)
{
    script.Do(IDD_POPUP, "answer '" + win::WideToUtf8(message) + "'", [=](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), caption);
        EXPECT_EQ(ControlText(window, IDC_POPUP_MESSAGE), message);
        win::Tap(FindControl(window, button));
    });
}

// UTF-16LE bytes, zero-filled to `size` when given (a comment file as the
// dialog writes it has 40).
inline std::string Utf16Le(const std::u16string& text, std::size_t size = 0)
{
    std::string bytes;
    for (char16_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    bytes.resize(std::max(size, bytes.size()), '\0');
    return bytes;
}

// A temporary data root, the host's configuration and a recording receiver,
// with a watchdog against a nested loop that never returns.
class ModeTest : public ::testing::Test {
protected:
    // Runs the system dialog on the host's record, handing it `to` when given.
    INT_PTR RunSystem(CSystemDlg& frame, RecordingReceiver* to)
    {
        frame.SetupConfigData(&host.record, false);
        if (to)
            frame.SetDLGCallback(to, 7);
        return frame.DoModal();
    }

    testing_support::Watchdog watchdog;
    testing_support::TempDataRoot root;
    testing_support::HostConfiguration host;
    RecordingReceiver receiver;
};

}  // namespace mode_test
