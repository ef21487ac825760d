// The measurement-mode page inside the system dialog, operated by taps and
// popup answers, with a recording host.
#include "pages/mode/SystemMainSheet.h"

#include "core/SystemDlg.h"
#include "host/ConfigSysMeas.h"
#include "pages/mode/ModeTestSupport.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/TempDataRoot.h"
#include "win/Input.h"

#include <gtest/gtest.h>

namespace {

using namespace mode_test;
using testing_support::FindControl;
using testing_support::HostConfiguration;
using testing_support::RecordingReceiver;
using testing_support::ScriptedOperator;

constexpr int IDC_MY_SETTING = 17001;
constexpr int IDC_INITIALIZE = 17007;
constexpr int IDC_STARTUP = 17044;

// Switch ids in mode order.
constexpr int kSwitchIds[5] = {17003, 17011, 17074, 17017, 17004};

const wchar_t* const kDescriptions[5] = {
    L"ペンレコーダ\n入力信号を直接記録紙へ記録するモードです。\n比較的低速な現象の記録、連続信号の記録に\n使用します。",
    L"メモリレコーダ\n入力信号を本体内メモリに高速収録する\nモードです。\n最高サンプル速度１μｓで、高速な現象の\n記録に使用します。",
    L"ＨＤレコーダ\n入力信号を連続的にＨＤＤに直接収録する\nモードです。\n必要に応じてピーク／サンプルの切り替え、\nリング収録など"
    L"の設定が可能です。\nまた、ＨＤＤへの収録と同時にチャートによる\n記録も可能です。",
    L"マルチレコーダ\nチャート、メモリ、ＨＤ収録を任意に組み合わせて\n使用するモードです。",
    L"Ｘ－Ｙレコーダ\n現在、入力している信号をＸ－Ｙ表示で\nモニタ、印刷することができます。",
};

const std::wstring kRestartQuestion = L"設定を反映するためにプログラムを再起動します。";

// The latched mode switches, by mode number ("4" for X-Y alone).
std::string LatchedModes(HWND window)
{
    std::string latched;
    for (int mode = 0; mode < 5; ++mode)
        if (CheckState(window, kSwitchIds[mode]) == BST_CHECKED)
            latched += std::to_string(mode);
    return latched;
}

// Checks a popup's caption and exact message, then presses `button`.
void AnswerPopup(ScriptedOperator& script, const std::wstring& caption, const std::wstring& message, int button)
{
    script.Do(IDD_POPUP, "answer the popup with " + std::to_string(button), [=](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), caption);
        EXPECT_EQ(ControlText(window, 30010), message);
        win::Tap(FindControl(window, button));
    });
}

class MainSheetTest : public ::testing::Test {
protected:
    CSystemMainSheet* Page() const { return static_cast<CSystemMainSheet*>(dialog.GetPage(CSystemDlg::PageMode)); }

    INT_PTR Run(bool withReceiver = true)
    {
        dialog.SetupConfigData(&host.record, false);
        if (withReceiver)
            dialog.SetDLGCallback(&receiver, 7);
        return dialog.DoModal();
    }

    // Opens the initialisation dialog, ticks the boxes and confirms.
    void Initialize(ScriptedOperator& script, std::initializer_list<int> boxes)
    {
        script.Tap(IDD_SYSTEM, IDC_INITIALIZE);
        for (int box : boxes)
            script.Tap(IDD_INIT, box);
        script.Tap(IDD_INIT, IDOK);
    }

    testing_support::Watchdog watchdog;
    testing_support::TempDataRoot root;
    HostConfiguration host;
    RecordingReceiver receiver;
    CSystemDlg dialog{nullptr};
};

TEST_F(MainSheetTest, StartsWithTheSwitchOfTheConfiguredModeAndTheTexts)
{
    for (int mode = 0; mode < 5; ++mode) {
        host.sysMeas.SetMode(mode);
        CSystemDlg frame(nullptr);
        frame.SetupConfigData(&host.record, false);
        ScriptedOperator script;
        script.Do(IDD_SYSTEM, "read the page", [&](HWND window) {
            EXPECT_EQ(LatchedModes(window), std::to_string(mode));
            auto* page = static_cast<CSystemMainSheet*>(frame.GetPage(CSystemDlg::PageMode));
            EXPECT_EQ(page->GetSelectedSwitch(), mode == 4 ? 5 : mode);
            EXPECT_EQ(ControlText(window, 17004), L"X-Yレコーダ");
            EXPECT_EQ(ControlText(window, IDC_MY_SETTING), L"設定値保存・読み出し\n(My設定)");
            EXPECT_EQ(ControlText(window, IDC_STARTUP), L"電源投入時にこの画面を表示する");
        });
        script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
        frame.DoModal();
        EXPECT_TRUE(script.Finished()) << "mode " << mode;
    }
}

TEST_F(MainSheetTest, EachSwitchAsksWithItsDescriptionThenWritesAndReportsItsModeOnce)
{
    for (int mode = 0; mode < 5; ++mode) {
        host.sysMeas.SetMode((mode + 2) % 5);
        RecordingReceiver fresh;
        CSystemDlg frame(nullptr);
        frame.SetupConfigData(&host.record, false);
        frame.SetDLGCallback(&fresh, 4);
        ScriptedOperator script;
        script.Tap(IDD_SYSTEM, kSwitchIds[mode]);
        AnswerPopup(script, L"測定モード", kDescriptions[mode], IDOK);
        script.Do(IDD_SYSTEM, "the new switch is latched", [&](HWND window) {
            EXPECT_EQ(LatchedModes(window), std::to_string(mode));
        });
        script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
        frame.DoModal();
        EXPECT_TRUE(script.Finished());
        EXPECT_EQ(host.sysMeas.GetMode(), mode);
        EXPECT_EQ(fresh.ChangeFlags(), std::vector<DWORD>{CHG_MEASURE_MODE}) << "mode " << mode;
        ASSERT_EQ(fresh.Requests().size(), 1u);
        EXPECT_EQ(fresh.Requests()[0].sender, static_cast<void*>(frame.GetPage(CSystemDlg::PageMode)));
        EXPECT_EQ(fresh.Requests()[0].cookie, 4);
    }
}

TEST_F(MainSheetTest, ConfirmingTheModeAlreadySetSendsNothing)
{
    host.sysMeas.SetMode(4);
    ScriptedOperator script;
    script.Tap(IDD_SYSTEM, 17004);
    AnswerPopup(script, L"測定モード", kDescriptions[4], IDOK);
    script.Do(IDD_SYSTEM, "X-Y stays latched", [&](HWND window) { EXPECT_EQ(LatchedModes(window), "4"); });
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(host.sysMeas.GetMode(), 4);
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(MainSheetTest, CancellingTheConfirmationChangesNothing)
{
    host.sysMeas.SetMode(1);
    ScriptedOperator script;
    script.Tap(IDD_SYSTEM, 17074);
    script.Do(IDD_POPUP, "the pressed switch shows latched while the question is open", [&](HWND popup) {
        EXPECT_EQ(CheckState(dialog.m_hWnd, 17074), BST_CHECKED);
        win::Tap(FindControl(popup, IDCANCEL));
    });
    script.Do(IDD_SYSTEM, "memory stays latched, HD is released", [&](HWND window) {
        EXPECT_EQ(LatchedModes(window), "1");
        EXPECT_EQ(Page()->GetSelectedSwitch(), 1);
    });
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(host.sysMeas.GetMode(), 1);
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(MainSheetTest, AModeThePageDoesNotKnowKeepsPenSelectedAndPenIsThenWritten)
{
    host.sysMeas.SetMode(9);
    ScriptedOperator script;
    script.Do(IDD_SYSTEM, "pen is latched", [&](HWND window) { EXPECT_EQ(LatchedModes(window), "0"); });
    script.Tap(IDD_SYSTEM, 17003);
    AnswerPopup(script, L"測定モード", kDescriptions[0], IDOK);
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(host.sysMeas.GetMode(), 0);
    EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{CHG_MEASURE_MODE});
}

TEST_F(MainSheetTest, PowerOnBoxWritesAtOnceAndSendsNothing)
{
    host.sysMeas.SetStartup(true);
    ScriptedOperator script;
    script.Do(IDD_SYSTEM, "the box shows the flag", [&](HWND window) {
        EXPECT_EQ(CheckState(window, IDC_STARTUP), BST_CHECKED);
    });
    script.Tap(IDD_SYSTEM, IDC_STARTUP);
    script.Do(IDD_SYSTEM, "written at once", [&](HWND window) {
        EXPECT_EQ(CheckState(window, IDC_STARTUP), BST_UNCHECKED);
        EXPECT_FALSE(host.sysMeas.GetStartup());
    });
    script.Tap(IDD_SYSTEM, IDC_STARTUP);
    script.Do(IDD_SYSTEM, "and back", [&](HWND) { EXPECT_TRUE(host.sysMeas.GetStartup()); });
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(MainSheetTest, PowerOnBoxStartsUntickedWhenTheFlagIsOff)
{
    host.sysMeas.SetStartup(false);
    ScriptedOperator script;
    script.Do(IDD_SYSTEM, "unticked", [&](HWND window) { EXPECT_EQ(CheckState(window, IDC_STARTUP), BST_UNCHECKED); });
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
}

TEST_F(MainSheetTest, WithoutAMeasurementConfigurationSwitchesMoveButNothingIsWritten)
{
    host.record.pSysMeas = nullptr;
    ScriptedOperator script;
    script.Tap(IDD_SYSTEM, 17017);
    AnswerPopup(script, L"測定モード", kDescriptions[3], IDOK);
    script.Do(IDD_SYSTEM, "multi is latched", [&](HWND window) { EXPECT_EQ(LatchedModes(window), "3"); });
    script.Tap(IDD_SYSTEM, IDC_STARTUP);
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(host.sysMeas.GetMode(), 0);
    EXPECT_TRUE(host.sysMeas.GetStartup());
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(MainSheetTest, SetDLGCallbackKeepsACopy)
{
    CSystemMainSheet page;
    EXPECT_FALSE(page.IsCallbackSet());
    page.SetDLGCallback(&receiver, 5);
    EXPECT_TRUE(page.IsCallbackSet());
    EXPECT_EQ(page.GetDLGReceiver(), &receiver);
    EXPECT_EQ(page.GetDLGCookie(), 5);
    EXPECT_EQ(page.SetConfig(nullptr), 0);
}

// --- Initialisation -------------------------------------------------------

TEST_F(MainSheetTest, CancelledInitialisationSendsNothing)
{
    ScriptedOperator script;
    script.Tap(IDD_SYSTEM, IDC_INITIALIZE);
    script.Tap(IDD_INIT, 17043);
    script.Tap(IDD_INIT, IDCANCEL);
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(MainSheetTest, InitialisationWithNoBoxTickedSendsNothing)
{
    ScriptedOperator script;
    Initialize(script, {});
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(MainSheetTest, TheFourBoxesMakeTheItemMask)
{
    ScriptedOperator script;
    Initialize(script, {17044, 17046});
    Initialize(script, {17043});
    Initialize(script, {17045});
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    ASSERT_EQ(receiver.Count(DLGREQ_INITIALIZE), 3u);
    const auto& requests = receiver.Requests();
    EXPECT_EQ(requests[0].received.Word(12), 0xAu);
    EXPECT_EQ(requests[1].received.Word(12), 0x1u);
    EXPECT_EQ(requests[2].received.Word(12), 0x4u);
    for (const auto& request : requests) {
        EXPECT_EQ(request.received.Word(16), 0u);
        EXPECT_EQ(request.received.Byte(24), 0);
        EXPECT_EQ(request.sender, static_cast<void*>(Page()));
    }
}

TEST_F(MainSheetTest, TheAnswersMaskDecidesTheRestartQuestionWhateverByte24Says)
{
    // Mask 1 asked each time; the host's answers, in turn: no item done,
    // only an item that was not asked for, then the asked item.
    const T_DLG_REQUEST::WordValue answeredMasks[] = {0x0, 0x6, 0x1};
    int call = 0;
    receiver.OnRequest(DLGREQ_INITIALIZE, [&](T_DLG_REQUEST& request, int) {
        request.SetWord(16, answeredMasks[call++]);
        request.SetByte(24, 1);
    });
    ScriptedOperator script;
    Initialize(script, {17043});
    Initialize(script, {17043});
    Initialize(script, {17043});
    AnswerPopup(script, L"KQ5800", kRestartQuestion, IDCANCEL);
    script.Do(IDD_SYSTEM, "the page is still there", [&](HWND) { EXPECT_TRUE(Page()->IsWindowVisible()); });
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(receiver.Kinds(), (std::vector<DWORD>{DLGREQ_INITIALIZE, DLGREQ_INITIALIZE, DLGREQ_INITIALIZE}));
}

TEST_F(MainSheetTest, NoRestartQuestionWhenTheHostSaysNoRestartIsNeeded)
{
    receiver.AnswerWord(DLGREQ_INITIALIZE, 16, 0x3);
    receiver.AnswerByte(DLGREQ_INITIALIZE, 24, 0);
    ScriptedOperator script;
    Initialize(script, {17043, 17044});
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(receiver.Kinds(), std::vector<DWORD>{DLGREQ_INITIALIZE});
}

TEST_F(MainSheetTest, ConfirmedRestartIsRequestedAndEndsThePage)
{
    receiver.AnswerWord(DLGREQ_INITIALIZE, 16, 0x8);
    receiver.AnswerByte(DLGREQ_INITIALIZE, 24, 1);
    ScriptedOperator script;
    Initialize(script, {17046});
    AnswerPopup(script, L"KQ5800", kRestartQuestion, IDOK);
    script.Do(IDD_SYSTEM, "the page has ended", [&](HWND) { EXPECT_FALSE(Page()->IsWindowVisible()); });
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(receiver.Kinds(), (std::vector<DWORD>{DLGREQ_INITIALIZE, DLGREQ_RESTART}));
    EXPECT_EQ(receiver.Last(DLGREQ_RESTART).sender, static_cast<void*>(Page()));
}

TEST_F(MainSheetTest, NetworkErrorShowsItem111BeforeTheRestartQuestion)
{
    receiver.AnswerWord(DLGREQ_INITIALIZE, 16, 0x2);
    receiver.AnswerWord(DLGREQ_INITIALIZE, 20, 0x1);
    receiver.AnswerByte(DLGREQ_INITIALIZE, 24, 1);
    ScriptedOperator script;
    Initialize(script, {17044});
    script.Do(IDD_POPUP, "the error notice", [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"KQ5800");
        EXPECT_EQ(ControlText(window, 30010), L"ネットワークの設定が出来ませんでした。\n");
        EXPECT_FALSE(IsWindowVisible(FindControl(window, IDCANCEL))) << "a notice has one button";
        win::Tap(FindControl(window, IDOK));
    });
    AnswerPopup(script, L"KQ5800", kRestartQuestion, IDCANCEL);
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(receiver.Kinds(), std::vector<DWORD>{DLGREQ_INITIALIZE});
}

TEST_F(MainSheetTest, OtherErrorBitsShowAnEmptyNotice)
{
    receiver.AnswerWord(DLGREQ_INITIALIZE, 20, 0x6);
    ScriptedOperator script;
    Initialize(script, {17045});
    AnswerPopup(script, L"KQ5800", L"", IDOK);
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
}

TEST_F(MainSheetTest, WithoutAReceiverInitialisationShowsNothingFurther)
{
    ScriptedOperator script;
    Initialize(script, {17043, 17044, 17045, 17046});
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run(false);
    EXPECT_TRUE(script.Finished());
}

// --- Saved setups -------------------------------------------------------

TEST_F(MainSheetTest, SavedSetupsUseTheReceiverCurrentWhenTheyOpen)
{
    RecordingReceiver second;
    second.OnRequest(DLGREQ_SAVE_SETTINGS, [this](T_DLG_REQUEST& request, int) {
        root.WriteFile(request.Text(12), "settings");
        request.SetByte(16, 1);
    });
    ScriptedOperator script;
    script.Do(IDD_SYSTEM, "the host hands over another receiver", [&](HWND) { dialog.SetDLGCallback(&second, 12); });
    script.Tap(IDD_SYSTEM, IDC_MY_SETTING);
    script.Tap(IDD_MY_SETUP, 17040);
    script.Tap(IDD_MY_SETUP, 17104);
    script.Tap(IDD_MY_SETUP, IDOK);
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(receiver.Requests().empty());
    ASSERT_EQ(second.Count(DLGREQ_SAVE_SETTINGS), 1u);
    EXPECT_EQ(second.Last(DLGREQ_SAVE_SETTINGS).cookie, 12);
    EXPECT_NE(second.Last(DLGREQ_SAVE_SETTINGS).sender, static_cast<void*>(Page()));
    EXPECT_TRUE(root.Exists(CommentPath(1)));
}

TEST_F(MainSheetTest, SavedSetupsSummariseTheRecordThePageWasGiven)
{
    host.sysMeas.SetMode(3);
    ScriptedOperator script;
    script.Tap(IDD_SYSTEM, IDC_MY_SETTING);
    script.Do(IDD_MY_SETUP, "the summary", [](HWND window) {
        EXPECT_EQ(ControlText(window, 17114).rfind(L"Measure Mode: MULTI RECORDER\r\n", 0), 0u);
    });
    script.Tap(IDD_MY_SETUP, IDOK);
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
}

TEST_F(MainSheetTest, LoadingASavedSetupRestartsAndClosesThePage)
{
    root.WriteFile(ConfigPath(2), "settings");
    root.WriteFile(CommentPath(2), std::string(40, '\0'));
    receiver.AnswerYes(DLGREQ_LOAD_SETTINGS);
    ScriptedOperator script;
    script.Tap(IDD_SYSTEM, IDC_MY_SETTING);
    script.Tap(IDD_MY_SETUP, 17041);
    script.Tap(IDD_MY_SETUP, 17032);
    AnswerPopup(script, L"KQ5800", kRestartQuestion, IDOK);
    script.Do(IDD_SYSTEM, "the page got the close", [&](HWND) { EXPECT_FALSE(Page()->IsWindowVisible()); });
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    Run();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(receiver.Kinds(), (std::vector<DWORD>{DLGREQ_LOAD_SETTINGS, DLGREQ_RESTART}));
}

}  // namespace
