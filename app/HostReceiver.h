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
//   DLGREQ_SAVE_MEMORY_BLOCK a memory block to a recorded-data file (format 1)
//                            or CSV (format 0); byte 36 = written
//   DLGREQ_CONVERT_FILE_CSV  a recorded data file to CSV; byte 20 = converted
//   DLGREQ_EXPORT_FILE       a recorded data file to a MAT-file (2), FAMOS (3)
//                            or DIAdem (4) file in the folder; no answer
//   DLGREQ_IS_PLAYBACK_FILE  byte 16 = the path is open on the playback screen
//   DLGREQ_CLOSE_PLAYBACK    byte 12 = the playback screen let go of its file
//   DLGREQ_QUERY_PLAYBACK    byte 16 = 1 when a file is open for playback
//   DLGREQ_SAVE_TEXT,
//   DLGREQ_LOAD_TEXT         the setting text file (SettingTextFile.h) with
//                            the groups of the mask; byte 18 = saved / loaded
// The file kinds answer no and write nothing for a missing or damaged source;
// a destination that cannot be written keeps no partial file. What the host
// did with a file is logged as the entry's "host" field.
#pragma once

#include "HostState.h"
#include "RequestLog.h"
#include "core/DlgSender.h"
#include "win/PinnedPath.h"

#include <functional>
#include <optional>
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
    void SaveMemoryBlock(T_DLG_REQUEST& request);
    void ConvertFileCsv(T_DLG_REQUEST& request);
    void ExportFile(T_DLG_REQUEST& request);
    void IsPlaybackFile(T_DLG_REQUEST& request);
    void ClosePlayback(T_DLG_REQUEST& request);
    void QueryPlayback(T_DLG_REQUEST& request);
    void SaveText(T_DLG_REQUEST& request);
    void LoadText(T_DLG_REQUEST& request);
    void Changed();
    // The file a request names, reached beneath its drive; nothing, with the
    // refusal noted, when there is none.
    std::optional<win::PinnedPath> FileFor(const wchar_t* windowsPath, win::PinnedPath::Use use, const char* what);

    HostState& m_state;
    RequestLog& m_log;
    std::function<void()> m_persist;
    std::function<void()> m_closeDialog;
    std::function<void()> m_stateChanged;
    Ending m_ending = Ending::None;
    bool m_skipMemorySave = false;
    bool m_echo = false;
    std::string m_note;  // what the host did with the current request's files
};
