// The initialisation dialog on its own: its texts, its four choices and the
// host's change-report registration.
#include "pages/mode/SystemInitDlg.h"

#include "host/IModifiedReport.h"
#include "host/TextService.h"
#include "pages/mode/ModeTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace mode_test;
using testing_support::ScriptedOperator;

constexpr int kBoxes[4] = {17043, 17044, 17045, 17046};

std::string TickedBoxes(HWND window)
{
    std::string ticked;
    for (int box : kBoxes)
        ticked += CheckState(window, box) == BST_CHECKED ? '1' : '0';
    return ticked;
}

std::string Members(const CSystemInitDlg& dialog)
{
    return std::to_string(dialog.m_bInitAllSettings) + std::to_string(dialog.m_bInitComm) +
           std::to_string(dialog.m_bInitAnnotations) + std::to_string(dialog.m_bInitMemoryData);
}

class InitDlgTest : public ::testing::Test {
protected:
    void TearDown() override { GetTextServiceObject()->ClearTable(); }

    testing_support::Watchdog watchdog;
};

TEST_F(InitDlgTest, ShowsItsTextsWithTheDialogsOwnWordingOfTheFirstBox)
{
    CSystemInitDlg dialog;
    ScriptedOperator script;
    script.Do(IDD_INIT, "read the texts", [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"初期化");
        EXPECT_EQ(ControlText(window, 17154), L"本体の設定データを初期化することができます。");
        EXPECT_EQ(ControlText(window, 17043), L"すべての設定データを初期化する");
        EXPECT_EQ(ControlText(window, 17044), L"通信設定を初期化する");
        EXPECT_EQ(ControlText(window, 17045), L"アノテーションの内容を削除する");
        EXPECT_EQ(ControlText(window, 17046), L"本体内メモリデータを消去する");
        EXPECT_EQ(ControlText(window, IDOK), L"実行");
        EXPECT_EQ(ControlText(window, IDCANCEL), L"キャンセル");
    });
    script.Tap(IDD_INIT, IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.Finished());
}

TEST_F(InitDlgTest, TheHostsTextWinsOverTheDefault)
{
    GetTextServiceObject()->SetText(17009, 3, L"Reset all settings");
    CSystemInitDlg dialog;
    ScriptedOperator script;
    script.Do(IDD_INIT, "read box 17043", [](HWND window) {
        EXPECT_EQ(ControlText(window, 17043), L"Reset all settings");
    });
    script.Tap(IDD_INIT, IDCANCEL);
    dialog.DoModal();
    EXPECT_TRUE(script.Finished());
}

TEST_F(InitDlgTest, OkMovesTheTickedBoxesIntoTheMembers)
{
    CSystemInitDlg dialog;
    ScriptedOperator script;
    script.Tap(IDD_INIT, 17044).Tap(IDD_INIT, 17046).Tap(IDD_INIT, 17043).Tap(IDD_INIT, 17043);
    script.Do(IDD_INIT, "two boxes ticked", [](HWND window) { EXPECT_EQ(TickedBoxes(window), "0101"); });
    script.Tap(IDD_INIT, IDOK);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(Members(dialog), "0101");
}

TEST_F(InitDlgTest, CancelReturns2AndKeepsTheMembersClear)
{
    CSystemInitDlg dialog;
    ScriptedOperator script;
    script.Tap(IDD_INIT, 17043).Tap(IDD_INIT, 17045).Tap(IDD_INIT, IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(Members(dialog), "0000");
}

TEST_F(InitDlgTest, OpensWithEveryBoxUntickedEachTime)
{
    for (int round = 0; round < 2; ++round) {
        CSystemInitDlg dialog;
        ScriptedOperator script;
        script.Do(IDD_INIT, "nothing ticked at opening", [](HWND window) { EXPECT_EQ(TickedBoxes(window), "0000"); });
        script.Tap(IDD_INIT, 17043).Tap(IDD_INIT, 17044).Tap(IDD_INIT, 17045).Tap(IDD_INIT, 17046);
        script.Tap(IDD_INIT, IDOK);
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(Members(dialog), "1111");
    }
}

TEST_F(InitDlgTest, RegistersForTheHostsChangeReportsWithMessage1122)
{
    CSystemInitDlg dialog;
    ScriptedOperator script;
    script.Do(IDD_INIT, "look at the registrations", [](HWND window) {
        auto registrations = IModifiedReport::GetRegistrations();
        auto mine = std::find_if(registrations.begin(), registrations.end(),
                                 [window](const auto& entry) { return entry.first == window; });
        ASSERT_NE(mine, registrations.end());
        EXPECT_EQ(mine->second, 1122u);
    });
    script.Tap(IDD_INIT, IDCANCEL);
    dialog.DoModal();
    EXPECT_TRUE(script.Finished());
}

}  // namespace
