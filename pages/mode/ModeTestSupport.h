// What the tests of the measurement-mode folder share: a host with a data
// root and a recording receiver, reading what a control shows, answering
// popups and where the saved setups live.
#pragma once

#include "core/SystemDlg.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/ScriptedOperator.h"
#include "tests/harness/TempDataRoot.h"
#include "win/TextConvert.h"
#include "win/Window.h"

#include <gtest/gtest.h>

#include <string>

namespace mode_test {

inline constexpr UINT IDD_SYSTEM = 17000;
inline constexpr UINT IDD_INIT = 17009;
inline constexpr UINT IDD_MY_SETUP = 17018;
inline constexpr UINT IDD_SHUTDOWN = 17019;
inline constexpr UINT IDD_POPUP = 30000;
inline constexpr UINT IDD_KEYBOARD = 30003;
inline constexpr UINT IDD_MESSAGE_BOX = 0xFF00;
inline constexpr int IDC_CLOSE_SYSTEM = 17045;
inline constexpr int IDC_POPUP_MESSAGE = 30010;

inline const std::wstring kFolder = L"D:\\_KQ58SYSTEM.$$$";
inline const std::wstring kRestartQuestion = L"設定を反映するためにプログラムを再起動します。";

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

// Taps the controls one after another in the window of `templateId`.
inline void TapAll(testing_support::ScriptedOperator& script, UINT templateId, std::initializer_list<int> ids)
{
    for (int id : ids)
        script.Tap(templateId, id);
}

// A step that checks a popup's caption and exact message, then presses `button`.
inline void AnswerPopup(testing_support::ScriptedOperator& script, const std::wstring& caption,
                        const std::wstring& message, int button)
{
    script.Do(IDD_POPUP, "answer '" + win::WideToUtf8(message) + "'", [=](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), caption);
        EXPECT_EQ(ControlText(window, IDC_POPUP_MESSAGE), message);
        win::Tap(testing_support::FindControl(window, button));
    });
}

inline std::string Utf16Le(const std::u16string& text)
{
    std::string bytes;
    for (char16_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

// A comment file as the dialog writes it: UTF-16LE, zero-filled to 40 bytes.
inline std::string CommentFileOf(const std::u16string& comment)
{
    std::string bytes = Utf16Le(comment);
    bytes.resize(40, '\0');
    return bytes;
}

// A temporary data root, the host's configuration and a recording receiver,
// with a watchdog against a nested loop that never returns.
class ModeTest : public ::testing::Test {
protected:
    // Runs the system dialog on the host's record, handing it `to` when given.
    INT_PTR RunSystem(CSystemDlg& frame, testing_support::RecordingReceiver* to)
    {
        frame.SetupConfigData(&host.record, false);
        if (to)
            frame.SetDLGCallback(to, 7);
        return frame.DoModal();
    }
    // The same, with the operator closing the dialog after its other steps.
    void RunSystemAndClose(testing_support::ScriptedOperator& script, testing_support::RecordingReceiver* to)
    {
        script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
        CSystemDlg frame(nullptr);
        RunSystem(frame, to);
    }

    testing_support::Watchdog watchdog;
    testing_support::TempDataRoot root;
    testing_support::HostConfiguration host;
    testing_support::RecordingReceiver receiver;
};

}  // namespace mode_test
