#include "TouchPanelApi.h"

#include "LanguageChoice.h"
#include "PanelInput.h"
#include "PlaybackScreen.h"
#include "ScreenJson.h"
#include "WebAssets.h"
#include "host/TextService.h"
#include "host/devices/PrinterIO.h"
#include "win/TextConvert.h"

#include <charconv>
#include <optional>

namespace {

bool ParseCount(const std::string& text, std::uint64_t& out)
{
    auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), out);
    return fault == std::errc() && end == text.data() + text.size() && !text.empty();
}

// A whole number from the query, at most `max`; an optional one keeps `out`.
bool QueryNumber(const ApiRequest& request, const char* name, bool required, std::uint64_t max, std::uint64_t& out,
                 std::string& error)
{
    auto given = request.query.find(name);
    if (given == request.query.end()) {
        if (required)
            error = std::string("missing ") + name;
        return !required;
    }
    if (!ParseCount(given->second, out) || out > max) {
        error = std::string(name) + " must be a whole number up to " + std::to_string(max);
        return false;
    }
    return true;
}

ApiResponse Json(std::string body)
{
    ApiResponse response;
    response.body = std::move(body);
    return response;
}

nlohmann::json PlaybackJson(const std::wstring& path)
{
    return {{"path", path.empty() ? nlohmann::json(nullptr) : nlohmann::json(win::WideToUtf8(path))}};
}

// The page annotations the printer was last sent, how many lines it has been
// sent since the simulator started, what it is doing and its log.
nlohmann::json PrinterJson(const PrinterJournal& journal)
{
    nlohmann::json annotations = nlohmann::json::array();
    for (const std::wstring& line : journal.annotations)
        annotations.push_back(win::WideToUtf8(line));
    nlohmann::json log = nlohmann::json::array();
    for (const PrinterLogEntry& entry : journal.log)
        log.push_back({{"n", entry.number}, {"ms", entry.milliseconds}, {"what", entry.what}, {"detail", entry.detail}});
    return {{"annotations", std::move(annotations)},
            {"annotationChanges", journal.annotationChanges},
            {"testPrintRunning", journal.testPrintRunning},
            {"dataChartRunning", journal.dataChartRunning},
            {"patternsPrinted", journal.patternsPrinted},
            {"logged", journal.logged},
            {"log", std::move(log)}};
}

}  // namespace

TouchPanelApi::TouchPanelApi(TouchPanel& panel, const RequestLog& log, const ApiAccess& access)
    : m_panel(panel), m_log(log), m_access(access)
{
}

void TouchPanelApi::SetLimits(std::chrono::milliseconds longPoll, std::chrono::milliseconds input)
{
    m_longPollLimit = longPoll;
    m_inputLimit = input;
}

ApiResponse TouchPanelApi::Error(int status, const std::string& message)
{
    ApiResponse response;
    response.status = status;
    // A message may quote what the client sent, which need not be UTF-8.
    response.body = nlohmann::json{{"error", message}}.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    return response;
}

ApiResponse TouchPanelApi::Handle(const ApiRequest& request) const
{
    AccessVerdict verdict = m_access.Check(request.caller);
    if (verdict.status != 200)
        return Error(verdict.status, verdict.error);

    const std::string& method = request.caller.method;
    const std::string& path = request.caller.path;
    bool get = method == "GET" || method == "HEAD";
    if (path.rfind("/api/", 0) != 0) {
        if (!get)
            return Error(405, "only GET serves files");
        return Asset(path);
    }
    std::string route = path.substr(5);
    if (route == "screen" || route == "rows" || route == "requests" || route == "config" || route == "printer") {
        if (!get)
            return Error(405, "use GET for /api/" + route);
        if (route == "screen")
            return Screen(request);
        if (route == "rows")
            return Rows(request);
        if (route == "requests")
            return Requests(request);
        if (route == "printer")
            return Json(PrinterJson(PrinterIO::GetJournal()).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
        return Config();
    }
    if (route == "playback") {
        if (!get && method != "POST")
            return Error(405, "use GET or POST for /api/playback");
        return Playback(request);
    }
    if (route == "language") {
        if (!get && method != "POST")
            return Error(405, "use GET or POST for /api/language");
        return get ? LanguageState() : Language(request.body);
    }
    if (route == "tap" || route == "key" || route == "type") {
        if (method != "POST")
            return Error(405, "use POST for /api/" + route);
        return Input(route, request.body);
    }
    return Error(404, "no such API: " + path);
}

TouchPanelApi::Timing TouchPanelApi::Classify(const ApiRequest& request, std::uint64_t& after) const
{
    if (m_access.Check(request.caller).status != 200)
        return Timing::Now;
    const std::string& path = request.caller.path;
    const std::string& method = request.caller.method;
    const bool get = method == "GET" || method == "HEAD";
    const bool published = PublishedVersion() > 0;
    if (!get || path == "/api/rows" || path == "/api/tap" || path == "/api/key" || path == "/api/type")
        return path.rfind("/api/", 0) == 0 ? Timing::Worker : Timing::Now;
    if (path == "/api/screen") {
        auto wanted = request.query.find("after");
        if (wanted == request.query.end())
            return published ? Timing::Now : Timing::Worker;
        if (!ParseCount(wanted->second, after))
            return Timing::Now;  // answered 400 at once
        return PublishedVersion() > after || m_panel.IsClosed() ? Timing::Now : Timing::Park;
    }
    if (path == "/api/config")
        return published ? Timing::Now : Timing::Worker;
    return Timing::Now;
}

std::uint64_t TouchPanelApi::PublishedVersion() const
{
    const bool closed = m_panel.IsClosed();
    return m_panel.Current().version + (closed ? 1 : 0);
}

ApiResponse TouchPanelApi::EndedScreen() const
{
    return Json(nlohmann::json{{"version", PublishedVersion()}, {"ended", true}, {"windows", nlohmann::json::array()}}
                    .dump());
}

ApiResponse TouchPanelApi::CurrentScreen() const
{
    if (m_panel.IsClosed())
        return EndedScreen();
    TouchPanel::Published published = m_panel.Current();
    if (!published.screen)
        return Error(503, "the screen is not ready yet");
    return Json(*published.screen);
}

ApiResponse TouchPanelApi::Screen(const ApiRequest& request) const
{
    std::uint64_t after = 0;
    auto wanted = request.query.find("after");
    if (wanted != request.query.end() && !ParseCount(wanted->second, after))
        return Error(400, "after must be a version number");
    TouchPanel::Published published;
    if (wanted != request.query.end())
        published = m_panel.WaitForVersionAfter(after, m_longPollLimit);
    else
        // The very first screen may still be on its way.
        published = m_panel.WaitForVersionAfter(0, m_inputLimit);
    if (m_panel.IsClosed())
        return EndedScreen();
    if (!published.screen)
        return Error(503, "the screen is not ready yet");
    return Json(*published.screen);
}

ApiResponse TouchPanelApi::Rows(const ApiRequest& request) const
{
    std::uint64_t hwnd = 0, id = 0, from = 0, count = 100;
    std::string error;
    if (!QueryNumber(request, "hwnd", true, PanelInput::kMaxWindowNumber, hwnd, error) ||
        !QueryNumber(request, "id", true, PanelInput::kMaxControlId, id, error) ||
        !QueryNumber(request, "from", true, 0x7FFFFFFF, from, error) ||
        !QueryNumber(request, "count", false, kMaxRows, count, error))
        return Error(400, error);
    if (count == 0)
        return Error(400, "count must be 1 to " + std::to_string(kMaxRows));
    HWND window = ScreenJson::HandleFromNumber(hwnd);
    // The rows belong to the UI thread; it answers between inputs.
    auto answer = std::make_shared<std::string>();
    return RunOnUiThread(
        [=]() -> TouchPanel::CommandResult {
            if (!PanelInput::IsDialogWindow(window))
                return {404, "no such window"};
            HWND control = PanelInput::FindControl(window, static_cast<int>(id));
            if (!control)
                return {404, "no control " + std::to_string(id) + " in that window"};
            std::optional<win::ScreenControl> rows =
                win::DescribeRows(control, static_cast<int>(from), static_cast<int>(count));
            if (!rows)
                return {404, "the control has no rows"};
            nlohmann::json out = {{"hwnd", ScreenJson::HandleNumber(window)}, {"id", id}};
            ScreenJson::AddRows(*rows, out);
            *answer = out.dump();
            return {};
        },
        [answer] { return Json(std::move(*answer)); });
}

ApiResponse TouchPanelApi::NotTaken() const
{
    return Error(503, m_panel.IsClosed() ? "the simulator is ending" : "the instrument is busy; try again");
}

ApiResponse TouchPanelApi::RunOnUiThread(TouchPanel::Command command, const std::function<ApiResponse()>& answer) const
{
    TouchPanel::Outcome outcome = m_panel.Run(std::move(command), m_inputLimit, false);
    if (!outcome.ran)
        return NotTaken();
    if (outcome.result.status != 200)
        return Error(outcome.result.status, outcome.result.error);
    return answer();
}

ApiResponse TouchPanelApi::Requests(const ApiRequest& request) const
{
    std::uint64_t after = 0;
    auto wanted = request.query.find("after");
    if (wanted != request.query.end() && !ParseCount(wanted->second, after))
        return Error(400, "after must be a sequence number");
    return Json(RequestLog::ToJson(m_log.Since(after)).dump());
}

ApiResponse TouchPanelApi::Config() const
{
    TouchPanel::Published published = m_panel.WaitForVersionAfter(0, m_inputLimit);
    if (!published.config)
        return Error(503, "the configuration is not ready yet");
    return Json(*published.config);
}

ApiResponse TouchPanelApi::Input(const std::string& route, const std::string& body) const
{
    PanelInput input;
    std::string error;
    if (!PanelInput::Parse(route, body, input, error))
        return Error(400, error);
    TouchPanel::Outcome outcome = m_panel.Run([input] { return input.Execute(); }, m_inputLimit);
    if (!outcome.ran || m_panel.IsClosed())
        return NotTaken();
    if (outcome.result.status != 200)
        return Error(outcome.result.status, outcome.result.error);
    if (!outcome.settled) {
        // The input was taken but is still being handled: answering the old
        // screen would pass it off as the outcome.
        ApiResponse busy = Json(nlohmann::json{{"busy", true}, {"version", outcome.screen.version}}.dump());
        busy.status = 202;
        return busy;
    }
    if (!outcome.screen.screen)
        return Error(503, "the screen is not ready yet");
    return Json(*outcome.screen.screen);
}

ApiResponse TouchPanelApi::Asset(const std::string& path) const
{
    const WebAsset* asset = FindWebAsset(path);
    if (!asset)
        return Error(404, "not found: " + path);
    ApiResponse response;
    response.contentType = asset->contentType;
    response.body.assign(reinterpret_cast<const char*>(asset->data), asset->size);
    return response;
}

ApiResponse TouchPanelApi::Playback(const ApiRequest& request) const
{
    if (request.caller.method != "POST") {
        // The profile is an immutable snapshot: any thread may read it.
        return Json(PlaybackJson(PlaybackScreen::OpenFile()).dump());
    }
    nlohmann::json body = nlohmann::json::parse(request.body, nullptr, false);
    if (body.is_discarded() || !body.is_object() || !body.contains("path") ||
        !(body["path"].is_string() || body["path"].is_null()))
        return Error(400, "expected {\"path\": \"D:\\\\data\\\\file\"} or {\"path\": null}");
    std::optional<std::wstring> path;
    if (body["path"].is_string()) {
        path = win::Utf8ToWide(body["path"].get<std::string>());
        if (path->empty() || path->find(L'\0') != std::wstring::npos)
            return Error(400, "the path is empty");
    }
    // The drive mapping and the host's persistence belong to the UI thread.
    std::function<void()> changed = m_instrumentChanged;
    return RunOnUiThread(
        [path, changed]() -> TouchPanel::CommandResult {
            if (path) {
                std::string error;
                if (!PlaybackScreen::Open(*path, error))
                    return {404, error};
            } else {
                PlaybackScreen::Clear();
            }
            if (changed)
                changed();
            return {};
        },
        [] { return Json(PlaybackJson(PlaybackScreen::OpenFile()).dump()); });
}

ApiResponse TouchPanelApi::Language(const std::string& body) const
{
    nlohmann::json parsed = nlohmann::json::parse(body, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object() || !parsed.contains("language") ||
        !parsed["language"].is_string()) {
        return Error(400, "expected {\"language\": L} with L " + LanguageChoice::KnownList());
    }
    if (!m_languageSwitch)
        return Error(404, "this panel has no language switch");
    const std::string language = parsed["language"].get<std::string>();
    LanguageSwitch languageSwitch = m_languageSwitch;
    return RunOnUiThread([languageSwitch, language] { return languageSwitch(language); },
                         [language] { return Json(nlohmann::json{{"language", language}}.dump()); });
}

ApiResponse TouchPanelApi::LanguageState() const
{
    TouchPanel::Published published = m_panel.WaitForVersionAfter(0, m_inputLimit);
    if (!published.config)
        return Error(503, "the configuration is not ready yet");
    nlohmann::json config = nlohmann::json::parse(*published.config, nullptr, false);
    nlohmann::json untranslated = nlohmann::json::array();
    for (const auto& [group, item] : GetTextServiceObject()->GetMissingKeys())
        untranslated.push_back(std::to_string(group) + "/" + std::to_string(item));
    return Json(nlohmann::json{{"language", config.value("language", "ja")}, {"untranslated", untranslated}}.dump());
}
