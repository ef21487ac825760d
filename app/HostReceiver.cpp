#include "HostReceiver.h"

#include "SettingsFile.h"
#include "host/InstrumentProfile.h"
#include "host/devices/NetConfig.h"
#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/TextConvert.h"

#include <cstdio>

HostReceiver::HostReceiver(HostState& state, RequestLog& log, std::function<void()> persist)
    : m_state(state), m_log(log), m_persist(std::move(persist))
{
}

void HostReceiver::OnDLGRequest(T_DLG_REQUEST* request, int cookie)
{
    if (!request)
        return;
    switch (request->Kind()) {
    case DLGREQ_SETTING_CHANGED: SettingChanged(*request); break;
    case DLGREQ_SAVE_SETTINGS: SaveSettings(*request); break;
    case DLGREQ_LOAD_SETTINGS: LoadSettings(*request); break;
    case DLGREQ_INITIALIZE: Initialize(*request); break;
    case DLGREQ_RESTART: Restart(); break;
    case DLGREQ_SHUTDOWN:
        m_ending = Ending::Shutdown;
        m_skipMemorySave = request->Byte(16) != 0;
        break;
    case DLGREQ_APP_EXIT: m_ending = Ending::AppExit; break;
    default:
        // Not carried out by this host yet: the cleared record answers no.
        break;
    }
    std::uint64_t seq = m_log.Add(request->Kind(), DescribeDlgRequest(*request));
    if (m_echo) {
        std::vector<LoggedRequest> entry = m_log.Since(seq - 1);
        if (!entry.empty())
            std::printf("request %s\n", RequestLog::ToLine(entry.front()).c_str());
        std::fflush(stdout);
    }
    Changed();
}

HostReceiver::Ending HostReceiver::TakeEnding()
{
    Ending ending = m_ending;
    m_ending = Ending::None;
    return ending;
}

void HostReceiver::Changed()
{
    if (m_stateChanged)
        m_stateChanged();
}

std::string HostReceiver::PosixPath(const wchar_t* windowsPath, const char* what) const
{
    if (!windowsPath || !*windowsPath) {
        OutputDebugStringA((std::string("host: ") + what + " without a path").c_str());
        return {};
    }
    std::optional<std::string> posix = win::Drives::ToPosix(windowsPath);
    if (!posix) {
        OutputDebugStringW((L"host: no such place: " + std::wstring(windowsPath)).c_str());
        return {};
    }
    return *posix;
}

void HostReceiver::SettingChanged(T_DLG_REQUEST&)
{
    // The dialog has already written the change into the host's objects;
    // applying it here means keeping it.
    if (m_persist)
        m_persist();
}

void HostReceiver::SaveSettings(T_DLG_REQUEST& request)
{
    std::string path = PosixPath(request.Text(12), "settings save");
    if (path.empty())
        return;
    std::string error;
    if (!SettingsFile::Save(path, m_state, error)) {
        OutputDebugStringA(("host: settings save failed: " + error).c_str());
        return;
    }
    request.SetByte(16, 1);
}

void HostReceiver::LoadSettings(T_DLG_REQUEST& request)
{
    std::string path = PosixPath(request.Text(12), "settings load");
    if (path.empty())
        return;
    std::string error;
    if (!SettingsFile::Load(path, m_state, error)) {
        OutputDebugStringA(("host: settings load refused: " + error).c_str());
        return;
    }
    if (m_persist)
        m_persist();
    request.SetByte(16, 1);
}

void HostReceiver::Initialize(T_DLG_REQUEST& request)
{
    DWORD mask = static_cast<DWORD>(request.Word(12)) & 0xF;
    DWORD errors = 0;
    bool restart = false;
    if (mask & 0x1)
        m_state.ResetSettings();
    if (mask & 0x3) {
        // Communication settings include the adapter: back to DHCP.
        m_state.ResetCommunication();
        int result = CNetConfig(-1).SetConfig(0, 0, 0);
        if (result != 1 && result != 2)
            errors |= kNetworkError;
        // Reset settings take effect when the instrument starts again.
        restart = true;
    }
    if (mask & 0x4)
        m_state.ClearAnnotations();
    if (mask & 0x8)
        InstrumentProfile::Modify([](InstrumentProfile& profile) {
            for (MemoryBlockProfile& block : profile.memoryBlocks) {
                block.enabled = false;
                block.channels.clear();
                block.sampleCount = 0;
            }
        });
    if (m_persist)
        m_persist();
    request.SetWord(16, mask);
    request.SetWord(20, errors);
    request.SetByte(24, restart ? 1 : 0);
}

void HostReceiver::Restart()
{
    // The sender ends only itself; the dialog around it is the host's to close.
    m_ending = Ending::Restart;
    if (m_closeDialog)
        m_closeDialog();
}
