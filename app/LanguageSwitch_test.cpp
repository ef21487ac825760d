// The operator's language switch in the host loop with the real system
// dialog: refused while a dialog is in front of the system dialog, otherwise
// a fresh dialog in the new language, and the choice kept for the next start.
#include "HostApplication.h"

#include "AppTestSupport.h"
#include "host/TextService.h"
#include "tests/harness/DialogTestHelpers.h"
#include "tests/harness/TempDataRoot.h"

#include <gtest/gtest.h>

namespace {

using namespace testing_support;

constexpr UINT IDD_SHUTDOWN = 17019;
constexpr int IDC_SHUTDOWN = 17005;
constexpr int IDC_CLOSE = 17045;

class LanguageSwitchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(root.Prepare(error)) << error;
        app = std::make_unique<HostApplication>(root, log);
        app->LoadState();
    }
    // The text service is the process's: later tests expect the defaults.
    void TearDown() override { GetTextServiceObject()->ClearTable(); }

    Watchdog watchdog{std::chrono::seconds(60)};
    TempDataRoot temporary{""};
    app_testing::DefaultInstrument instrument;
    InstrumentRoot root{temporary.Path() + "/instrument"};
    RequestLog log;
    std::unique_ptr<HostApplication> app;
};

TEST_F(LanguageSwitchTest, SwitchReopensTheDialogInTheNewLanguageAndIsKept)
{
    std::string error;
    ASSERT_TRUE(app->Language().Start("en", error)) << error;
    HWND first = nullptr;
    ScriptedOperator script;
    script.Tap(IDD_SYSTEM, IDC_SHUTDOWN);
    script.Do(IDD_SHUTDOWN, "no switch while the shutdown question is open", [&](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"Shutdown");
        EXPECT_EQ(app->SwitchLanguage("ja").status, 409);
        EXPECT_EQ(app->Language().Current(), "en");
    });
    script.Tap(IDD_SHUTDOWN, IDCANCEL);
    script.Do(IDD_SYSTEM, "switch", [&](HWND window) {
        first = window;
        EXPECT_EQ(ControlText(window, IDC_CLOSE), L"Close");
        EXPECT_EQ(app->SwitchLanguage("fr").status, 400);
        EXPECT_EQ(app->SwitchLanguage("ja").status, 200);
    });
    script.Do(IDD_SYSTEM, "a fresh dialog in Japanese", [&](HWND window) {
        EXPECT_NE(window, first);
        EXPECT_EQ(GetWindowTextString(window), L"システム");
        EXPECT_EQ(ControlText(window, IDC_CLOSE), L"閉じる");
    });
    script.Tap(IDD_SYSTEM, IDC_SHUTDOWN);
    script.Tap(IDD_SHUTDOWN, IDOK);
    EXPECT_EQ(app->Run(), 0);
    EXPECT_TRUE(script.Finished()) << "steps done: " << script.StepsDone();

    LanguageChoice next(root.LanguagePath());
    ASSERT_TRUE(next.Start("", error)) << error;
    EXPECT_EQ(next.Current(), "ja") << "the panel's choice outlives the --lang of the last start";
}

}  // namespace
