// The touch-panel API against a real UI thread: a small dialog with one
// control of each kind the API must handle runs modally on a thread of its
// own, with a TouchPanel as the input driver.
#include "HttpServer.h"
#include "ScreenJson.h"
#include "TouchPanel.h"
#include "TouchPanelApi.h"
#include "host/InstrumentProfile.h"
#include "host/devices/PrinterIO.h"
#include "win/Dialog.h"
#include "win/DialogTemplate.h"
#include "win/Drives.h"
#include "win/Input.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>
#include <memory>
#include <thread>

class PanelTestDialog : public CDialog {
public:
    static constexpr UINT IDD = 31900;
    static constexpr int IDC_BUTTON = 100;
    static constexpr int IDC_CHECK = 101;
    static constexpr int IDC_DISABLED = 102;
    static constexpr int IDC_HIDDEN = 103;
    static constexpr int IDC_LIST = 104;
    static constexpr int IDC_EDIT = 105;

    PanelTestDialog() : CDialog(IDD, nullptr) {}

    std::atomic<int> buttonTaps{0};
    std::atomic<int> disabledTaps{0};
    std::atomic<int> hiddenTaps{0};

    static void RegisterTemplate();

protected:
    BOOL OnInitDialog() override;
    void OnButton() { ++buttonTaps; }
    void OnDisabled() { ++disabledTaps; }
    void OnHidden() { ++hiddenTaps; }

    DECLARE_MESSAGE_MAP()
};

// Runs a PanelTestDialog modally on a thread of its own, with a TouchPanel
// installed as the input driver, until destroyed.
class PanelTestUi {
public:
    PanelTestUi();
    ~PanelTestUi();

    TouchPanel& Panel() { return *m_panel; }
    PanelTestDialog& Dialog() { return m_dialog; }
    HWND DialogWindow() const { return m_window.load(); }
    std::uint64_t DialogHandle() const { return ScreenJson::HandleNumber(DialogWindow()); }

private:
    PanelTestDialog m_dialog;
    std::unique_ptr<TouchPanel> m_panel;
    std::atomic<bool> m_start{false};
    std::atomic<HWND> m_window{nullptr};
    std::thread m_thread;
};

BEGIN_MESSAGE_MAP(PanelTestDialog, CDialog)
    ON_BN_CLICKED(PanelTestDialog::IDC_BUTTON, OnButton)
    ON_BN_CLICKED(PanelTestDialog::IDC_DISABLED, OnDisabled)
    ON_BN_CLICKED(PanelTestDialog::IDC_HIDDEN, OnHidden)
END_MESSAGE_MAP()

void PanelTestDialog::RegisterTemplate()
{
    win::DialogTemplate dialog;
    dialog.id = IDD;
    dialog.caption = L"試験";
    dialog.fontName = L"ＭＳ ゴシック";
    dialog.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    dialog.cx = 200;
    dialog.cy = 150;
    auto add = [&dialog](int id, win::ControlClass controlClass, const wchar_t* className, DWORD style,
                         const wchar_t* text, int y) {
        win::ControlTemplate control;
        control.id = id;
        control.controlClass = controlClass;
        control.className = className;
        control.style = style | WS_CHILD;
        control.x = 10;
        control.y = y;
        control.cx = 80;
        control.cy = 16;
        control.text = text;
        dialog.controls.push_back(control);
    };
    add(IDC_BUTTON, win::ControlClass::Button, L"Button", WS_VISIBLE | BS_PUSHBUTTON, L"押す", 5);
    add(IDC_CHECK, win::ControlClass::Button, L"Button", WS_VISIBLE | BS_AUTOCHECKBOX, L"確認", 25);
    add(IDC_DISABLED, win::ControlClass::Button, L"Button", WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON, L"無効", 45);
    add(IDC_HIDDEN, win::ControlClass::Button, L"Button", BS_PUSHBUTTON, L"隠れ", 65);
    add(IDC_LIST, win::ControlClass::ListBox, L"ListBox", WS_VISIBLE | LBS_NOTIFY, L"", 85);
    add(IDC_EDIT, win::ControlClass::Edit, L"Edit", WS_VISIBLE, L"", 125);
    win::RegisterDialogTemplate(dialog);
}

BOOL PanelTestDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const wchar_t* row : {L"一", L"二", L"三"})
        ::SendMessageW(::GetDlgItem(m_hWnd, IDC_LIST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    return TRUE;
}

PanelTestUi::PanelTestUi()
{
    PanelTestDialog::RegisterTemplate();
    m_thread = std::thread([this] {
        while (!m_start)
            std::this_thread::yield();
        m_dialog.DoModal();
    });
    m_panel = std::make_unique<TouchPanel>(m_thread.get_id(), ScreenJson::CaptureWindows,
                                           [] { return std::string("{\"test\":true}"); });
    win::SetInputDriver(m_panel.get());
    m_start = true;
    // The dialog is up once the first screen is published.
    TouchPanel::Published first = m_panel->WaitForVersionAfter(0, std::chrono::seconds(20));
    TouchPanel::Outcome found = m_panel->Run(
        [this] {
            m_window = m_dialog.m_hWnd;
            return TouchPanel::CommandResult{};
        },
        std::chrono::seconds(20));
    (void)first;
    (void)found;
}

PanelTestUi::~PanelTestUi()
{
    m_panel->Run(
        [this] {
            m_dialog.EndDialog(IDCANCEL);
            return TouchPanel::CommandResult{};
        },
        std::chrono::seconds(20), false);
    m_thread.join();
    win::SetInputDriver(nullptr);
    m_panel->Close();
}

// ---------------------------------------------------------------------------
// The API's routes, called directly.
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
    EXPECT_EQ((*Control(screen, PanelTestDialog::IDC_LIST))["rows"].size(), 3u);
    EXPECT_EQ((*Control(screen, PanelTestDialog::IDC_HIDDEN))["visible"], false);
}

TEST_F(TouchPanelApiTest, TapActsAndAnswersTheNewScreen)
{
    std::uint64_t before = Screen()["version"];
    ApiResponse response = Post("/api/tap", Tap(PanelTestDialog::IDC_CHECK));
    ASSERT_EQ(response.status, 200) << response.body;
    json screen = json::parse(response.body);
    EXPECT_GT(screen["version"].get<std::uint64_t>(), before);
    EXPECT_EQ((*Control(screen, PanelTestDialog::IDC_CHECK))["checked"], true);

    ASSERT_EQ(Post("/api/tap", Tap(PanelTestDialog::IDC_BUTTON)).status, 200);
    EXPECT_EQ(ui.Dialog().buttonTaps, 1);
}

TEST_F(TouchPanelApiTest, TapOnARowSelectsIt)
{
    ApiResponse response = Post("/api/tap", Tap(PanelTestDialog::IDC_LIST, ", \"row\": 2"));
    ASSERT_EQ(response.status, 200) << response.body;
    EXPECT_EQ((*Control(json::parse(response.body), PanelTestDialog::IDC_LIST))["selectedRows"], json::array({2}));
}

TEST_F(TouchPanelApiTest, TypedTextReachesTheFocusedEntryField)
{
    ASSERT_EQ(Post("/api/tap", Tap(PanelTestDialog::IDC_EDIT)).status, 200);
    std::string body = "{\"hwnd\": " + std::to_string(ui.DialogHandle()) + ", \"text\": \"ab漢\"}";
    ApiResponse response = Post("/api/type", body);
    ASSERT_EQ(response.status, 200) << response.body;
    EXPECT_EQ((*Control(json::parse(response.body), PanelTestDialog::IDC_EDIT))["text"], "ab漢");
}

TEST_F(TouchPanelApiTest, MalformedInputIsRefusedWith400)
{
    ExpectRefused("tap", "", 400);
    ExpectRefused("tap", "{\"hwnd\": 1, \"id\": ", 400);
    ExpectRefused("tap", "[1, 2]", 400);
    ExpectRefused("tap", "{\"id\": 100}", 400);
    ExpectRefused("tap", "{\"hwnd\": \"x\", \"id\": 100}", 400);
    ExpectRefused("tap", Tap(PanelTestDialog::IDC_BUTTON, ", \"row\": 1, \"tab\": 1"), 400);
    ExpectRefused("tap", Tap(PanelTestDialog::IDC_BUTTON, ", \"row\": -1"), 400);
    ExpectRefused("tap", Tap(PanelTestDialog::IDC_BUTTON, ", \"double\": 1"), 400);
    ExpectRefused("tap", Tap(PanelTestDialog::IDC_BUTTON, ", \"x\": 3"), 400);
    ExpectRefused("key", "{\"hwnd\": " + std::to_string(ui.DialogHandle()) + ", \"vk\": 0}", 400);
    ExpectRefused("key", "{\"hwnd\": " + std::to_string(ui.DialogHandle()) + ", \"vk\": 13.5}", 400);
    ExpectRefused("type", "{\"hwnd\": " + std::to_string(ui.DialogHandle()) + ", \"text\": 5}", 400);
}

TEST_F(TouchPanelApiTest, UnknownWindowsControlsAndPartsAre404)
{
    ExpectRefused("tap", "{\"hwnd\": 999999, \"id\": 100}", 404);
    ExpectRefused("tap", Tap(4711), 404);
    ExpectRefused("tap", Tap(PanelTestDialog::IDC_LIST, ", \"row\": 3"), 404);
    ExpectRefused("tap", Tap(PanelTestDialog::IDC_BUTTON, ", \"tab\": 0"), 404);
    ExpectRefused("tap", Tap(PanelTestDialog::IDC_BUTTON, ", \"x\": 5000, \"y\": 1"), 404);
    ExpectRefused("key", "{\"hwnd\": 999999, \"vk\": 13}", 404);
    // A control's handle is not a window one can address.
    HWND button = ::GetDlgItem(ui.DialogWindow(), PanelTestDialog::IDC_BUTTON);
    ExpectRefused("tap", "{\"hwnd\": " + std::to_string(ScreenJson::HandleNumber(button)) + ", \"id\": 100}", 404);
}

TEST_F(TouchPanelApiTest, DisabledAndHiddenControlsAre409)
{
    ExpectRefused("tap", Tap(PanelTestDialog::IDC_DISABLED), 409);
    ExpectRefused("tap", Tap(PanelTestDialog::IDC_HIDDEN), 409);
    ExpectRefused("tap", Tap(PanelTestDialog::IDC_DISABLED, ", \"double\": true"), 409);
}

TEST_F(TouchPanelApiTest, WrongMethodsAndRoutes)
{
    EXPECT_EQ(Get("/api/tap").status, 405);
    EXPECT_EQ(Post("/api/screen", "{}").status, 405);
    EXPECT_EQ(Post("/api/printer", "{}").status, 405);
    EXPECT_EQ(Get("/api/nothing").status, 404);
    EXPECT_EQ(Post("/index.html", "{}").status, 405);
    EXPECT_EQ(Get("/api/screen", {{"after", "x"}}).status, 400);
    EXPECT_EQ(Get("/api/requests", {{"after", "-1"}}).status, 400);
}

TEST_F(TouchPanelApiTest, ThePlaybackScreenIsReadAndSetThroughTheApi)
{
    auto root = std::filesystem::temp_directory_path() / ("panel-api-playback-" + std::to_string(getpid()));
    std::filesystem::create_directories(root / "D" / "data");
    std::ofstream(root / "D" / "data" / "a.FSD") << "x";
    ASSERT_TRUE(win::Drives::SetDataRoot(root.string()));
    auto savedProfile = InstrumentProfile::Current();
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
                                std::pair{R"({"path": "Q:\\x.FSD"})", 404}, std::pair{R"({"path": 3})", 400},
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

    InstrumentProfile::SetCurrent(*savedProfile);
    win::Drives::SetDataRoot("");
    std::filesystem::remove_all(root);
}

TEST_F(TouchPanelApiTest, CrossOriginPostIsRefusedAndChangesNothing)
{
    ApiResponse response = Post("/api/tap", Tap(PanelTestDialog::IDC_BUTTON), "http://evil.example");
    EXPECT_EQ(response.status, 403);
    EXPECT_EQ(ui.Dialog().buttonTaps, 0);
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

TEST_F(TouchPanelApiTest, RequestsConfigAndPrinterAreServed)
{
    log.Add(DLGREQ_SETTING_CHANGED, {{L"flags", L"CHG_SOUND"}});
    log.Add(DLGREQ_RESTART, {});
    json all = json::parse(Get("/api/requests").body);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0]["name"], "DLGREQ_SETTING_CHANGED");
    EXPECT_EQ(json::parse(Get("/api/requests", {{"after", "1"}}).body).size(), 1u);
    EXPECT_EQ(json::parse(Get("/api/config").body)["test"], true);
    PrinterIO().ChangePageAnnotations(7, L"注釈");
    json printer = json::parse(Get("/api/printer").body);
    EXPECT_EQ(printer["annotations"].size(), 108u);
    EXPECT_EQ(printer["annotations"][7], "注釈");
}

TEST_F(TouchPanelApiTest, FrontEndFilesAreServed)
{
    ApiResponse page = Get("/");
    EXPECT_EQ(page.status, 200);
    EXPECT_NE(page.contentType.find("text/html"), std::string::npos);
    EXPECT_NE(page.body.find("app.js"), std::string::npos);
    EXPECT_EQ(Get("/app.js").status, 200);
    EXPECT_EQ(Get("/missing.js").status, 404);
    EXPECT_EQ(Get("/../CMakeLists.txt").status, 404);
}

TEST_F(TouchPanelApiTest, NonLoopbackApiNeedsTheToken)
{
    ApiAccess guarded(false, "token0123456789abcdef");
    TouchPanelApi remote(ui.Panel(), log, guarded);
    ApiRequest request;
    request.caller.method = "POST";
    request.caller.path = "/api/tap";
    request.caller.host = "192.168.10.2:8080";
    request.body = Tap(PanelTestDialog::IDC_BUTTON);
    EXPECT_EQ(remote.Handle(request).status, 401);
    EXPECT_EQ(ui.Dialog().buttonTaps, 0);
    request.caller.method = "GET";
    request.caller.path = "/api/screen";
    EXPECT_EQ(remote.Handle(request).status, 401);
    request.caller.tokenHeader = "token0123456789abcdef";
    EXPECT_EQ(remote.Handle(request).status, 200);
}

// The HTTP wiring: a real socket, real headers.
TEST_F(TouchPanelApiTest, ServesOverHttp)
{
    HttpServer server(api);
    int port = server.Bind("127.0.0.1", 0);
    ASSERT_GT(port, 0);
    server.Start();
    httplib::Client client("127.0.0.1", port);
    auto screen = client.Get("/api/screen");
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->status, 200);
    EXPECT_EQ(json::parse(screen->body)["windows"][0]["template"], PanelTestDialog::IDD);

    auto refused = client.Post("/api/tap", {{"Origin", "http://evil.example"}}, Tap(PanelTestDialog::IDC_BUTTON),
                               "application/json");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 403);
    auto malformed = client.Post("/api/tap", "{not json", "application/json");
    ASSERT_TRUE(malformed);
    EXPECT_EQ(malformed->status, 400);
    auto tapped = client.Post("/api/tap", Tap(PanelTestDialog::IDC_BUTTON), "application/json");
    ASSERT_TRUE(tapped);
    EXPECT_EQ(tapped->status, 200);
    EXPECT_EQ(ui.Dialog().buttonTaps, 1);
    server.Stop();
}

}  // namespace
