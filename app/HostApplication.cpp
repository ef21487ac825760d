#include "HostApplication.h"

#include "SettingsFile.h"
#include "TouchPanel.h"
#include "core/SystemDlg.h"
#include "host/ConfigBase.h"
#include "host/InstrumentProfile.h"
#include "host/ProfileFile.h"
#include "host/formats/AtomicFile.h"
#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/Input.h"
#include "win/TextConvert.h"
#include "win/Window.h"

#include <cstdio>
#include <utility>
#include <sys/stat.h>

namespace {

std::string SafeText(const std::string& text) { return text.empty() ? "?" : text; }

}  // namespace

HostApplication::HostApplication(InstrumentRoot& root, RequestLog& log)
    : m_root(root), m_log(log), m_receiver(m_state, log, [this] { PersistState(); }), m_clock(root.ClockPath()),
      m_language(root.LanguagePath()),
      m_uiThread(std::this_thread::get_id())
{
}

HostApplication::~HostApplication() = default;

void HostApplication::SetStateChanged(std::function<void()> changed)
{
    m_stateChanged = changed;
    m_receiver.SetStateChanged(std::move(changed));
}

void HostApplication::LoadState()
{
    std::string clockError;
    if (!m_clock.Load(clockError))
        std::fprintf(stderr, "sysdlg-sim: %s; the clock runs on the machine's time\n", clockError.c_str());
    std::string error;
    struct stat info{};
    if (::lstat(m_root.StatePath().c_str(), &info) == 0 &&
        !SettingsFile::Load(m_root.StatePath(), m_state, error, win::FollowLinks::No)) {
        const std::string aside = InstrumentRoot::SetAside(m_root.StatePath());
        std::fprintf(stderr, "sysdlg-sim: %s: %s; starting with the default settings%s%s\n",
                     m_root.StatePath().c_str(), SafeText(error).c_str(), aside.empty() ? "" : ", the file kept as ",
                     aside.c_str());
    }
    // The file page's folder carries over as the process's current directory;
    // a new instrument starts in its data folder. A folder that no longer
    // exists leaves the current directory as it is.
    std::string folder(m_state.CurrentFolder());
    win::Drives::SetCurrentDirectory(win::Utf8ToWide(folder));
}

void HostApplication::ConnectPanel(TouchPanel& panel)
{
    CONFIG_BASE::SetChangeHook([this, &panel](CONFIG_BASE&, DWORD) {
        m_unsaved = true;
        panel.MarkConfigChanged();
    });
    panel.SetIdleWork([this] {
        if (m_unsaved)
            PersistState();
        else
            KeepClock();
    });
    SetStateChanged([&panel] { panel.MarkConfigChanged(); });
}

bool HostApplication::PersistState()
{
    m_unsaved = false;
    std::string error;
    bool saved = SettingsFile::Save(m_root.StatePath(), m_state, error);
    if (!saved)
        std::fprintf(stderr, "sysdlg-sim: cannot keep the settings: %s\n", error.c_str());
    KeepClock();
    // The simulated instrument changes too (memory erased, adapter set up).
    if (!formats::WriteFileAtomically(m_root.ProfilePath(), ProfileFile::Write(*InstrumentProfile::Current()),
                                      &error)) {
        std::fprintf(stderr, "sysdlg-sim: cannot keep the instrument profile: %s\n", error.c_str());
        saved = false;
    }
    return saved;
}

void HostApplication::KeepClock()
{
    std::string error;
    if (!m_clock.KeepIfChanged(error))
        std::fprintf(stderr, "sysdlg-sim: %s\n", error.c_str());
}

HostReceiver::Ending HostApplication::RunSystemDialog()
{
    CSystemDlg dialog(&m_mainWindow);
    dialog.SetupConfigData(m_state.Record(), true);
    dialog.SetDLGCallback(&m_receiver, kCookie);
    m_dialog = &dialog;
    m_receiver.SetDialogCloser([&dialog] { dialog.EndDialog(IDCANCEL); });
    dialog.DoModal();
    m_receiver.SetDialogCloser(nullptr);
    m_dialog = nullptr;
    return m_receiver.TakeEnding();
}

int HostApplication::Run()
{
    if (!m_mainWindow.CreateMainScreen()) {
        std::fprintf(stderr, "sysdlg-sim: cannot create the main screen\n");
        return 1;
    }
    AfxSetMainWnd(&m_mainWindow);
    // The instrument shows the system dialog when the simulator starts.
    bool open = true;
    while (!m_stopRequested) {
        if (open) {
            open = false;
            HostReceiver::Ending ending = RunSystemDialog();
            if (m_stopRequested)
                break;
            if (ending == HostReceiver::Ending::Shutdown || ending == HostReceiver::Ending::AppExit) {
                std::printf("sysdlg-sim: %s requested; ending\n",
                            ending == HostReceiver::Ending::Shutdown ? "shutdown" : "application exit");
                std::fflush(stdout);
                break;
            }
            PersistState();
            if (ending == HostReceiver::Ending::Restart) {
                // As after the instrument's restart: the kept state, a fresh dialog.
                LoadState();
                if (m_stateChanged)
                    m_stateChanged();
                open = true;
            }
            open = std::exchange(m_reopenDialog, false) || open;
            continue;
        }
        if (!AfxPumpMessage(nullptr))
            break;
        open = m_mainWindow.TakeOpenRequest();
    }
    PersistState();
    AfxSetMainWnd(nullptr);
    m_mainWindow.DestroyWindow();
    return 0;
}

TouchPanel::CommandResult HostApplication::SwitchLanguage(const std::string& language)
{
    if (!LanguageChoice::IsKnown(language))
        return {400, "no such language: " + language};
    if (m_dialog && m_dialog->GetSafeHwnd() && !IsDialogInFront())
        return {409, "close the open dialog or popup first"};
    if (language == m_language.Current())
        return {};
    std::string error;
    if (!m_language.Switch(language, error))
        return {500, error};
    if (m_stateChanged)
        m_stateChanged();
    if (m_mainWindow.GetSafeHwnd())
        m_mainWindow.ShowTexts();
    if (m_dialog && m_dialog->GetSafeHwnd()) {
        // Texts are set when a dialog initialises: only a fresh one shows the new language.
        m_reopenDialog = true;
        m_dialog->EndDialog(IDCANCEL);
    }
    return {};
}

bool HostApplication::IsDialogInFront() const
{
    // A modal sub-dialog, a popup or the modeless notice of a running print.
    for (HWND top : win::TopLevelWindows())
        if (::IsWindowVisible(top))
            return top == m_dialog->GetSafeHwnd();
    return false;
}

void HostApplication::Stop()
{
    m_stopRequested = true;
    win::AbortAllModalLoops();
    PostThreadMessageW(m_uiThread, WM_NULL, 0, 0);
}
