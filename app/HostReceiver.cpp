#include "HostReceiver.h"

#include "DataFileRequests.h"
#include "PlaybackScreen.h"
#include "SettingTextFile.h"
#include "SettingsFile.h"
#include "host/InstrumentProfile.h"
#include "host/devices/NetConfig.h"
#include "win/DebugLog.h"
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
    m_note.clear();
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
    case DLGREQ_SAVE_MEMORY_BLOCK: SaveMemoryBlock(*request); break;
    case DLGREQ_CONVERT_FILE_CSV: ConvertFileCsv(*request); break;
    case DLGREQ_IS_PLAYBACK_FILE: IsPlaybackFile(*request); break;
    case DLGREQ_CLOSE_PLAYBACK: ClosePlayback(*request); break;
    case DLGREQ_EXPORT_FILE: ExportFile(*request); break;
    case DLGREQ_QUERY_PLAYBACK: QueryPlayback(*request); break;
    case DLGREQ_SAVE_TEXT: SaveText(*request); break;
    case DLGREQ_LOAD_TEXT: LoadText(*request); break;
    default:
        // No such kind: the record is left as it came, which reads as no.
        break;
    }
    std::vector<DlgRequestField> fields = DescribeDlgRequest(*request);
    if (!m_note.empty())
        fields.push_back({L"host", win::Utf8ToWide(m_note)});
    std::uint64_t seq = m_log.Add(request->Kind(), std::move(fields));
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

std::optional<win::PinnedPath> HostReceiver::FileFor(const wchar_t* windowsPath, win::PinnedPath::Use use,
                                                    const char* what)
{
    std::string error = "no path";
    std::optional<win::PinnedPath> file;
    if (windowsPath && *windowsPath)
        file = win::PinnedPath::Make(windowsPath, use, error);
    if (!file) {
        OutputDebugStringA(("host: " + std::string(what) + " refused: " + error).c_str());
        m_note = "refused: " + error;
    }
    return file;
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
    std::optional<win::PinnedPath> file = FileFor(request.Text(12), win::PinnedPath::Use::Write, "settings save");
    if (!file)
        return;
    std::string error;
    if (!SettingsFile::Save(file->Path(), m_state, error)) {
        error = file->Shown(error);
        OutputDebugStringA(("host: settings save failed: " + error).c_str());
        m_note = "refused: " + error;
        return;
    }
    request.SetByte(16, 1);
}

void HostReceiver::LoadSettings(T_DLG_REQUEST& request)
{
    std::optional<win::PinnedPath> file = FileFor(request.Text(12), win::PinnedPath::Use::Read, "settings load");
    if (!file)
        return;
    std::string error;
    if (!SettingsFile::Load(file->Path(), m_state, error)) {
        error = file->Shown(error);
        OutputDebugStringA(("host: settings load refused: " + error).c_str());
        m_note = "refused: " + error;
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

void HostReceiver::SaveMemoryBlock(T_DLG_REQUEST& request)
{
    // The block index is a 32-bit word of the instrument's record.
    auto block = static_cast<std::int32_t>(static_cast<std::uint32_t>(request.Word(12)));
    DataFileRequests::Outcome outcome =
        DataFileRequests::SaveMemoryBlock(block, request.Text(16), request.Byte(24));
    m_note = outcome.note;
    request.SetByte(36, outcome.done ? 1 : 0);
}

void HostReceiver::ConvertFileCsv(T_DLG_REQUEST& request)
{
    DataFileRequests::Outcome outcome = DataFileRequests::ConvertToCsv(request.Text(12), request.Text(16));
    m_note = outcome.note;
    request.SetByte(20, outcome.done ? 1 : 0);
}

void HostReceiver::ExportFile(T_DLG_REQUEST& request)
{
    // The sender reads no answer; the log tells what happened.
    DataFileRequests::Outcome outcome = DataFileRequests::Export(
        request.Text(16), request.Text(20), static_cast<DWORD>(request.Word(24)));
    m_note = outcome.note;
}

void HostReceiver::IsPlaybackFile(T_DLG_REQUEST& request)
{
    const wchar_t* path = request.Text(12);
    request.SetByte(16, path && PlaybackScreen::Holds(path) ? 1 : 0);
}

void HostReceiver::ClosePlayback(T_DLG_REQUEST& request)
{
    std::wstring was = PlaybackScreen::OpenFile();
    bool closed = PlaybackScreen::Close();
    request.SetByte(12, closed ? 1 : 0);
    if (was.empty())
        return;
    m_note = (closed ? "closed " : "refused: the playback screen keeps ") + win::WideToUtf8(was);
    if (closed && m_persist)
        m_persist();
}

void HostReceiver::QueryPlayback(T_DLG_REQUEST& request) { request.SetByte(16, PlaybackScreen::IsOpen() ? 1 : 0); }

void HostReceiver::SaveText(T_DLG_REQUEST& request)
{
    std::optional<win::PinnedPath> file = FileFor(request.Text(12), win::PinnedPath::Use::Write, "text save");
    if (!file) {
        request.SetByte(18, 0);
        return;
    }
    std::string error;
    if (!SettingTextFile::Save(file->Path(), m_state, request.Word16(16), error)) {
        m_note = "refused: " + file->Shown(error);
        request.SetByte(18, 0);
        return;
    }
    request.SetByte(18, 1);
}

void HostReceiver::LoadText(T_DLG_REQUEST& request)
{
    std::optional<win::PinnedPath> file = FileFor(request.Text(12), win::PinnedPath::Use::Read, "text load");
    if (!file) {
        request.SetByte(18, 0);
        return;
    }
    std::string error;
    if (!SettingTextFile::Load(file->Path(), request.Word16(16), m_state, error)) {
        m_note = "refused: " + file->Shown(error);
        request.SetByte(18, 0);
        return;
    }
    if (m_persist)
        m_persist();
    request.SetByte(18, 1);
}
