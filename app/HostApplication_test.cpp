// The host application's loop against the real system dialog: a restart
// closes the dialog and opens a fresh one on the kept state, the state is
// persisted, an unreadable state file is set aside, and Stop ends the loop.
#include "HostApplication.h"

#include "ScreenJson.h"
#include "SettingsFile.h"
#include "TouchPanel.h"
#include "win/Drives.h"
#include "win/Input.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

using nlohmann::json;
using namespace std::chrono_literals;

class HostApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = std::filesystem::temp_directory_path() / ("host-application-test-" + std::to_string(getpid()));
        std::filesystem::remove_all(path);
        root = std::make_unique<InstrumentRoot>(path.string());
        std::string error;
        ASSERT_TRUE(root->Prepare(error)) << error;
    }
    void TearDown() override
    {
        if (ui.joinable()) {
            application.load()->Stop();
            ui.join();
        }
        win::SetInputDriver(nullptr);
        CONFIG_BASE::SetChangeHook(nullptr);
        win::ClearModalAbort();
        win::Drives::SetDataRoot("");
        std::filesystem::remove_all(path);
    }

    // Runs the application on a UI thread of its own with a touch panel.
    void Start()
    {
        ui = std::thread([this] {
            HostApplication app(*root, log);
            app.LoadState();
            application = &app;
            while (!go)
                std::this_thread::yield();
            status = app.Run();
            application = nullptr;
        });
        while (!application.load())
            std::this_thread::yield();
        panel = std::make_unique<TouchPanel>(ui.get_id(), [] { return "{}"; });
        application.load()->ConnectPanel(*panel);
        win::SetInputDriver(panel.get());
        go = true;
    }

    // The newest screen that satisfies `wanted`, waiting for new versions.
    json WaitForScreen(const std::function<bool(const json&)>& wanted)
    {
        std::uint64_t seen = 0;
        for (int round = 0; round < 100; ++round) {
            TouchPanel::Published published = panel->WaitForVersionAfter(seen, 200ms);
            if (published.screen) {
                json screen = json::parse(*published.screen);
                if (wanted(screen))
                    return screen;
                seen = published.version;
            }
        }
        ADD_FAILURE() << "the screen never showed what the test waited for";
        return json::object();
    }
    static std::uint64_t SystemDialog(const json& screen)
    {
        for (const json& window : screen["windows"])
            if (window["template"] == 17000 && window["visible"] == true)
                return window["hwnd"];
        return 0;
    }

    std::filesystem::path path;
    std::unique_ptr<InstrumentRoot> root;
    RequestLog log;
    std::unique_ptr<TouchPanel> panel;
    std::atomic<HostApplication*> application{nullptr};
    std::atomic<bool> go{false};
    std::atomic<int> status{-1};
    std::thread ui;
};

TEST_F(HostApplicationTest, ARestartOpensAFreshDialogOnTheKeptState)
{
    Start();
    json first = WaitForScreen([](const json& screen) { return SystemDialog(screen) != 0; });
    std::uint64_t before = SystemDialog(first);
    ASSERT_NE(before, 0u);

    // What a page does: change the host's state, tell the host, ask for a restart.
    TouchPanel::Outcome outcome = panel->Run(
        [this] {
            HostApplication& app = *application.load();
            app.State().Comm().dwBaudRate = 38400;
            T_DLG_REQUEST changed;
            changed.Prepare(this, DLGREQ_SETTING_CHANGED);
            changed.SetWord(12, CHG_COMM);
            app.Receiver().OnDLGRequest(&changed, HostApplication::kCookie);
            T_DLG_REQUEST restart;
            restart.Prepare(this, DLGREQ_RESTART);
            app.Receiver().OnDLGRequest(&restart, HostApplication::kCookie);
            return TouchPanel::CommandResult{};
        },
        10s);
    ASSERT_TRUE(outcome.ran);

    json reopened = WaitForScreen([before](const json& screen) {
        std::uint64_t now = SystemDialog(screen);
        return now != 0 && now != before;
    });
    EXPECT_EQ(reopened["windows"][0]["template"], 17000);
    EXPECT_EQ(reopened["windows"][0]["modal"], true);

    HostState kept;
    std::string error;
    ASSERT_TRUE(SettingsFile::Load(root->StatePath(), kept, error)) << error;
    EXPECT_EQ(kept.Comm().dwBaudRate, 38400u);
    auto entries = log.Since(0);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].name, L"DLGREQ_RESTART");

    application.load()->Stop();
    ui.join();
    EXPECT_EQ(status, 0);
}

TEST_F(HostApplicationTest, AChangeNoRequestReportsIsKeptOnceTheUiIsIdle)
{
    Start();
    WaitForScreen([](const json& screen) { return SystemDialog(screen) != 0; });
    // What the interval jog does: write the object at once, report nothing.
    TouchPanel::Outcome outcome = panel->Run(
        [this] {
            application.load()->State().SysRec1().SetIntervalTime(777);
            return TouchPanel::CommandResult{};
        },
        10s);
    ASSERT_TRUE(outcome.settled);
    HostState kept;
    std::string error;
    ASSERT_TRUE(SettingsFile::Load(root->StatePath(), kept, error)) << error;
    EXPECT_EQ(kept.SysRec1().GetIntervalTime(), 777);
    EXPECT_TRUE(log.Since(0).empty());
}

TEST_F(HostApplicationTest, AnExitIsCarriedOutOnceTheDialogHasReturned)
{
    Start();
    json first = WaitForScreen([](const json& screen) { return SystemDialog(screen) != 0; });
    panel->Run(
        [this] {
            T_DLG_REQUEST exit;
            exit.Prepare(this, DLGREQ_APP_EXIT);
            exit.SetByte(16, 1);
            application.load()->Receiver().OnDLGRequest(&exit, HostApplication::kCookie);
            return TouchPanel::CommandResult{};
        },
        10s);
    // The exit is carried out only once the dialog has returned: still open.
    EXPECT_NE(SystemDialog(json::parse(*panel->Current().screen)), 0u);
    HWND dialog = ScreenJson::HandleFromNumber(SystemDialog(first));
    TouchPanel::Outcome closed = panel->Run(
        [dialog] {
            HWND close = ::GetDlgItem(dialog, 17045);
            return win::Tap(close) == win::InputResult::Posted ? TouchPanel::CommandResult{}
                                                               : TouchPanel::CommandResult{409, "no close"};
        },
        10s, false);
    ASSERT_TRUE(closed.ran);
    EXPECT_EQ(closed.result.status, 200);
    ui.join();
    EXPECT_EQ(status, 0);
}

TEST_F(HostApplicationTest, AnUnreadableStateFileIsSetAside)
{
    std::ofstream(root->StatePath()) << "format = SYSDLG-SIM SETTINGS 1\ncomm.port = 1\n";
    HostApplication app(*root, log);
    app.LoadState();
    EXPECT_FALSE(std::filesystem::exists(root->StatePath()));
    EXPECT_TRUE(std::filesystem::exists(root->StatePath() + ".bad"));
    EXPECT_EQ(app.State().Comm().dwBaudRate, HostState::DefaultComm().dwBaudRate);
    EXPECT_TRUE(app.PersistState());
    EXPECT_TRUE(std::filesystem::exists(root->StatePath()));
    EXPECT_TRUE(std::filesystem::exists(root->ProfilePath()));
}

TEST_F(HostApplicationTest, AKeptStateIsReadBack)
{
    {
        HostApplication app(*root, log);
        app.State().SysMeas().SetMode(3);
        std::strcpy(app.State().CurrentFolder(), "D:\\data\\");
        ASSERT_TRUE(app.PersistState());
    }
    HostApplication again(*root, log);
    again.LoadState();
    EXPECT_EQ(again.State().SysMeas().GetMode(), 3);
    // The file page's folder becomes the process's current directory.
    EXPECT_EQ(win::Drives::GetCurrentDirectory(), L"D:\\data");
}

}  // namespace
