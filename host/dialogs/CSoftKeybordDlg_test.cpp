#include "host/dialogs/CSoftKeybordDlg.h"
#include "host/dialogs/CSoftKeybordDlg_PathAndFile.h"
#include "host/dialogs/HostTemplate.h"
#include "tests/harness/DialogTestHelpers.h"

#include <gtest/gtest.h>

using host::IDD_HOST_KEYBOARD;
using testing_support::ControlText;
using testing_support::ScriptedOperator;

namespace {

int CharKey(int row, int column) { return CSoftKeybordDlg::kFirstCharKeyId + row * CSoftKeybordDlg::kKeysPerRow + column; }

}  // namespace

TEST(CSoftKeybordDlg, KeepsItsLengthLimitAndSaysSoAndCancelKeepsTheText)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Type(IDD_HOST_KEYBOARD, L"abcdefg");
    script.Do(IDD_HOST_KEYBOARD, "limit shown", [](HWND dialog) {
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, CSoftKeybordDlg::kEnterId))) << "one line: no line keys";
        EXPECT_EQ(L"abcde", ControlText(dialog, CSoftKeybordDlg::kEntryId));
        EXPECT_EQ(L"文字数の上限です", ControlText(dialog, CSoftKeybordDlg::kMessageId));
        EXPECT_EQ(L"5/5 文字  (5/16)", ControlText(dialog, CSoftKeybordDlg::kStatusId));
    });
    script.Answer(IDOK);
    CSoftKeybordDlg keyboard(nullptr);
    keyboard.SetConfigData(L"コメント", L"", 5, false, false, 1, 16);
    EXPECT_EQ(1, keyboard.DoModal());
    EXPECT_EQ(CString(L"abcde"), keyboard.GetStrings());

    script.Type(IDD_HOST_KEYBOARD, L"あいう").Answer(IDCANCEL);
    keyboard.SetConfigData(L"", L"初期値", 16, false, false, 1, 16);
    EXPECT_EQ(2, keyboard.DoModal());
    EXPECT_EQ(CString(L"初期値"), keyboard.GetStrings()) << "cancel keeps the initial text";
}

TEST(CSoftKeybordDlg, KeyButtonsTypeAndTheEntryKeepsTheFocus)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Tap(IDD_HOST_KEYBOARD, CharKey(1, 0));  // q
    script.Tap(IDD_HOST_KEYBOARD, CSoftKeybordDlg::kShiftId);
    script.Do(IDD_HOST_KEYBOARD, "shifted labels", [](HWND dialog) {
        EXPECT_EQ(L"Q", ControlText(dialog, CharKey(1, 0)));
        EXPECT_EQ(L"!", ControlText(dialog, CharKey(0, 0)));
    });
    script.Tap(IDD_HOST_KEYBOARD, CharKey(1, 0));  // Q
    script.Tap(IDD_HOST_KEYBOARD, CSoftKeybordDlg::kSpaceId);
    script.Tap(IDD_HOST_KEYBOARD, CharKey(0, 0));  // !
    script.Type(IDD_HOST_KEYBOARD, L"z");
    script.Tap(IDD_HOST_KEYBOARD, CSoftKeybordDlg::kBackId);
    script.PressKey(IDD_HOST_KEYBOARD, VK_BACK);
    script.Type(IDD_HOST_KEYBOARD, L"1");
    // The computer's editing keys act at the entry's cursor.
    for (UINT key : {VK_HOME, VK_DELETE, VK_RIGHT, VK_DELETE, VK_END})
        script.PressKey(IDD_HOST_KEYBOARD, key);
    script.Answer(IDOK);
    CSoftKeybordDlg keyboard(nullptr);
    keyboard.SetConfigData(L"", L"", 0xFFFFFFFF, true, false, -1, -1);
    EXPECT_EQ(1, keyboard.DoModal());
    EXPECT_EQ(CString(L"Q1"), keyboard.GetStrings());
}

TEST(CSoftKeybordDlg, KeepsLineLimitsWithEnterAndJoinsLinesWithCrLf)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Do(IDD_HOST_KEYBOARD, "cursor on line 2", [](HWND dialog) {
        EXPECT_EQ(L"4 文字  行 2/3  (2/4)", ControlText(dialog, CSoftKeybordDlg::kStatusId));
    });
    script.Type(IDD_HOST_KEYBOARD, L"xyz");
    script.Do(IDD_HOST_KEYBOARD, "line full", [](HWND dialog) {
        EXPECT_EQ(L"1行の文字数の上限です", ControlText(dialog, CSoftKeybordDlg::kMessageId));
    });
    script.PressKey(IDD_HOST_KEYBOARD, VK_RETURN);  // a new third line, not OK
    script.Type(IDD_HOST_KEYBOARD, L"ok");
    script.Tap(IDD_HOST_KEYBOARD, CSoftKeybordDlg::kEnterId);
    script.Do(IDD_HOST_KEYBOARD, "no fourth line", [](HWND dialog) {
        EXPECT_EQ(L"行数の上限です", ControlText(dialog, CSoftKeybordDlg::kMessageId));
        EXPECT_EQ(L"l1\r\nl2xy\r\nok", ControlText(dialog, CSoftKeybordDlg::kEntryId));
    });
    script.Answer(IDOK);
    CSoftKeybordDlg keyboard(nullptr);
    keyboard.SetConfigData(L"信号名", L"l1\r\nl2\r\n", 0xFFFFFFFF, true, false, 3, 4);
    keyboard.InitFocusLine(1);
    EXPECT_EQ(1, keyboard.DoModal());
    EXPECT_EQ(CString(L"l1\r\nl2xy\r\nok"), keyboard.GetStrings());
}

TEST(CSoftKeybordDlg, MasksPasswordsAndRefusesFullWidthWhenAsked)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Type(IDD_HOST_KEYBOARD, L"abc");
    script.Do(IDD_HOST_KEYBOARD, "masked", [](HWND dialog) {
        EXPECT_EQ(L"＊＊＊", ControlText(dialog, CSoftKeybordDlg::kEntryId));
        EXPECT_FALSE(testing_support::ShowsText(dialog, L"abc"));
    });
    script.Answer(IDOK);
    CSoftKeybordDlg keyboard(nullptr);
    keyboard.SetConfigData(L"パスワード", L"", 15, false, true, -1, -1);
    EXPECT_EQ(1, keyboard.DoModal());
    EXPECT_EQ(CString(L"abc"), keyboard.GetStrings());

    ScriptedOperator halfWidth;
    halfWidth.Type(IDD_HOST_KEYBOARD, L"1あ2");
    halfWidth.Do(IDD_HOST_KEYBOARD, "refused", [](HWND dialog) {
        EXPECT_EQ(L"12", ControlText(dialog, CSoftKeybordDlg::kEntryId));
    });
    halfWidth.Answer(IDOK);
    CSoftKeybordDlg address(nullptr);
    address.SetConfigData(L"IPアドレス", L"", 0xFFFFFFFF, true, false, -1, -1);
    EXPECT_EQ(1, address.DoModal());
    EXPECT_EQ(CString(L"12"), address.GetStrings());
}

TEST(CSoftKeybordDlg_PathAndFile, RefusesCharactersNamesCannotHold)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Type(host::IDD_HOST_KEYBOARD_PATH, L"a?");
    script.Do(host::IDD_HOST_KEYBOARD_PATH, "refused", [](HWND dialog) {
        EXPECT_EQ(L"ファイル名に使えない文字です", ControlText(dialog, CSoftKeybordDlg::kMessageId));
        EXPECT_EQ(L"\\", ControlText(dialog, CharKey(2, 9))) << "the backslash is on the keys";
    });
    script.Type(host::IDD_HOST_KEYBOARD_PATH, L"b");
    script.Do(host::IDD_HOST_KEYBOARD_PATH, "the next key clears the message", [](HWND dialog) {
        EXPECT_EQ(L"", ControlText(dialog, CSoftKeybordDlg::kMessageId));
    });
    script.Tap(host::IDD_HOST_KEYBOARD_PATH, CharKey(2, 9));
    script.Type(host::IDD_HOST_KEYBOARD_PATH, L"c*.ENV");
    script.Answer(IDOK);
    CSoftKeybordDlg_PathAndFile keyboard(nullptr);
    keyboard.SetConfigData(L"設定", L"D:", 260, false, false, 1, 260);
    EXPECT_EQ(1, keyboard.DoModal());
    EXPECT_EQ(CString(L"D:ab\\c.ENV"), keyboard.GetStrings());
}
