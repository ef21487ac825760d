// The simulator's host loop with the real system dialog, operated through
// taps by the scripted operator: what the host writes and reads must carry a
// setting across the restart that a load asks for. Each test runs the host
// application on the test's thread, on a new data root, until the operator
// shuts the instrument down from the dialog.
#include "HostApplication.h"

#include "AppTestSupport.h"
#include "PlaybackScreen.h"
#include "ScreenCache.h"
#include "SettingsFile.h"
#include "host/dialogs/DateEntryDialog.h"
#include "pages/files/FileSheetIds.h"
#include "pages/maintenance/MaintenanceIds.h"
#include "tests/harness/DialogTestHelpers.h"
#include "tests/harness/TempDataRoot.h"
#include "win/Input.h"
#include "win/Screen.h"
#include "win/TimeApi.h"
#include "win/Window.h"

#include <gtest/gtest.h>

#include <regex>
#include <utility>

namespace {

namespace fs = std::filesystem;
using namespace testing_support;
using namespace file_sheet;
using namespace maintenance_ids;

constexpr UINT IDD_MY_SETUP = 17018;
constexpr UINT IDD_SHUTDOWN = 17019;
constexpr UINT IDD_FILE_PROC = 17017;
constexpr UINT IDD_KEYBOARD_PATH = 30004;
constexpr int IDC_TAB = 17000;
constexpr int IDC_SHUTDOWN = 17005;
constexpr int IDC_KEYBOARD_CLEAR = 30156;
constexpr int IDC_PROC_HAND = 19001;
constexpr UINT IDD_DATETIME = 30005;

// The measurement-mode page.
constexpr int IDC_MY_SETTING = 17001;
constexpr int IDC_MODE_SWITCH[] = {17003, 17011, 17074, 17017, 17004};  // by mode
// The saved-setups dialog.
constexpr int IDC_SLOT1 = 17040;
constexpr int IDC_SLOT_TIME1 = 17167;
constexpr int IDC_SETUP_SAVE = 17104;
constexpr int IDC_SETUP_LOAD = 17032;

// The scripted operator, checking before every step that the panel's screen
// built from kept texts is the screen built afresh: a change that a window
// did not record would leave a stale text on the panel.
class ScreenCheckingOperator : public ScriptedOperator {
public:
    bool OnIdle() override
    {
        std::string kept = m_kept.Capture();
        if (kept != ScreenCache().Capture())
            ADD_FAILURE() << "the kept screen differs from a fresh one after " << StepsDone() << " steps";
        return ScriptedOperator::OnIdle();
    }

private:
    ScreenCache m_kept;
};

class HostApplicationFlowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(root.Prepare(error)) << error;
        app = std::make_unique<HostApplication>(root, log);
        app->LoadState();
    }

    // Runs the host until the script shuts the instrument down.
    void Run(ScriptedOperator& script)
    {
        EXPECT_EQ(app->Run(), 0);
        EXPECT_TRUE(script.Finished()) << "steps done: " << script.StepsDone();
    }

    void ChooseTab(ScriptedOperator& script, int tab) { script.TapPart(IDD_SYSTEM, IDC_TAB, "tab", tab); }

    // Taps a mode switch and confirms the mode's question.
    void ChangeMode(ScriptedOperator& script, int mode)
    {
        script.Tap(IDD_SYSTEM, IDC_MODE_SWITCH[mode]);
        script.Tap(IDD_POPUP, IDOK);
    }

    // The host closed the dialog `shown` and opened a new one, which shows the
    // mode and becomes `shown`.
    void ExpectFreshDialogInMode(ScriptedOperator& script, HWND& shown, int mode)
    {
        script.Do(IDD_SYSTEM, "a fresh dialog shows the loaded mode", [&shown, mode](HWND window) {
            EXPECT_NE(window, std::exchange(shown, window));
            EXPECT_EQ(Latches(window, {IDC_MODE_SWITCH[mode]}), L"1");
        });
    }

    // Shuts the instrument down from the dialog: the host loop ends.
    void ShutDown(ScriptedOperator& script)
    {
        script.Tap(IDD_SYSTEM, IDC_SHUTDOWN);
        script.Tap(IDD_SHUTDOWN, IDOK);
    }

    // The requests the host received, by name, in order.
    std::vector<std::wstring> RequestNames() const
    {
        std::vector<std::wstring> names;
        for (const LoggedRequest& entry : log.Since(0))
            names.push_back(entry.name);
        return names;
    }

    testing_support::Watchdog watchdog{std::chrono::seconds(120)};
    testing_support::TempDataRoot temporary{""};
    app_testing::DefaultInstrument instrument;
    fs::path path = fs::path(temporary.Path()) / "instrument";
    InstrumentRoot root{path.string()};
    RequestLog log;
    std::unique_ptr<HostApplication> app;
};

// An environment saved on the file page and slot 2 of the saved setups each
// bring their mode back: a load from the page or from the nested setups
// dialog makes the host close the dialog and open a fresh one on the loaded
// state, which it also keeps.
TEST_F(HostApplicationFlowsTest, ASavedEnvironmentOrSetupRestoresItsModeAfterTheRestart)
{
    HWND first = nullptr;
    ScreenCheckingOperator script;
    ChangeMode(script, 2);
    ChooseTab(script, 1);
    script.Do(IDD_SYSTEM, "the file page opens in the data folder", [&first](HWND window) {
        first = window;
        EXPECT_TRUE(testing_support::ShowsText(window, L"WAVE0001.FSD"));
    });
    script.Tap(IDD_SYSTEM, IDC_BUTTON_ENV_SAVE);
    script.Tap(IDD_FILE_PROC, IDC_PROC_HAND);
    script.Tap(IDD_KEYBOARD_PATH, IDC_KEYBOARD_CLEAR);
    script.Type(IDD_KEYBOARD_PATH, L"keep");
    script.Tap(IDD_KEYBOARD_PATH, IDOK);
    script.Tap(IDD_FILE_PROC, IDOK);
    AnswerPopup(script, L"環境保存", L"環境保存しました。", IDOK);

    ChooseTab(script, 0);
    ChangeMode(script, 3);
    script.Tap(IDD_SYSTEM, IDC_MY_SETTING);
    script.Tap(IDD_MY_SETUP, IDC_SLOT1 + 1);
    script.Tap(IDD_MY_SETUP, IDC_SETUP_SAVE);
    script.Do(IDD_MY_SETUP, "slot 2 shows its saved time", [](HWND window) {
        EXPECT_NE(GetWindowTextString(FindControl(window, IDC_SLOT_TIME1 + 1)), L"----/--/-- --:--");
        EXPECT_EQ(GetWindowTextString(FindControl(window, IDC_SLOT_TIME1)), L"----/--/-- --:--");
    });
    script.Tap(IDD_MY_SETUP, IDOK);
    ChangeMode(script, 4);
    script.Do(IDD_SYSTEM, "the mode is X-Y now", [this](HWND) { EXPECT_EQ(app->State().SysMeas().GetMode(), 4); });
    script.Tap(IDD_SYSTEM, IDC_MY_SETTING);
    script.Tap(IDD_MY_SETUP, IDC_SLOT1 + 1);
    script.Tap(IDD_MY_SETUP, IDC_SETUP_LOAD);
    AnswerPopup(script, L"KQ5800", L"設定を反映するためにプログラムを再起動します。", IDOK);
    ExpectFreshDialogInMode(script, first, 3);

    ChooseTab(script, 1);
    TapRow(script, IDD_SYSTEM, IDC_LIST_FILE, L"keep.ENV");
    script.Tap(IDD_SYSTEM, IDC_BUTTON_LOAD);
    AnswerPopup(script, L"読み込み", L"環境保存データ[D:\\data\\keep.ENV]を読み込みます。よろしいですか？", IDOK);
    AnswerPopup(script, L"読み込み", L"設定を反映するためにプログラムを再起動します。", IDOK);
    ExpectFreshDialogInMode(script, first, 2);
    ShutDown(script);
    Run(script);

    EXPECT_EQ(app->State().SysMeas().GetMode(), 2);
    HostState kept;
    std::string error;
    ASSERT_TRUE(SettingsFile::Load(root.StatePath(), kept, error)) << error;
    EXPECT_EQ(kept.SysMeas().GetMode(), 2) << "the host keeps the loaded state";
    std::vector<std::wstring> names = RequestNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), L"DLGREQ_SAVE_SETTINGS"), 2);
    ASSERT_GE(names.size(), 5u);
    EXPECT_EQ(std::vector<std::wstring>(names.end() - 5, names.end()),
              (std::vector<std::wstring>{L"DLGREQ_LOAD_SETTINGS", L"DLGREQ_RESTART", L"DLGREQ_LOAD_SETTINGS",
                                         L"DLGREQ_RESTART", L"DLGREQ_SHUTDOWN"}));
}

// The maintenance page's box shows the host's block and writes it; ticked,
// the shutdown switches the write filter off. A clock set on the page comes
// back at the next start.
TEST_F(HostApplicationFlowsTest, MaintenanceModeNextStartAndTheClockSurviveTheShutdown)
{
    const std::int64_t machine = win::Clock::GetOffsetSeconds();
    app->State().Misc().bMaintenanceNextStart = true;
    ScreenCheckingOperator script;
    ChooseTab(script, 5);
    script.Tap(IDD_SYSTEM, IDC_CHECK_MAINTENANCE_NEXT);  // off
    script.Tap(IDD_SYSTEM, IDC_CHECK_MAINTENANCE_NEXT);  // on again
    script.Tap(IDD_SYSTEM, IDC_BUTTON_CLOCK);
    script.Tap(IDD_DATETIME, DateEntryDialog::kUpId);  // one year on
    script.Tap(IDD_DATETIME, IDOK);
    ShutDown(script);
    Run(script);
    const std::int64_t offset = win::Clock::GetOffsetSeconds() - machine;
    win::Clock::SetOffsetSeconds(machine);
    HostApplication(root, log).LoadState();
    EXPECT_EQ(win::Clock::GetOffsetSeconds(), machine + offset);
    win::Clock::SetOffsetSeconds(machine);

    EXPECT_TRUE(offset >= 365 * 86400 - 60 && offset <= 366 * 86400 + 60) << offset;
    EXPECT_TRUE(std::regex_match(app_testing::ReadAll(root.WriteFilterLogPath()),
                                 std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d EWFMGR\.EXE C: -disable\n)")));
    EXPECT_EQ(RequestNames(), std::vector<std::wstring>{L"DLGREQ_SHUTDOWN"}) << "the box tells the host nothing";
    HostState kept;
    std::string error;
    ASSERT_TRUE(SettingsFile::Load(root.StatePath(), kept, error)) << error;
    EXPECT_TRUE(kept.Misc().bMaintenanceNextStart);
}

TEST_F(HostApplicationFlowsTest, EveryPageAndTheFileListsChangesReachThePanel)
{
    ScreenCheckingOperator script;
    for (int tab : {1, 2, 3, 4, 5, 0, 1})
        ChooseTab(script, tab);
    TapRow(script, IDD_SYSTEM, IDC_LIST_FILE, L"WAVE0002.FSD");
    for (int column : {1, 2, 0})
        script.TapPart(IDD_SYSTEM, IDC_LIST_FILE, "column", column);
    script.Tap(IDD_SYSTEM, IDC_BUTTON_SELECT_ALL);
    script.Tap(IDD_SYSTEM, IDC_BUTTON_CLEAR_ALL);
    script.Tap(IDD_SYSTEM, IDC_BUTTON_ENV_SAVE);
    script.Tap(IDD_FILE_PROC, IDC_PROC_HAND);
    script.Type(IDD_KEYBOARD_PATH, L"x");
    script.PressKey(IDD_KEYBOARD_PATH, VK_BACK);
    script.Tap(IDD_KEYBOARD_PATH, IDCANCEL);
    script.Tap(IDD_FILE_PROC, IDCANCEL);
    ChooseTab(script, 0);
    script.Tap(IDD_SYSTEM, IDC_MY_SETTING);
    script.Tap(IDD_MY_SETUP, IDC_SLOT1 + 2);
    script.Tap(IDD_MY_SETUP, IDOK);
    ShutDown(script);
    Run(script);
}

TEST_F(HostApplicationFlowsTest, DeletingTheFileInPlaybackOrAFolderAboveItClosesThePlaybackFirst)
{
    // The row deleted, and the file on the playback screen.
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {{L"WAVE0002.FSD", L"D:\\data\\WAVE0002.FSD"},
                                                               {L"sub", L"D:\\data\\sub\\deeper\\WAVE0001.FSD"}};
    fs::create_directories(path / "D" / "data" / "sub" / "deeper");
    fs::copy_file(path / "D" / "data" / "WAVE0001.FSD", path / "D" / "data" / "sub" / "deeper" / "WAVE0001.FSD");
    ScreenCheckingOperator script;
    ChooseTab(script, 1);
    for (const auto& [row, playing] : cases) {
        script.Do(IDD_SYSTEM, "the file on the playback screen", [playing = playing](HWND) {
            std::string error;
            ASSERT_TRUE(PlaybackScreen::Open(playing, error)) << error;
        });
        TapRow(script, IDD_SYSTEM, IDC_LIST_FILE, row);
        script.Tap(IDD_SYSTEM, IDC_BUTTON_DELETE);
        AnswerPopup(script, L"削除",
                    std::wstring(L"D:\\data\\") + row + L" は再生画面で使用中です。\n再生を中止して削除してもよろしいですか？",
                    IDOK);
        script.Do(IDD_SYSTEM, "deleted", [this, row = row](HWND window) {
            EXPECT_FALSE(fs::exists(path / "D" / "data" / win::WideToUtf8(row)));
            EXPECT_FALSE(testing_support::ShowsText(window, row));
            EXPECT_FALSE(PlaybackScreen::IsOpen());
        });
    }
    ShutDown(script);
    Run(script);
    std::vector<std::wstring> names = RequestNames();
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(std::vector<std::wstring>(names.begin(), names.begin() + 4),
              (std::vector<std::wstring>{L"DLGREQ_IS_PLAYBACK_FILE", L"DLGREQ_CLOSE_PLAYBACK",
                                         L"DLGREQ_IS_PLAYBACK_FILE", L"DLGREQ_CLOSE_PLAYBACK"}));
    // The closed playback is part of the instrument the host keeps.
    std::string profile = app_testing::ReadAll(root.ProfilePath());
    EXPECT_NE(profile.find("playback.file = \n"), std::string::npos) << profile;
}

}  // namespace
