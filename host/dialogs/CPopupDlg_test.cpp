#include "host/dialogs/CPopupDlg.h"
#include "host/dialogs/HostTemplate.h"
#include "host/widgets/WidgetHost_test.h"
#include "tests/harness/DialogTestHelpers.h"

#include <gtest/gtest.h>

using host::IDD_HOST_POPUP;
using testing_support::ScriptedOperator;
using testing_support::ShowsText;
using testing_support::Visible;

// A question (the default, and any mode it does not know) has two buttons
// and returns 1 or 2, Escape counting as cancel; a notice has one. Captions
// and messages are checked with every page's popups.
TEST(CPopupDlg, QuestionsAskAndNoticesHaveOneCloseButton)
{
    testing_support::Watchdog watchdog;
    struct Row {
        int mode;  // 0: left as constructed
        int answer;  // a button, or 0 for the Escape key
        const wchar_t* okText;
    };
    const Row rows[] = {{0, IDOK, L"実行"}, {0, IDCANCEL, L"実行"}, {1, 0, L"実行"}, {2, IDOK, L"閉じる"}, {9, IDCANCEL, L"実行"}};
    for (const Row& row : rows) {
        SCOPED_TRACE("mode " + std::to_string(row.mode) + ", answer " + std::to_string(row.answer));
        ScriptedOperator script;
        script.Do(IDD_HOST_POPUP, "look at the popup", [&](HWND popup) {
            EXPECT_EQ(row.okText, GetWindowTextString(GetDlgItem(popup, IDOK)));
            EXPECT_EQ(row.mode != 2, Visible(popup, IDCANCEL));
            EXPECT_TRUE(row.mode == 2 || GetWindowTextString(GetDlgItem(popup, IDCANCEL)) == L"キャンセル");
        });
        if (row.answer)
            script.Answer(row.answer);
        else
            script.PressKey(IDD_HOST_POPUP, VK_ESCAPE);
        CPopupDlg popup(nullptr, true);
        if (row.mode)
            popup.SetButtonMode(row.mode);
        EXPECT_EQ(row.answer ? row.answer : IDCANCEL, popup.DoModal());
    }
}

TEST(CPopupDlg, AbortNoticeIsOperableWhileTheCallerOnlyPollsIsExit)
{
    testing_support::Watchdog watchdog;
    widget_tests::WidgetHost page;
    CPopupDlg notice(&page, true);
    notice.SetCaptionText(L"テストプリント");
    notice.SetMessageText(L"終了するには中止を押してください。");
    notice.SetButtonMode(3);
    ASSERT_TRUE(notice.Create(&page));
    EXPECT_FALSE(IsWindowVisible(notice.m_hWnd)) << "the caller shows it";
    EXPECT_TRUE(win::IsWindowModal(notice.m_hWnd)) << "nothing behind it acts while the job runs";
    notice.ShowWindow(SW_SHOW);
    EXPECT_EQ(L"中止", GetWindowTextString(GetDlgItem(notice.m_hWnd, IDOK)));
    EXPECT_FALSE(Visible(notice.m_hWnd, IDCANCEL));

    ScriptedOperator script;
    script.Do(IDD_HOST_POPUP, "look at the notice", [](HWND front) {
        EXPECT_TRUE(ShowsText(front, L"終了するには中止を押してください。"));
    });
    script.Tap(IDD_HOST_POPUP, IDOK);
    int polls = 0;
    while (!notice.IsExit() && polls < 20)
        ++polls;
    EXPECT_EQ(1, notice.IsExit());
    EXPECT_LT(polls, 20);
    EXPECT_TRUE(IsWindow(notice.m_hWnd)) << "the notice stays until the caller closes it";
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(notice.m_hWnd, IDOK)));
}

// Without an operator: IsExit handles only the notice's own messages, closing
// the notice counts as its button, and a notice that is gone ends the wait.
TEST(CPopupDlg, IsExitHandlesOnlyTheNoticesMessages)
{
    widget_tests::WidgetHost page;
    win::InputDriver* previous = win::SetInputDriver(nullptr);
    for (int ending : {0, 1, 2}) {
        CPopupDlg notice(&page, true);
        notice.SetButtonMode(3);
        ASSERT_TRUE(notice.Create(&page));
        notice.ShowWindow(SW_SHOW);
        EXPECT_EQ(0, notice.IsExit()) << "nothing pressed, nothing to wait for";
        if (ending == 0) {
            constexpr UINT kOther = WM_APP + 7;
            PostMessageW(page.m_hWnd, kOther, 0, 0);
            ASSERT_EQ(win::InputResult::Posted, win::Tap(GetDlgItem(notice.m_hWnd, IDOK)));
            EXPECT_EQ(1, notice.IsExit());
            MSG msg;
            EXPECT_TRUE(PeekMessageW(&msg, page.m_hWnd, kOther, kOther, PM_REMOVE))
                << "a message for another window waits for the caller's own loop";
        } else if (ending == 1) {
            PostMessageW(notice.m_hWnd, WM_CLOSE, 0, 0);
            EXPECT_EQ(IDCANCEL, notice.IsExit());
        } else {
            notice.DestroyWindow();
            EXPECT_NE(0, notice.IsExit());
        }
    }
    win::SetInputDriver(previous);
}
