// The touch-panel API's routes, called directly, against a real UI thread: a
// small dialog with one control of each kind the API must handle runs
// modally on a thread of its own, with a TouchPanel as the input driver.
#include "AppTestSupport.h"
#include "PanelTestUi_test.h"
#include "ScreenJson.h"
#include "TouchPanel.h"
#include "TouchPanelApi.h"
#include "tests/harness/TempDataRoot.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using nlohmann::json;

class TouchPanelApiTest : public ::testing::Test {
protected:
    TouchPanelApiTest() : access(true, "token0123456789abcdef"), api(ui.Panel(), log, access) {}

    ApiResponse Get(const std::string& path, std::map<std::string, std::string> query = {})
    {
        ApiRequest request;
        request.caller.method = "GET";
        request.caller.path = path;
        request.caller.host = "127.0.0.1:8080";
        request.query = std::move(query);
        return api.Handle(request);
    }
    ApiResponse Post(const std::string& path, const std::string& body, const std::string& origin = "")
    {
        ApiRequest request;
        request.caller.method = "POST";
        request.caller.path = path;
        request.caller.host = "127.0.0.1:8080";
        request.caller.origin = origin;
        request.body = body;
        return api.Handle(request);
    }
    json Screen() { return json::parse(Get("/api/screen").body); }
    std::string Tap(int id, std::string extra = "")
    {
        return "{\"hwnd\": " + std::to_string(ui.DialogHandle()) + ", \"id\": " + std::to_string(id) + extra + "}";
    }
    const json* Control(const json& screen, int id)
    {
        for (const json& window : screen["windows"])
            if (window["template"] == PanelTestDialog::IDD)
                for (const json& control : window["controls"])
                    if (control["id"] == id)
                        return &control;
        return nullptr;
    }
    // A refused input: the status, an error text, and nothing changed.
    void ExpectRefused(const std::string& route, const std::string& body, int status)
    {
        std::uint64_t before = Screen()["version"];
        ApiResponse response = Post("/api/" + route, body);
        EXPECT_EQ(response.status, status) << body << " -> " << response.body;
        EXPECT_TRUE(json::parse(response.body).contains("error")) << response.body;
        EXPECT_EQ(Screen()["version"], before) << body;
        EXPECT_EQ(ui.Dialog().buttonTaps, 0);
        EXPECT_EQ(ui.Dialog().disabledTaps, 0);
        EXPECT_EQ(ui.Dialog().hiddenTaps, 0);
    }

    PanelTestUi ui;
    RequestLog log;
    ApiAccess access;
    TouchPanelApi api;
};

TEST_F(TouchPanelApiTest, ScreenShowsTheModalDialogWithItsControls)
{
    ASSERT_NE(ui.DialogWindow(), nullptr);
    json screen = Screen();
    EXPECT_GE(screen["version"].get<int>(), 1);
    ASSERT_FALSE(screen["windows"].empty());
    const json& front = screen["windows"][0];
    EXPECT_EQ(front["template"], PanelTestDialog::IDD);
    EXPECT_EQ(front["hwnd"], ui.DialogHandle());
    EXPECT_EQ(front["caption"], "試験");
    EXPECT_EQ(front["modal"], true);
    ASSERT_NE(Control(screen, PanelTestDialog::IDC_LIST), nullptr);
    EXPECT_EQ((*Control(screen, PanelTestDialog::IDC_LIST))["rowCount"], 3);
    EXPECT_EQ((*Control(screen, PanelTestDialog::IDC_HIDDEN))["visible"], false);
}

TEST_F(TouchPanelApiTest, InputActsAndAnswersTheNewScreen)
{
    std::uint64_t before = Screen()["version"];
    ApiResponse response = Post("/api/tap", Tap(PanelTestDialog::IDC_CHECK));
    ASSERT_EQ(response.status, 200) << response.body;
    json screen = json::parse(response.body);
    EXPECT_GT(screen["version"].get<std::uint64_t>(), before);
    EXPECT_EQ((*Control(screen, PanelTestDialog::IDC_CHECK))["checked"], true);

    ASSERT_EQ(Post("/api/tap", Tap(PanelTestDialog::IDC_BUTTON)).status, 200);
    EXPECT_EQ(ui.Dialog().buttonTaps, 1);

    response = Post("/api/tap", Tap(PanelTestDialog::IDC_LIST, ", \"row\": 2"));
    ASSERT_EQ(response.status, 200) << response.body;
    EXPECT_EQ((*Control(json::parse(response.body), PanelTestDialog::IDC_LIST))["selectedRows"], json::array({2}));

    // Typed text reaches the focused entry field.
    ASSERT_EQ(Post("/api/tap", Tap(PanelTestDialog::IDC_EDIT)).status, 200);
    response = Post("/api/type", "{\"hwnd\": " + std::to_string(ui.DialogHandle()) + ", \"text\": \"ab漢\"}");
    ASSERT_EQ(response.status, 200) << response.body;
    EXPECT_EQ((*Control(json::parse(response.body), PanelTestDialog::IDC_EDIT))["text"], "ab漢");
    // One input presses a repeated key that many times (quick Backspaces).
    response = Post("/api/key", "{\"hwnd\": " + std::to_string(ui.DialogHandle()) + ", \"vk\": 8, \"repeat\": 2}");
    ASSERT_EQ(response.status, 200) << response.body;
    EXPECT_EQ((*Control(json::parse(response.body), PanelTestDialog::IDC_EDIT))["text"], "a");
}

// Malformed input is 400, an unknown window, control or part 404, a
// disabled or hidden control 409.
TEST_F(TouchPanelApiTest, RefusedInputChangesNothing)
{
    std::string dialog = "{\"hwnd\": " + std::to_string(ui.DialogHandle());
    HWND button = ::GetDlgItem(ui.DialogWindow(), PanelTestDialog::IDC_BUTTON);
    const std::tuple<const char*, std::string, int> refusals[] = {
        {"tap", "{\"hwnd\": 1, \"id\": ", 400},
        {"tap", "[1, 2]", 400},
        {"tap", "{\"id\": 100}", 400},
        {"tap", "{\"hwnd\": \"x\", \"id\": 100}", 400},
        {"tap", Tap(PanelTestDialog::IDC_BUTTON, ", \"row\": 1, \"tab\": 1"), 400},
        {"tap", Tap(PanelTestDialog::IDC_BUTTON, ", \"row\": -1"), 400},
        {"tap", Tap(PanelTestDialog::IDC_BUTTON, ", \"double\": 1"), 400},
        {"tap", Tap(PanelTestDialog::IDC_BUTTON, ", \"x\": 3"), 400},
        {"key", dialog + ", \"vk\": 0}", 400},
        {"key", dialog + ", \"vk\": 13.5}", 400},
        {"key", dialog + ", \"vk\": 8, \"repeat\": 0}", 400},
        {"key", dialog + ", \"vk\": 8, \"repeat\": 101}", 400},
        {"type", dialog + ", \"text\": 5}", 400},
        {"tap", "{\"hwnd\": 999999, \"id\": 100}", 404},
        {"tap", Tap(4711), 404},
        {"tap", Tap(PanelTestDialog::IDC_LIST, ", \"row\": 3"), 404},
        {"tap", Tap(PanelTestDialog::IDC_BUTTON, ", \"tab\": 0"), 404},
        {"tap", Tap(PanelTestDialog::IDC_BUTTON, ", \"x\": 5000, \"y\": 1"), 404},
        {"key", "{\"hwnd\": 999999, \"vk\": 13}", 404},
        // A control's handle is not a window one can address.
        {"tap", "{\"hwnd\": " + std::to_string(ScreenJson::HandleNumber(button)) + ", \"id\": 100}", 404},
        {"tap", Tap(PanelTestDialog::IDC_DISABLED), 409},
        {"tap", Tap(PanelTestDialog::IDC_HIDDEN), 409},
        {"tap", Tap(PanelTestDialog::IDC_DISABLED, ", \"double\": true"), 409},
    };
    for (const auto& [route, body, status] : refusals)
        ExpectRefused(route, body, status);
}

// The front end's own files are served (the browser tests load them); no
// other file is.
TEST_F(TouchPanelApiTest, WrongMethodsAndRoutes)
{
    EXPECT_EQ(Get("/api/tap").status, 405);
    EXPECT_EQ(Post("/api/screen", "{}").status, 405);
    EXPECT_EQ(Get("/api/nothing").status, 404);
    EXPECT_EQ(Post("/index.html", "{}").status, 405);
    EXPECT_EQ(Get("/missing.js").status, 404);
    EXPECT_EQ(Get("/../CMakeLists.txt").status, 404);
    EXPECT_EQ(Get("/api/screen", {{"after", "x"}}).status, 400);
    EXPECT_EQ(Get("/api/requests", {{"after", "-1"}}).status, 400);
}

TEST_F(TouchPanelApiTest, RowsOfAListArePagedAndBadRangesRefused)
{
    std::string dialog = std::to_string(ui.DialogHandle());
    std::string list = std::to_string(PanelTestDialog::IDC_LIST);
    ApiResponse rows = Get("/api/rows", {{"hwnd", dialog}, {"id", list}, {"from", "1"}, {"count", "5"}});
    ASSERT_EQ(rows.status, 200) << rows.body;
    json answer = json::parse(rows.body);
    EXPECT_EQ(answer["firstRow"], 1);
    EXPECT_EQ(answer["rowCount"], 3);
    EXPECT_EQ(answer["rows"], json::array({json::array({"二"}), json::array({"三"})}));

    using Query = std::map<std::string, std::string>;
    const std::pair<Query, int> refusals[] = {
        {{{"id", list}, {"from", "0"}}, 400},
        {{{"hwnd", dialog}, {"id", list}, {"from", "x"}}, 400},
        {{{"hwnd", dialog}, {"id", list}, {"from", "-1"}}, 400},
        {{{"hwnd", dialog}, {"id", list}, {"from", "0"}, {"count", "0"}}, 400},
        {{{"hwnd", dialog}, {"id", list}, {"from", "0"}, {"count", "1001"}}, 400},
        {{{"hwnd", "999999"}, {"id", list}, {"from", "0"}}, 404},
        {{{"hwnd", dialog}, {"id", "4711"}, {"from", "0"}}, 404},
        {{{"hwnd", dialog}, {"id", std::to_string(PanelTestDialog::IDC_BUTTON)}, {"from", "0"}}, 404},
    };
    for (const auto& [query, status] : refusals) {
        ApiResponse refused = Get("/api/rows", query);
        EXPECT_EQ(refused.status, status) << refused.body;
        EXPECT_TRUE(json::parse(refused.body).contains("error")) << refused.body;
    }
    EXPECT_EQ(Post("/api/rows", "{}").status, 405);
}

TEST_F(TouchPanelApiTest, AnInputTheUiIsStillBusyWithIsAnsweredAsBusy)
{
    ui.Dialog().slowFor = std::chrono::milliseconds(400);
    api.SetLimits(std::chrono::seconds(5), std::chrono::milliseconds(100));
    std::uint64_t before = Screen()["version"];
    ApiResponse busy = Post("/api/tap", Tap(PanelTestDialog::IDC_SLOW));
    EXPECT_EQ(busy.status, 202) << busy.body;
    EXPECT_EQ(json::parse(busy.body), json({{"busy", true}, {"version", before}}));
    // The screen that shows the outcome comes with a later version.
    json after = json::parse(Get("/api/screen", {{"after", std::to_string(before)}}).body);
    EXPECT_GT(after["version"].get<std::uint64_t>(), before);
    EXPECT_EQ((*Control(after, PanelTestDialog::IDC_SLOW))["text"], "済");
}

TEST_F(TouchPanelApiTest, ThePlaybackScreenIsReadAndSetThroughTheApi)
{
    testing_support::TempDataRoot root;
    std::filesystem::create_directories(root.PosixOf(L"D:\\data"));
    std::ofstream(root.PosixOf(L"D:\\data\\a.FSD")) << "x";
    app_testing::DefaultInstrument instrument;
    int changes = 0;
    api.SetInstrumentChanged([&changes] { ++changes; });

    EXPECT_EQ(json::parse(Get("/api/playback").body), json({{"path", nullptr}}));
    ApiResponse opened = Post("/api/playback", R"({"path": "d:/data/A.fsd"})");
    EXPECT_EQ(opened.status, 200) << opened.body;
    EXPECT_EQ(json::parse(opened.body)["path"], "D:\\data\\a.FSD");
    EXPECT_EQ(InstrumentProfile::Current()->playbackFile, L"D:\\data\\a.FSD");
    EXPECT_EQ(json::parse(Get("/api/playback").body)["path"], "D:\\data\\a.FSD");
    EXPECT_EQ(changes, 1);

    // Refusals change nothing.
    for (auto [body, status] : {std::pair{R"({"path": "D:\\data\\missing.FSD"})", 404},
                                std::pair{R"({"path": "Q:\\x.FSD"})", 404}, std::pair{R"({"path": "D:\\data"})", 404},
                                std::pair{R"({"path": "D:\\..\\..\\etc\\passwd"})", 404}, std::pair{R"({"path": 3})", 400},
                                std::pair{R"({"file": null})", 400}, std::pair{R"({"path": ""})", 400},
                                std::pair{"[]", 400}, std::pair{"{\"path\":", 400}}) {
        ApiResponse refused = Post("/api/playback", body);
        EXPECT_EQ(refused.status, status) << body << " -> " << refused.body;
        EXPECT_TRUE(json::parse(refused.body).contains("error")) << refused.body;
    }
    EXPECT_EQ(InstrumentProfile::Current()->playbackFile, L"D:\\data\\a.FSD");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Post("/api/playback", "{}", "http://evil.example").status, 403);

    // The operator closes the screen even where the dialog's close request would fail.
    InstrumentProfile::Modify([](InstrumentProfile& profile) { profile.playbackCloseSucceeds = false; });
    ApiResponse closed = Post("/api/playback", R"({"path": null})");
    EXPECT_EQ(closed.status, 200) << closed.body;
    EXPECT_EQ(json::parse(closed.body), json({{"path", nullptr}}));
    EXPECT_TRUE(InstrumentProfile::Current()->playbackFile.empty());
    EXPECT_EQ(changes, 2);
}

TEST_F(TouchPanelApiTest, LongPollAnswersWithTheSameVersionWhenNothingChanged)
{
    api.SetLimits(std::chrono::milliseconds(50), TouchPanelApi::kInputLimit);
    std::uint64_t now = Screen()["version"];
    json polled = json::parse(Get("/api/screen", {{"after", std::to_string(now)}}).body);
    EXPECT_EQ(polled["version"], now);
    // An earlier version is answered at once with the newest screen.
    json older = json::parse(Get("/api/screen", {{"after", "0"}}).body);
    EXPECT_EQ(older["version"], now);
}

TEST_F(TouchPanelApiTest, TheRequestLogIsServedFromASequenceNumberOn)
{
    log.Add(DLGREQ_SETTING_CHANGED, {{L"flags", L"CHG_SOUND"}});
    log.Add(DLGREQ_RESTART, {});
    json all = json::parse(Get("/api/requests").body);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]["name"], "DLGREQ_SETTING_CHANGED");
    json newer = json::parse(Get("/api/requests", {{"after", "1"}}).body);
    ASSERT_EQ(newer.size(), 1u);
    EXPECT_EQ(newer[0]["name"], "DLGREQ_RESTART");
}

}  // namespace
