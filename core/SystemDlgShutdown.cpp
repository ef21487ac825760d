// The frame's ending actions: shutdown with the write-filter step, USB drive
// release, and the development-only application exit.
#include "core/SystemDlg.h"
#include "core/SystemShutdownDlg.h"
#include "host/FileIO.h"
#include "host/TextService.h"
#include "host/devices/UsbEject.h"
#include "host/dialogs/CPopupDlg.h"
#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/FileApi.h"
#include "win/Handles.h"
#include "win/Process.h"
#include "win/WideFormat.h"

#include <cstring>

namespace {

constexpr size_t noMemSaveOffset = 302;
constexpr size_t maintenanceNextOffset = 303;

// Switches the system write filter off for the next start, so that a start
// in maintenance mode can change the system drive. Failures only reach the
// debug output: the shutdown goes on whatever happens here.
void DisableWriteFilter()
{
    wchar_t systemDirectory[MAX_PATH] = {};
    UINT length = GetSystemDirectoryW(systemDirectory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        OutputDebugStringW(L"GetSystemDirectory() 失敗\n");
        return;
    }
    CString commandLine;
    commandLine.Format(L"%s\\EWFMGR.EXE C: -disable", systemDirectory);
    // CreateProcessW may write into its command line.
    std::wstring writable(commandLine.GetString());
    writable.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                        &startup, &process)) {
        OutputDebugStringW(L"EWFMGR.EXE 起動失敗\n");
        return;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
}

}  // namespace

void CSystemDlg::OnBnClickedButtonShutdown()
{
    CSystemShutdownDlg confirm(nullptr);
    confirm.SetCheckNoMemSave(false);
    if (confirm.DoModal() != IDOK)
        return;
    bool noMemSave = confirm.IsCheckNoMemSave();

    auto* misc = m_pConfig ? reinterpret_cast<BYTE*>(m_pConfig->pMisc) : nullptr;
    if (misc) {
        misc[noMemSaveOffset] = noMemSave ? 1 : 0;
        if (misc[maintenanceNextOffset] != 0)
            DisableWriteFilter();
    }

    T_DLG_REQUEST request;
    request.Prepare(this, DLGREQ_SHUTDOWN);
    request.SetWord(12, 1);
    request.SetByte(16, noMemSave ? 1 : 0);
    SendDLGRequest(&request);
    OnOK();
}

void CSystemDlg::OnBnClickedButtonUsbEject()
{
    CTextService* texts = GetTextServiceObject();
    CPopupDlg popup(this, true);
    popup.SetCaptionText(texts->GetText(17000, 3, L"USBドライブ切り離し"));
    popup.SetMessageText(texts->GetText(17000, 30,
                                        L"USBドライブの切り離しを実行します。\n取り外しの安全が確認されたら\nデバイスを本体から取り外してください。"));
    if (popup.DoModal() != 1)
        return;

    // A file open for playback must be closed before its drive goes away.
    T_DLG_REQUEST request;
    request.Prepare(this, DLGREQ_QUERY_PLAYBACK);
    if (SendDLGRequest(&request) && request.Byte(16) == 1) {
        request.SetKind(DLGREQ_CLOSE_PLAYBACK);
        SendDLGRequest(&request);
    }

    // No current directory may lie on a drive being ejected. The directory is
    // kept as a wide string: a folder name within the path limit can need
    // more than 260 bytes as narrow text, and must still be restored.
    wchar_t previousDirectory[MAX_PATH] = {};
    bool kept = _wgetcwd(previousDirectory, MAX_PATH) != nullptr;
    _wchdir(L"D:\\");
    FileIO::AllSuspend();
    bool ejected = EjectUSBDrives() != 0;
    FileIO::AllResume();
    if (kept)
        _wchdir(previousDirectory);

    if (ejected)
        popup.SetMessageText(texts->GetText(17000, 31, L"USBドライブを安全に取り外せることが\n確認されました。"));
    else
        popup.SetMessageText(texts->GetText(17000, 32, L"USBドライブの切り離しに失敗しました。\n"));
    popup.SetButtonMode(2);
    popup.DoModal();
}

void CSystemDlg::OnBnClickedButtonAppExit()
{
    T_DLG_REQUEST request;
    request.Prepare(this, DLGREQ_APP_EXIT);
    request.SetByte(16, 1);
    SendDLGRequest(&request);
    OnOK();
}
