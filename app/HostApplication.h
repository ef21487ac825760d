// The host application on the UI thread: it owns the instrument state,
// persists it under the data root, runs the system dialog modally in the
// host's calling order (construct, SetupConfigData, SetDLGCallback, DoModal)
// and, when the dialog returns, carries out what it asked for: a restart
// reloads the state and opens the dialog again, a shutdown or application
// exit persists and ends, a plain close shows the host's main screen.
#pragma once

#include "HostMainWindow.h"
#include "HostReceiver.h"
#include "InstrumentClock.h"
#include "HostState.h"
#include "InstrumentRoot.h"
#include "LanguageChoice.h"
#include "RequestLog.h"
#include "TouchPanel.h"

#include <atomic>
#include <string>
#include <thread>

class CSystemDlg;

class HostApplication {
public:
    HostApplication(InstrumentRoot& root, RequestLog& log);
    ~HostApplication();

    // Reads the persisted state, if there is one, and sets the instrument's
    // clock as it was kept. A state file that cannot be read is kept aside
    // as state.txt.bad and the defaults are used.
    void LoadState();
    bool PersistState();
    // Connects the touch panel: every change of the host's state reaches the
    // panel's view of the configuration, and a change of a configuration
    // object is kept when the UI thread is next idle. The pages write some
    // settings at once without reporting them (the interval jogs, the
    // save-after-recording box, the print settings), and a setting the panel
    // shows must survive even a simulator that is killed.
    void ConnectPanel(TouchPanel& panel);

    // Runs on the calling thread (the UI thread) until the dialog asks for
    // shutdown or exit, or Stop is called. Returns the exit status.
    int Run();
    // Any thread: ends Run at the next opportunity (modal loops are ended).
    void Stop();

    // The dialogs' language, kept in the data root (see LanguageChoice).
    LanguageChoice& Language() { return m_language; }
    // UI thread: the operator's choice of language from the panel. The open
    // system dialog closes and opens again in the new language, as after a
    // restart request; with a popup or sub-dialog in front the switch is
    // refused (409), so no question is left half answered.
    TouchPanel::CommandResult SwitchLanguage(const std::string& language);

    HostState& State() { return m_state; }
    HostReceiver& Receiver() { return m_receiver; }
    // Called on the UI thread when the host's state may have changed.
    void SetStateChanged(std::function<void()> changed);

    static constexpr int kCookie = 1;

private:
    HostReceiver::Ending RunSystemDialog();
    // Whether the system dialog is the window in front.
    bool IsDialogInFront() const;
    // The clock calibration tells nobody: its change is kept when seen.
    void KeepClock();

    InstrumentRoot& m_root;
    RequestLog& m_log;
    HostState m_state;
    HostReceiver m_receiver;
    HostMainWindow m_mainWindow;
    InstrumentClock m_clock;
    LanguageChoice m_language;
    CSystemDlg* m_dialog = nullptr;   // the system dialog while it runs
    bool m_reopenDialog = false;
    std::function<void()> m_stateChanged;
    std::atomic<bool> m_stopRequested{false};
    bool m_unsaved = false;
    std::thread::id m_uiThread;
};
