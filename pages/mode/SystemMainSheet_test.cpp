// The measurement-mode page inside the system dialog and the initialisation
// dialog it opens, operated by taps and popup answers, with a recording host.
#include "pages/mode/SystemMainSheet.h"

#include "host/IModifiedReport.h"
#include "host/TextService.h"
#include "pages/mode/ModeTestSupport.h"
#include "win/Input.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace mode_test;
using testing_support::FindControl;
using testing_support::RecordingReceiver;
using testing_support::ScriptedOperator;

constexpr int IDC_INITIALIZE = 17007;
constexpr int IDC_STARTUP = 17044;
constexpr int kSwitchIds[5] = {17003, 17011, 17074, 17017, 17004};  // in mode order

const wchar_t* const kDescriptions[5] = {
    L"ペンレコーダ\n入力信号を直接記録紙へ記録するモードです。\n比較的低速な現象の記録、連続信号の記録に\n使用します。",
    L"メモリレコーダ\n入力信号を本体内メモリに高速収録する\nモードです。\n最高サンプル速度１μｓで、高速な現象の\n記録に使用します。",
    L"ＨＤレコーダ\n入力信号を連続的にＨＤＤに直接収録する\nモードです。\n必要に応じてピーク／サンプルの切り替え、\nリング収録など"
    L"の設定が可能です。\nまた、ＨＤＤへの収録と同時にチャートによる\n記録も可能です。",
    L"マルチレコーダ\nチャート、メモリ、ＨＤ収録を任意に組み合わせて\n使用するモードです。",
    L"Ｘ－Ｙレコーダ\n現在、入力している信号をＸ－Ｙ表示で\nモニタ、印刷することができます。",
};

// The latched mode switches, by mode number ("4" for X-Y alone).
std::string LatchedModes(HWND window)
{
    std::string latched;
    for (int mode = 0; mode < 5; ++mode)
        if (CheckState(window, kSwitchIds[mode]) == BST_CHECKED)
            latched += std::to_string(mode);
    return latched;
}

CSystemMainSheet* Page(CSystemDlg& frame)
{
    return static_cast<CSystemMainSheet*>(frame.GetPage(CSystemDlg::PageMode));
}

// Opens the initialisation dialog, ticks the boxes and answers.
void Initialize(ScriptedOperator& script, const std::vector<int>& boxes, int button = IDOK)
{
    script.Tap(IDD_SYSTEM, IDC_INITIALIZE);
    for (int box : boxes)
        script.Tap(IDD_INIT, box);
    script.Tap(IDD_INIT, button);
}

using MainSheetTest = ModeTest;

TEST_F(MainSheetTest, ModeSwitchesAskWithTheirDescriptionAndWriteAChangedModeOnce)
{
    struct Row {
        int configured;  // the mode the page opens on (9: one it does not know, shown as pen)
        int tapped, answer;
        bool reported;
    };
    const Row rows[] = {{2, 0, IDOK, true},     {3, 1, IDOK, true}, {4, 2, IDOK, true},
                        {0, 3, IDOK, true},     {1, 4, IDOK, true}, {4, 4, IDOK, false},
                        {1, 2, IDCANCEL, false}, {9, 0, IDOK, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE("configured " + std::to_string(row.configured) + ", tapped " + std::to_string(row.tapped));
        host.sysMeas.SetMode(row.configured);
        host.sysMeas.SetStartup(row.tapped % 2 == 1);
        const std::string shown = std::to_string(row.configured < 5 ? row.configured : 0);
        RecordingReceiver to;
        CSystemDlg frame(nullptr);
        ScriptedOperator script;
        script.Do(IDD_SYSTEM, "the configured mode and power-on flag show", [&](HWND window) {
            EXPECT_EQ(LatchedModes(window), shown);
            EXPECT_EQ(CheckState(window, IDC_STARTUP), row.tapped % 2 == 1 ? BST_CHECKED : BST_UNCHECKED);
        });
        script.Tap(IDD_SYSTEM, kSwitchIds[row.tapped]);
        script.Do(IDD_POPUP, "the question names the mode", [&](HWND popup) {
            EXPECT_EQ(GetWindowTextString(popup), L"測定モード");
            EXPECT_EQ(ControlText(popup, IDC_POPUP_MESSAGE), kDescriptions[row.tapped]);
            EXPECT_EQ(CheckState(frame.m_hWnd, kSwitchIds[row.tapped]), BST_CHECKED) << "latched while asking";
            win::Tap(FindControl(popup, row.answer));
        });
        script.Do(IDD_SYSTEM, "the latched switch after the answer", [&](HWND window) {
            EXPECT_EQ(LatchedModes(window), row.answer == IDOK ? std::to_string(row.tapped) : shown);
        });
        script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
        RunSystem(frame, &to);
        EXPECT_EQ(host.sysMeas.GetMode(), row.answer == IDOK ? row.tapped : row.configured);
        ASSERT_EQ(to.ChangeFlags(), row.reported ? std::vector<DWORD>{CHG_MEASURE_MODE} : std::vector<DWORD>{});
        ASSERT_EQ(to.Requests().size(), row.reported ? 1u : 0u);
        EXPECT_TRUE(!row.reported || to.Requests()[0].sender == static_cast<void*>(Page(frame)));
    }
}

TEST_F(MainSheetTest, PowerOnBoxWritesAtOnceAndSendsNothing)
{
    ScriptedOperator script;
    script.Tap(IDD_SYSTEM, IDC_STARTUP);
    script.Do(IDD_SYSTEM, "written at once", [&](HWND) { EXPECT_FALSE(host.sysMeas.GetStartup()); });
    script.Tap(IDD_SYSTEM, IDC_STARTUP);
    script.Do(IDD_SYSTEM, "and back", [&](HWND) { EXPECT_TRUE(host.sysMeas.GetStartup()); });
    RunSystemAndClose(script, &receiver);
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(MainSheetTest, WithoutAMeasurementConfigurationSwitchesMoveButNothingIsWritten)
{
    host.record.pSysMeas = nullptr;
    ScriptedOperator script;
    script.Tap(IDD_SYSTEM, 17017);
    AnswerPopup(script, L"測定モード", kDescriptions[3], IDOK);
    script.Do(IDD_SYSTEM, "multi is latched", [&](HWND window) { EXPECT_EQ(LatchedModes(window), "3"); });
    script.Tap(IDD_SYSTEM, IDC_STARTUP);
    RunSystemAndClose(script, &receiver);
    EXPECT_EQ(host.sysMeas.GetMode(), 0);
    EXPECT_TRUE(host.sysMeas.GetStartup());
    EXPECT_TRUE(receiver.Requests().empty());
}

// The initialisation dialog shows its own wording of the first box (the
// host's text wins over it), registers for the host's change reports, and
// its ticked boxes become the request's item mask only when confirmed.
TEST_F(MainSheetTest, InitialisationSendsTheTickedItemsOnlyWhenConfirmed)
{
    GetTextServiceObject()->SetText(17009, 4, L"Reset communication");
    CSystemDlg frame(nullptr);
    ScriptedOperator script;
    script.Tap(IDD_SYSTEM, IDC_INITIALIZE);
    script.Do(IDD_INIT, "the texts, no box ticked, the registration", [](HWND window) {
        EXPECT_EQ(ControlText(window, 17043), L"すべての設定データを初期化する");
        EXPECT_EQ(ControlText(window, 17044), L"Reset communication");
        for (int box : {17043, 17044, 17045, 17046})
            EXPECT_EQ(CheckState(window, box), BST_UNCHECKED);
        auto registrations = IModifiedReport::GetRegistrations();
        auto mine = std::find_if(registrations.begin(), registrations.end(),
                                 [window](const auto& entry) { return entry.first == window; });
        EXPECT_TRUE(mine != registrations.end() && mine->second == 1122u);
    });
    script.Tap(IDD_INIT, 17043).Tap(IDD_INIT, IDCANCEL);
    Initialize(script, {});
    Initialize(script, {17044, 17046});
    Initialize(script, {17043, 17045, 17045});
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    RunSystem(frame, &receiver);
    GetTextServiceObject()->ClearTable();
    ASSERT_EQ(receiver.Count(DLGREQ_INITIALIZE), 2u);
    const auto& requests = receiver.Requests();
    EXPECT_EQ(requests[0].received.Word(12), 0xAu);
    EXPECT_EQ(requests[1].received.Word(12), 0x1u);
    for (const auto& request : requests) {
        EXPECT_EQ(request.received.Word(16), 0u) << "answer fields go out cleared";
        EXPECT_EQ(request.received.Byte(24), 0);
        EXPECT_EQ(request.sender, static_cast<void*>(Page(frame)));
    }
}

// After an initialisation: the host's error word brings a notice, then the
// restart question comes only when the host did an item that was asked for
// and says a restart is needed; confirming it restarts and ends the page.
TEST_F(MainSheetTest, InitialisationAnswersDecideTheNoticeAndTheRestart)
{
    const std::wstring kNetwork = L"ネットワークの設定が出来ませんでした。\n";
    struct Row {
        std::vector<int> boxes;
        T_DLG_REQUEST::WordValue done, errors;
        BYTE restart;
        const wchar_t* notice;  // nullptr: no notice
        int restartAnswer;      // 0: no restart question
        bool withReceiver = true;
    };
    const Row rows[] = {
        {{17043}, 0x0, 0, 1, nullptr, 0},         {{17043}, 0x6, 0, 1, nullptr, 0},
        {{17043}, 0x1, 0, 1, nullptr, IDCANCEL},  {{17043, 17044}, 0x3, 0, 0, nullptr, 0},
        {{17046}, 0x8, 0, 1, nullptr, IDOK},      {{17044}, 0x2, 0x1, 1, kNetwork.c_str(), IDCANCEL},
        {{17045}, 0x0, 0x6, 0, L"", 0},           {{17043, 17044, 17045, 17046}, 0, 0, 0, nullptr, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("done " + std::to_string(row.done) + ", errors " + std::to_string(row.errors));
        RecordingReceiver to;
        to.AnswerWord(DLGREQ_INITIALIZE, 16, row.done);
        to.AnswerWord(DLGREQ_INITIALIZE, 20, row.errors);
        to.AnswerByte(DLGREQ_INITIALIZE, 24, row.restart);
        CSystemDlg frame(nullptr);
        ScriptedOperator script;
        Initialize(script, row.boxes);
        if (row.notice)
            script.Do(IDD_POPUP, "the error notice", [&](HWND popup) {
                EXPECT_EQ(GetWindowTextString(popup), L"KQ5800");
                EXPECT_EQ(ControlText(popup, IDC_POPUP_MESSAGE), row.notice);
                EXPECT_FALSE(IsWindowVisible(FindControl(popup, IDCANCEL))) << "a notice has one button";
                win::Tap(FindControl(popup, IDOK));
            });
        if (row.restartAnswer)
            AnswerPopup(script, L"KQ5800", kRestartQuestion, row.restartAnswer);
        script.Do(IDD_SYSTEM, "the page ends only after a confirmed restart", [&](HWND) {
            EXPECT_EQ(Page(frame)->IsWindowVisible() != FALSE, row.restartAnswer != IDOK);
        });
        script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
        RunSystem(frame, row.withReceiver ? &to : nullptr);
        std::vector<DWORD> kinds;
        if (row.withReceiver)
            kinds.push_back(DLGREQ_INITIALIZE);
        if (row.restartAnswer == IDOK)
            kinds.push_back(DLGREQ_RESTART);
        ASSERT_EQ(to.Kinds(), kinds);
        EXPECT_TRUE(row.restartAnswer != IDOK || to.Last(DLGREQ_RESTART).sender == static_cast<void*>(Page(frame)));
    }
}

// The saved-setups dialog works on the record the page was given, with the
// receiver current when it opens; a load there restarts and ends the page.
TEST_F(MainSheetTest, SavedSetupsUseThePagesRecordAndCurrentReceiver)
{
    host.sysMeas.SetMode(3);
    RecordingReceiver second;
    second.OnRequest(DLGREQ_SAVE_SETTINGS, [this](T_DLG_REQUEST& request, int) {
        root.WriteFile(request.Text(12), "settings");
        request.SetByte(16, 1);
    });
    second.AnswerYes(DLGREQ_LOAD_SETTINGS);
    CSystemDlg frame(nullptr);
    ScriptedOperator script;
    script.Do(IDD_SYSTEM, "the host hands over another receiver", [&](HWND) { frame.SetDLGCallback(&second, 12); });
    script.Tap(IDD_SYSTEM, 17001);
    script.Do(IDD_MY_SETUP, "the summary of the page's record", [](HWND window) {
        EXPECT_EQ(ControlText(window, 17114).rfind(L"Measure Mode: MULTI RECORDER\r\n", 0), 0u);
    });
    script.Tap(IDD_MY_SETUP, 17040).Tap(IDD_MY_SETUP, 17104).Tap(IDD_MY_SETUP, 17032);
    AnswerPopup(script, L"KQ5800", kRestartQuestion, IDOK);
    script.Do(IDD_SYSTEM, "the page got the close", [&](HWND) { EXPECT_FALSE(Page(frame)->IsWindowVisible()); });
    script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
    RunSystem(frame, &receiver);
    EXPECT_TRUE(receiver.Requests().empty());
    EXPECT_EQ(second.Kinds(), (std::vector<DWORD>{DLGREQ_SAVE_SETTINGS, DLGREQ_LOAD_SETTINGS, DLGREQ_RESTART}));
    EXPECT_EQ(second.Last(DLGREQ_SAVE_SETTINGS).cookie, 12);
    EXPECT_NE(second.Last(DLGREQ_SAVE_SETTINGS).sender, static_cast<void*>(Page(frame)));
    EXPECT_TRUE(root.Exists(CommentPath(1)));
}

}  // namespace
