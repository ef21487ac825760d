// The host's receiver of the dialog's requests. Every request is logged with
// its decoded fields (after the answer is written, so results show too).
//
//   DLGREQ_SETTING_CHANGED   the change is applied: the state is persisted
//   DLGREQ_SAVE_SETTINGS     writes the settings file (SettingsFile.h); byte 16 = saved
//   DLGREQ_LOAD_SETTINGS     reads one; a damaged or foreign file changes
//                            nothing and answers no; byte 16 = loaded
//   DLGREQ_INITIALIZE        resets the chosen groups; word 16 = the mask
//                            done, word 20 bit 0 = applying the network
//                            settings failed, byte 24 = restart needed
//   DLGREQ_RESTART           closes the running system dialog; the host
//                            reloads its state and opens the dialog again
//   DLGREQ_SHUTDOWN,
//   DLGREQ_APP_EXIT          remembered; the host persists and ends once
//                            the dialog has returned
// Every other kind is logged and answered no (the record is left cleared).
#pragma once

#include "HostState.h"
#include "RequestLog.h"
#include "core/DlgSender.h"

#include <functional>
#include <string>

class HostReceiver : public IDLGReceiver {
public:
    enum class Ending { None, Restart, Shutdown, AppExit };

    // persist: writes the host's state to disk (called after every change).
    HostReceiver(HostState& state, RequestLog& log, std::function<void()> persist);

    void OnDLGRequest(T_DLG_REQUEST* request, int cookie) override;

    // What ends the running dialog for a restart; empty while no dialog runs.
    void SetDialogCloser(std::function<void()> closer) { m_closeDialog = std::move(closer); }
    // Called after a request changed the host's state (for the side panel).
    void SetStateChanged(std::function<void()> changed) { m_stateChanged = std::move(changed); }
    // Echo every logged request on standard output.
    void SetEcho(bool echo) { m_echo = echo; }

    // What the dialog asked the host to do once DoModal has returned; taking
    // it resets it.
    Ending TakeEnding();
    Ending PeekEnding() const { return m_ending; }
    // The skip-memory-save choice of the last shutdown request.
    bool ShutdownSkipsMemorySave() const { return m_skipMemorySave; }

    // Bit 1 of INITIALIZE's error word: applying the network settings failed.
    static constexpr DWORD kNetworkError = 0x1;

private:
    void SettingChanged(T_DLG_REQUEST& request);
    void SaveSettings(T_DLG_REQUEST& request);
    void LoadSettings(T_DLG_REQUEST& request);
    void Initialize(T_DLG_REQUEST& request);
    void Restart();
    void Changed();
    // The file-system path of a text parameter, or empty (with a log line).
    std::string PosixPath(const wchar_t* windowsPath, const char* what) const;

    HostState& m_state;
    RequestLog& m_log;
    std::function<void()> m_persist;
    std::function<void()> m_closeDialog;
    std::function<void()> m_stateChanged;
    Ending m_ending = Ending::None;
    bool m_skipMemorySave = false;
    bool m_echo = false;
};
