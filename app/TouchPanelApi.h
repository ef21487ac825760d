// The touch-panel server's routes, independent of the HTTP library so that
// tests can call them directly:
//   GET  /api/screen[?after=N]   the screen; with after, waits (at most 25 s)
//                                for a version above N; "ended": true once
//                                the simulator is ending
//   GET  /api/rows?hwnd=&id=&from=[&count=]   rows of a list (at most 1000)
//   POST /api/tap   {"hwnd", "id"[, "row" | "column" | "tab"][, "double"]}
//   POST /api/key   {"hwnd", "vk"}
//   POST /api/type  {"hwnd", "text"}
//   GET  /api/requests[?after=SEQ]   the request log
//   GET  /api/config                 the host's configuration
//   GET  /api/printer                the page annotations the printer was sent,
//                                    what it is printing and its log
//   GET  /api/playback               {"path": file on the playback screen or null}
//   POST /api/playback {"path": "D:\\data\\a.FSD"} opens a file on the playback
//                      screen, {"path": null} closes it; answers as GET
//   POST /api/language {"language": "en"}  switches the dialogs' language
//                      ("ja" or "en"; /api/config's "language" names it); the open
//                      system dialog opens again in it; 409 while a popup or
//                      sub-dialog is in front; answers {"language": ...}
//   GET  /api/language {"language", "untranslated": ["group/item", ...]}: the
//                      keys the dialogs asked for that the language's table lacks
//   GET  /, /<file>                  the front end
// Input calls answer the new screen once the UI thread is idle again. When it
// is still busy after 3 s, they answer 202 {"busy": true, "version": N}: the
// input was taken, and the screen that shows its outcome will have a version
// above N. Refusals are 4xx with {"error": "..."} and change nothing.
#pragma once

#include "ApiAccess.h"
#include "RequestLog.h"
#include "TouchPanel.h"

#include <chrono>
#include <functional>
#include <map>
#include <string>

struct ApiRequest {
    ApiCaller caller;                           // method, path and the access headers
    std::map<std::string, std::string> query;   // decoded query parameters
    std::string body;
};

struct ApiResponse {
    int status = 200;
    std::string contentType = "application/json";
    std::string body;
};

class TouchPanelApi {
public:
    static constexpr std::chrono::milliseconds kLongPollLimit{25000};
    static constexpr std::chrono::milliseconds kInputLimit{3000};
    static constexpr int kMaxRows = 1000;

    TouchPanelApi(TouchPanel& panel, const RequestLog& log, const ApiAccess& access);

    ApiResponse Handle(const ApiRequest& request) const;

    // How a server that must not block on one client should run a request:
    // Now (Handle answers without waiting), Worker (Handle may wait for the
    // UI thread, up to the input limit), or Park (a screen request waiting
    // for a version above `after`: answer it with Handle once one is
    // published, or with CurrentScreen at the long-poll limit). Access is
    // checked first: a refused caller is always Now, and never waits.
    enum class Timing { Now, Worker, Park };
    Timing Classify(const ApiRequest& request, std::uint64_t& after) const;
    // The newest screen, without waiting.
    ApiResponse CurrentScreen() const;
    // The newest screen's version. A closed panel (the simulator is ending)
    // has one more screen: {"version": last + 1, "ended": true, "windows": []},
    // so that every reader, waiting or not, learns that the instrument ended.
    std::uint64_t PublishedVersion() const;
    std::chrono::milliseconds LongPollLimit() const { return m_longPollLimit; }
    // Tells `hook` (on any thread) when a new screen is published or the panel closes.
    void WatchPublications(std::function<void()> hook) const { m_panel.SetPublishedHook(std::move(hook)); }

    // Called on the UI thread after the API changed the simulated instrument
    // (the playback screen), so the host can keep the change.
    void SetInstrumentChanged(std::function<void()> changed) { m_instrumentChanged = std::move(changed); }

    // Carries out a language switch on the UI thread.
    using LanguageSwitch = std::function<TouchPanel::CommandResult(const std::string& language)>;
    void SetLanguageSwitch(LanguageSwitch languageSwitch) { m_languageSwitch = std::move(languageSwitch); }

    // Shorter waits for tests.
    void SetLimits(std::chrono::milliseconds longPoll, std::chrono::milliseconds input);

    static ApiResponse Error(int status, const std::string& message);

private:
    ApiResponse Screen(const ApiRequest& request) const;
    ApiResponse EndedScreen() const;
    ApiResponse Rows(const ApiRequest& request) const;
    // The answer when the UI thread did not take a command in time.
    ApiResponse NotTaken() const;
    // Runs a command on the UI thread without waiting for the thread to be
    // idle again: its refusal, or `answer()`.
    ApiResponse RunOnUiThread(TouchPanel::Command command, const std::function<ApiResponse()>& answer) const;
    ApiResponse Requests(const ApiRequest& request) const;
    ApiResponse Config() const;
    ApiResponse Input(const std::string& route, const std::string& body) const;
    ApiResponse Asset(const std::string& path) const;
    ApiResponse Playback(const ApiRequest& request) const;
    ApiResponse Language(const std::string& body) const;
    ApiResponse LanguageState() const;

    TouchPanel& m_panel;
    const RequestLog& m_log;
    const ApiAccess& m_access;
    std::chrono::milliseconds m_longPollLimit = kLongPollLimit;
    std::chrono::milliseconds m_inputLimit = kInputLimit;
    std::function<void()> m_instrumentChanged;
    LanguageSwitch m_languageSwitch;
};
