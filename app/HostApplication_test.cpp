// The host application's loop against the real system dialog on a UI thread
// of its own: a change no request reports is kept once the UI is idle, an
// exit is carried out once the dialog has returned, the state is persisted
// and read back, and damaged or hostile host files are set aside.
#include "HostApplication.h"

#include "ScreenJson.h"
#include "SettingsFile.h"
#include "TouchPanel.h"
#include "tests/harness/TempDataRoot.h"
#include "win/Drives.h"
#include "win/Input.h"
#include "win/TimeApi.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <functional>
#include <sys/stat.h>
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
        std::string error;
        ASSERT_TRUE(root.Prepare(error)) << error;
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
    }

    // Runs the application on a UI thread of its own with a touch panel.
    void Start()
    {
        ui = std::thread([this] {
            HostApplication app(root, log);
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

    // The system dialog's handle number, once a published screen shows it.
    std::uint64_t WaitForSystemDialog()
    {
        std::uint64_t seen = 0;
        for (int round = 0; round < 100; ++round) {
            TouchPanel::Published published = panel->WaitForVersionAfter(seen, 200ms);
            if (published.screen) {
                if (std::uint64_t dialog = SystemDialog(json::parse(*published.screen)))
                    return dialog;
                seen = published.version;
            }
        }
        ADD_FAILURE() << "the system dialog never showed";
        return 0;
    }
    static std::uint64_t SystemDialog(const json& screen)
    {
        for (const json& window : screen["windows"])
            if (window["template"] == 17000 && window["visible"] == true)
                return window["hwnd"];
        return 0;
    }

    testing_support::TempDataRoot temporary{""};
    InstrumentRoot root{temporary.Path() + "/instrument"};
    RequestLog log;
    std::unique_ptr<TouchPanel> panel;
    std::atomic<HostApplication*> application{nullptr};
    std::atomic<bool> go{false};
    std::atomic<int> status{-1};
    std::thread ui;
};

TEST_F(HostApplicationTest, AChangeNoRequestReportsIsKeptOnceTheUiIsIdle)
{
    Start();
    WaitForSystemDialog();
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
    ASSERT_TRUE(SettingsFile::Load(root.StatePath(), kept, error)) << error;
    EXPECT_EQ(kept.SysRec1().GetIntervalTime(), 777);
    EXPECT_TRUE(log.Since(0).empty());
}

TEST_F(HostApplicationTest, AnExitIsCarriedOutOnceTheDialogHasReturned)
{
    Start();
    HWND dialog = ScreenJson::HandleFromNumber(WaitForSystemDialog());
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

// Kept copies of damaged host files beside `path`.
int SetAsideCopies(const std::string& path)
{
    const std::filesystem::path file(path);
    int copies = 0;
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path())) {
        const std::string name = entry.path().filename().string();
        copies += name.starts_with(file.filename().string() + ".") && name.ends_with(".bad");
    }
    return copies;
}

TEST_F(HostApplicationTest, DamagedOrHostileHostFilesAreSetAsideAndTheDefaultsUsed)
{
    // Each kind of damage, twice over, for the state, the kept instrument and its clock.
    using Make = std::function<void(const std::string& path)>;
    const std::pair<const char*, Make> damages[] = {
        {"a cut file", [](const std::string& path) { std::ofstream(path) << "format = SYSDLG-SIM SETTINGS 1\ncomm.port"; }},
        {"random bytes", [](const std::string& path) { std::ofstream(path) << std::string("\0\0\0\xff\x01", 5); }},
        {"a FIFO", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
        {"a link out of the root", [](const std::string& path) { std::filesystem::create_symlink("/etc/hostname", path); }},
        {"a huge file", [](const std::string& path) { std::ofstream(path) << ""; std::filesystem::resize_file(path, 17 << 20); }},
    };
    int expected = 0;
    win::Clock::SetOffsetSeconds(0);
    for (const auto& [what, make] : damages) {
        for (int twice = 0; twice < 2; ++twice) {
            SCOPED_TRACE(what);
            make(root.StatePath());
            make(root.ProfilePath());
            make(root.ClockPath());
            ++expected;
            std::string error, note;
            InstrumentProfile::Modify([](InstrumentProfile& instrument) { instrument.network.address = 1; });
            ASSERT_TRUE(root.LoadProfile("", error, note));
            EXPECT_NE(note.find("starting with the default instrument"), std::string::npos) << note;
            EXPECT_EQ(InstrumentProfile::Current()->network.address, InstrumentProfile::Default().network.address);
            HostApplication app(root, log);
            app.LoadState();
            EXPECT_EQ(app.State().Comm().dwBaudRate, HostState::DefaultComm().dwBaudRate);
            EXPECT_EQ(win::Clock::GetOffsetSeconds(), 0) << "the clock runs on the machine's time";
            std::filesystem::remove(root.ClockPath());
            for (const std::string& path : {root.StatePath(), root.ProfilePath()}) {
                EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(path)));
                EXPECT_EQ(SetAsideCopies(path), expected) << "every damaged copy is kept";
            }
        }
    }
    // A profile the user names is not set aside: its damage is an error.
    std::string error, note;
    std::ofstream(root.Path() + "/named.txt") << "no such key = 1\n";
    EXPECT_FALSE(root.LoadProfile(root.Path() + "/named.txt", error, note));
    EXPECT_TRUE(std::filesystem::exists(root.Path() + "/named.txt"));
}

TEST_F(HostApplicationTest, AKeptStateIsReadBack)
{
    {
        HostApplication app(root, log);
        app.State().SysMeas().SetMode(3);
        std::strcpy(app.State().CurrentFolder(), "D:\\data\\");
        ASSERT_TRUE(app.PersistState());
    }
    HostApplication again(root, log);
    again.LoadState();
    EXPECT_EQ(again.State().SysMeas().GetMode(), 3);
    // The file page's folder becomes the process's current directory.
    EXPECT_EQ(win::Drives::GetCurrentDirectory(), L"D:\\data");
}

}  // namespace
