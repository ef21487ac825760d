// The folder and name dialog on its own, operated by taps and the keyboard.
#include "pages/files/FileProcDialog.h"

#include "pages/files/FilesTestSupport.h"

namespace files_test {
namespace {

class FileProcDialogTest : public ::testing::Test {
protected:
    testing_support::Watchdog watchdog;
    testing_support::TempDataRoot root;
};

TEST_F(FileProcDialogTest, NameModeTypesOnTheKeyboardAtMost260Characters)
{
    CFileProcDialog dialog(nullptr);
    dialog.Setup(CFileProcDialog::ModeName, L"新規フォルダ名", L"NewFolder");
    ScriptedOperator script;
    script.Do(IDD_PROC, "the hand button in the browse button's place", [&](HWND window) {
        EXPECT_FALSE(Visible(window, IDC_PROC_BROWSE));
        EXPECT_TRUE(Visible(window, IDC_PROC_HAND));
        RECT browse{}, hand{};
        GetWindowRect(FindControl(window, IDC_PROC_BROWSE), &browse);
        GetWindowRect(FindControl(window, IDC_PROC_HAND), &hand);
        EXPECT_EQ(std::make_pair(hand.left, hand.top), std::make_pair(browse.left, browse.top));
        EXPECT_EQ(hand.right - hand.left, 27) << "18 dialog units: its own width is kept";
    });
    script.Tap(IDD_PROC, IDC_PROC_HAND);
    script.Do(IDD_KEYBOARD_PATH, "the keyboard starts with the name", [&](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"設定");
        EXPECT_TRUE(testing_support::ShowsText(window, L"NewFolder"));
    });
    script.Type(IDD_KEYBOARD_PATH, L"X");
    script.Tap(IDD_KEYBOARD_PATH, IDCANCEL);
    ExpectText(script, IDD_PROC, IDC_PROC_VALUE, L"NewFolder");  // cancel keeps the name
    script.Tap(IDD_PROC, IDC_PROC_HAND);
    script.Type(IDD_KEYBOARD_PATH, L"2");
    script.Tap(IDD_KEYBOARD_PATH, IDOK);
    script.Tap(IDD_PROC, IDC_PROC_HAND);
    script.Type(IDD_KEYBOARD_PATH, std::wstring(270, L'a'));
    script.Tap(IDD_KEYBOARD_PATH, IDOK);
    script.Tap(IDD_PROC, IDOK);
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(dialog.GetValue(), L"NewFolder2" + std::wstring(250, L'a')) << "typed on after the kept text";
    EXPECT_TRUE(script.Finished());
}

TEST_F(FileProcDialogTest, CheckStatesAreReturnedOnlyAsConfirmed)
{
    CFileProcDialog dialog(nullptr);
    dialog.Setup(CFileProcDialog::ModeName, L"保存ファイル名", L"a.txt");
    dialog.SetCheckItem(0, L"信号名称", 1, FALSE);
    dialog.SetCheckItem(2, L"計測情報", 1, TRUE);
    dialog.SetCheckItem(5, L"Amp Unit", 0, FALSE);
    dialog.SetCheckItem(6, L"none", 1, TRUE);   // out of range: ignored
    dialog.SetCheckItem(-1, L"none", 1, TRUE);
    ScriptedOperator script;
    script.Do(IDD_PROC, "boxes", [&](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"設定") << "the host's caption until one is set";
        dialog.SetCaption(L"テキスト保存");
        EXPECT_EQ(GetWindowTextString(window), L"テキスト保存") << "at once";
        EXPECT_EQ(Latches(window, {kProcChecks[0], kProcChecks[2]}), L"01") << "ticked as set up";
        EXPECT_FALSE(Visible(window, kProcChecks[5])) << "set up not to show";
    });
    script.Tap(IDD_PROC, kProcChecks[0]).Tap(IDD_PROC, kProcChecks[2]);
    script.Tap(IDD_PROC, IDOK);
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ((std::vector<BOOL>{dialog.GetCheck(0), dialog.GetCheck(2), dialog.GetCheck(6), dialog.GetCheck(-1)}),
              (std::vector<BOOL>{TRUE, FALSE, FALSE, FALSE}));

    CFileProcDialog cancelled(nullptr);
    cancelled.Setup(CFileProcDialog::ModeName, L"保存ファイル名", L"a.txt");
    cancelled.SetCheckItem(1, L"x", 1, FALSE);
    ScriptedOperator second;
    second.Tap(IDD_PROC, kProcChecks[1]).Tap(IDD_PROC, IDCANCEL);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_FALSE(cancelled.GetCheck(1)) << "closing stores nothing";
}

}  // namespace
}  // namespace files_test
