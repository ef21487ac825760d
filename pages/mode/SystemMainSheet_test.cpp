// The measurement-mode page inside the system dialog and the initialisation
// dialog it opens, operated by taps and popup answers, with a recording host.
#include "pages/mode/SystemMainSheet.h"

#include "host/IModifiedReport.h"
#include "host/TextService.h"
#include "pages/mode/ModeTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace mode_test;

constexpr int IDC_INITIALIZE = 17007, IDC_STARTUP = 17044;
const std::vector<int> kSwitchIds = {17003, 17011, 17074, 17017, 17004};  // in mode order

const wchar_t* const kDescriptions[5] = {
    L"ペンレコーダ\n入力信号を直接記録紙へ記録するモードです。\n比較的低速な現象の記録、連続信号の記録に\n使用します。",
    L"メモリレコーダ\n入力信号を本体内メモリに高速収録する\nモードです。\n最高サンプル速度１μｓで、高速な現象の\n記録に使用します。",
    L"ＨＤレコーダ\n入力信号を連続的にＨＤＤに直接収録する\nモードです。\n必要に応じてピーク／サンプルの切り替え、\nリング収録など"
    L"の設定が可能です。\nまた、ＨＤＤへの収録と同時にチャートによる\n記録も可能です。",
    L"マルチレコーダ\nチャート、メモリ、ＨＤ収録を任意に組み合わせて\n使用するモードです。",
    L"Ｘ－Ｙレコーダ\n現在、入力している信号をＸ－Ｙ表示で\nモニタ、印刷することができます。",
};

// The mode switches as Latches shows them when only `mode` is latched.
std::wstring OnlyMode(int mode)
{
    std::wstring latched(5, L'0');
    latched[mode] = L'1';
    return latched;
}

using MainSheetTest = ModeTest;

// A switch asks with its mode's description and, confirmed, writes a changed
// mode and reports it once; the power-on box is written at once. Without a
// measurement configuration the switches move but nothing is written.
TEST_F(MainSheetTest, ModeSwitchesAskWithTheirDescriptionAndWriteAChangedModeOnce)
{
    struct Row {
        int configured;  // -1: no measurement configuration; 9: a mode the page does not know, shown as pen
        int tapped, answer;
        bool reported;
    };
    const Row rows[] = {{2, 0, IDOK, true},      {3, 1, IDOK, true}, {4, 2, IDOK, true},   {0, 3, IDOK, true},
                        {1, 4, IDOK, true},      {4, 4, IDOK, false}, {1, 2, IDCANCEL, false},
                        {9, 0, IDOK, true},      {-1, 3, IDOK, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE("configured " + std::to_string(row.configured) + ", tapped " + std::to_string(row.tapped));
        const bool withMeas = row.configured >= 0, startup = row.tapped % 2 == 1;
        host.sysMeas.SetMode(withMeas ? row.configured : 0);
        host.sysMeas.SetStartup(startup);
        host.record.pSysMeas = withMeas ? &host.sysMeas : nullptr;
        const int shown = row.configured >= 0 && row.configured < 5 ? row.configured : 0;
        RecordingReceiver to;
        CSystemDlg frame(nullptr);
        ScriptedOperator script;
        script.Do(IDD_SYSTEM, "the configured mode and power-on flag show", [&](HWND window) {
            EXPECT_EQ(Latches(window, kSwitchIds), OnlyMode(shown));
            EXPECT_EQ(Latches(window, {IDC_STARTUP}), withMeas && startup ? L"1" : L"0");
        });
        script.Tap(IDD_SYSTEM, kSwitchIds[row.tapped]);
        script.Do(IDD_POPUP, "the question names the mode", [&](HWND popup) {
            EXPECT_EQ(GetWindowTextString(popup), L"測定モード");
            EXPECT_EQ(ControlText(popup, IDC_POPUP_MESSAGE), kDescriptions[row.tapped]);
            EXPECT_EQ(Latches(frame.m_hWnd, {kSwitchIds[row.tapped]}), L"1") << "latched while asking";
            win::Tap(FindControl(popup, row.answer));
        });
        script.Tap(IDD_SYSTEM, IDC_STARTUP);
        script.Do(IDD_SYSTEM, "the latched switch, and the power-on box written at once", [&](HWND window) {
            EXPECT_EQ(Latches(window, kSwitchIds), OnlyMode(row.answer == IDOK ? row.tapped : shown));
            EXPECT_EQ(host.sysMeas.GetStartup(), withMeas ? !startup : startup);
        });
        script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
        RunSystem(frame, &to);
        EXPECT_EQ(host.sysMeas.GetMode(), !withMeas ? 0 : row.answer == IDOK ? row.tapped : row.configured);
        ASSERT_EQ(to.ChangeFlags(), row.reported ? std::vector<DWORD>{CHG_MEASURE_MODE} : std::vector<DWORD>{});
        ASSERT_EQ(to.Requests().size(), row.reported ? 1u : 0u);
        EXPECT_TRUE(!row.reported || to.Requests()[0].sender == frame.GetPage(CSystemDlg::PageMode));
    }
}

// Initialisation sends the ticked boxes as the item mask only when confirmed;
// the host's error word brings a notice, and a restart is asked for only when
// the host did an item asked for and wants one; confirming it ends the page.
TEST_F(MainSheetTest, InitialisationSendsTheTickedItemsAndTheAnswersDecideTheRestart)
{
    GetTextServiceObject()->SetText(17009, 4, L"Reset communication");
    const std::wstring kNetwork = L"ネットワークの設定が出来ませんでした。\n";
    struct Row {
        std::vector<int> boxes;
        T_DLG_REQUEST::WordValue mask, done = 0, errors = 0;  // mask 0: nothing is sent
        BYTE restart = 0;
        const wchar_t* notice = nullptr;
        int restartAnswer = 0;  // 0: no restart question
        int button = IDOK;
        bool withReceiver = true;
    };
    const Row rows[] = {
        {.boxes = {17043}, .mask = 0, .button = IDCANCEL},
        {.boxes = {}, .mask = 0},
        {.boxes = {17044, 17046}, .mask = 0xA},
        {.boxes = {17043, 17045, 17045}, .mask = 0x1, .done = 0x0, .restart = 1},
        {.boxes = {17043}, .mask = 0x1, .done = 0x6, .restart = 1},
        {.boxes = {17043}, .mask = 0x1, .done = 0x1, .restart = 1, .restartAnswer = IDCANCEL},
        {.boxes = {17043, 17044}, .mask = 0x3, .done = 0x3, .restart = 0},
        {.boxes = {17046}, .mask = 0x8, .done = 0x8, .restart = 1, .restartAnswer = IDOK},
        {.boxes = {17044}, .mask = 0x2, .done = 0x2, .errors = 0x1, .restart = 1, .notice = kNetwork.c_str(),
         .restartAnswer = IDCANCEL},
        {.boxes = {17045}, .mask = 0x4, .errors = 0x6, .notice = L""},
        {.boxes = {17043, 17044, 17045, 17046}, .mask = 0xF, .withReceiver = false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("mask " + std::to_string(row.mask) + ", done " + std::to_string(row.done));
        RecordingReceiver to;
        to.AnswerWord(DLGREQ_INITIALIZE, 16, row.done);
        to.AnswerWord(DLGREQ_INITIALIZE, 20, row.errors);
        to.AnswerByte(DLGREQ_INITIALIZE, 24, row.restart);
        CSystemDlg frame(nullptr);
        ScriptedOperator script;
        script.Tap(IDD_SYSTEM, IDC_INITIALIZE);
        script.Do(IDD_INIT, "its own wording, the host's over it, no box ticked, registered", [](HWND window) {
            EXPECT_EQ(ControlText(window, 17043), L"すべての設定データを初期化する");
            EXPECT_EQ(ControlText(window, 17044), L"Reset communication");
            EXPECT_EQ(Latches(window, {17043, 17044, 17045, 17046}), L"0000");
            auto registrations = IModifiedReport::GetRegistrations();
            EXPECT_NE(std::find(registrations.begin(), registrations.end(), std::make_pair(window, UINT{1122})),
                      registrations.end());
        });
        for (int box : row.boxes)
            script.Tap(IDD_INIT, box);
        script.Tap(IDD_INIT, row.button);
        if (row.notice)
            script.Do(IDD_POPUP, "the error notice", [&](HWND popup) {
                EXPECT_EQ(GetWindowTextString(popup), L"KQ5800");
                EXPECT_EQ(ControlText(popup, IDC_POPUP_MESSAGE), row.notice);
                EXPECT_FALSE(Visible(popup, IDCANCEL)) << "a notice has one button";
                win::Tap(FindControl(popup, IDOK));
            });
        if (row.restartAnswer)
            AnswerPopup(script, L"KQ5800", kRestartQuestion, row.restartAnswer);
        script.Do(IDD_SYSTEM, "the page ends only after a confirmed restart", [&](HWND) {
            EXPECT_EQ(frame.GetPage(CSystemDlg::PageMode)->IsWindowVisible() != FALSE, row.restartAnswer != IDOK);
        });
        script.Tap(IDD_SYSTEM, IDC_CLOSE_SYSTEM);
        RunSystem(frame, row.withReceiver ? &to : nullptr);
        std::vector<DWORD> kinds;
        if (row.withReceiver && row.mask)
            kinds.push_back(DLGREQ_INITIALIZE);
        if (row.restartAnswer == IDOK)
            kinds.push_back(DLGREQ_RESTART);
        ASSERT_EQ(to.Kinds(), kinds);
        for (const auto& request : to.Requests())
            EXPECT_EQ(request.sender, static_cast<void*>(frame.GetPage(CSystemDlg::PageMode)));
        if (!kinds.empty()) {
            const T_DLG_REQUEST& sent = to.Requests()[0].received;
            EXPECT_EQ(sent.Word(12), row.mask);
            EXPECT_EQ(sent.Word(16) + sent.Word(20) + sent.Byte(24), 0u) << "answer fields go out cleared";
        }
    }
    GetTextServiceObject()->ClearTable();
}

}  // namespace
