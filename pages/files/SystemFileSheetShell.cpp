// Copy, delete and new folder: the file actions the page does itself with
// the shell and the file system.
#include "pages/files/SystemFileSheet.h"

#include "host/FileRecording.h"
#include "host/IMRRec.h"
#include "host/devices/MemBlockMan.h"
#include "pages/files/FilePathRules.h"
#include "pages/files/FileProcDialog.h"
#include "pages/files/FileSheetIds.h"
#include "win/DebugLog.h"
#include "win/FileApi.h"

#include <string>

using namespace file_sheet;

namespace {

// The report code that tells the host that stored data changed.
constexpr UINT kReportFilesChanged = 256;

// A shell path list of one path: the path and two terminating NULs.
std::wstring PathList(const CString& path)
{
    std::wstring list = path.GetStdString();
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

}  // namespace

void CSystemFileSheet::OnBnClickedButtonCopy()
{
    CFileProcDialog dialog(this);
    dialog.Setup(CFileProcDialog::ModeFolder, Text(20, L"コピー先"), m_strCopyFolder);
    dialog.SetCaption(Text(3, L"コピー"));
    if (dialog.DoModal() != 1)
        return;
    m_strCopyFolder = dialog.GetValue();
    ShellFileOperation(FO_COPY);
}

void CSystemFileSheet::OnBnClickedButtonDelete()
{
    // The questions are asked per row.
    ShellFileOperation(FO_DELETE);
}

void CSystemFileSheet::ShellFileOperation(UINT function)
{
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = m_hWnd;
    operation.wFunc = function;
    operation.fFlags = 0;
    operation.hNameMappings = nullptr;
    operation.lpszProgressTitle = nullptr;

    const bool copy = function == FO_COPY;
    ForEachSelectedRow([&](const CString& name, const CString&) {
        if (name == L"..")
            return true;
        CString source, destination;
        if (!FilePathRules::JoinEntryPath(m_strCurrentFolder, name, source, FilePathRules::Name::Listed) ||
            (copy && !FilePathRules::JoinEntryPath(m_strCopyFolder, name, destination))) {
            // A row that cannot be named within its folder is not touched.
            MessageBox(L"Error", L"File Operation", MB_OK);
            return true;
        }
        if (function == FO_DELETE) {
            T_DLG_REQUEST query;
            query.Prepare(this, DLGREQ_IS_PLAYBACK_FILE);
            query.SetPointer(12, source);
            SendDLGRequest(&query);
            CString question;
            if (query.Byte(16)) {
                question.Format(Text(57, L"%s は再生画面で使用中です。\n再生を中止して削除してもよろしいですか？"),
                                source.GetString());
                if (!Ask(Text(4, L"削除"), question))
                    return true;
                T_DLG_REQUEST close;
                close.Prepare(this, DLGREQ_CLOSE_PLAYBACK);
                SendDLGRequest(&close);
                if (!close.Byte(12))
                    OutputDebugStringW(L"ClosePlaybackFile() failed.\n");
            } else {
                question.Format(Text(58, L"%s を削除してもよろしいですか？"), source.GetString());
                if (!Ask(Text(4, L"削除"), question))
                    return true;
            }
            // The operator has answered; the shell must not ask again.
            operation.fFlags = FOF_NOCONFIRMATION;
        }
        const std::wstring from = PathList(source);
        const std::wstring to = PathList(destination);
        operation.pFrom = from.c_str();
        operation.pTo = copy ? to.c_str() : nullptr;
        if (SHFileOperationW(&operation) != 0)
            MessageBox(L"Error", L"File Operation", MB_OK);
        return true;
    });

    RefreshList(true);
    CFileRecording::SetMemBackupReservedSize(CMemBlockMan::ScanMemBackupReserveSize());
    IMRRec::MReport(kReportFilesChanged);
}

void CSystemFileSheet::OnBnClickedButtonNewFolder()
{
    CFileProcDialog dialog(this);
    dialog.Setup(CFileProcDialog::ModeName, Text(26, L"新規フォルダ名"), m_strNewFolderName);
    dialog.SetCaption(Text(8, L"フォルダ作成"));
    if (dialog.DoModal() == 1) {
        m_strNewFolderName = dialog.GetValue();
        CString path;
        const bool created = FilePathRules::JoinEntryPath(m_strCurrentFolder, m_strNewFolderName, path) &&
                             CreateDirectoryW(path, nullptr);
        const wchar_t* caption = Text(28, L"フォルダ作成");
        if (created)
            MessageBox(Text(27, L"作成しました"), caption, MB_OK);
        else
            MessageBox(Text(29, L"フォルダ作成に失敗しました"), caption, MB_OK | MB_ICONERROR);
    }
    RefreshList(true);
    IMRRec::MReport(kReportFilesChanged);
}
