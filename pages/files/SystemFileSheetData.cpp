// Memory save, CSV save and the exports: the file actions that have the
// host write recorded data.
#include "pages/files/SystemFileSheet.h"

#include "host/widgets/CBrowseFolder.h"
#include "pages/files/FilePathRules.h"
#include "pages/files/FileProcDialog.h"
#include "pages/files/FileSheetIds.h"
#include "win/DebugLog.h"
#include "win/FileApi.h"

#include <cwchar>

using namespace file_sheet;

namespace {

bool FileExists(const CString& path)
{
    CFileStatus status;
    return CFile::GetStatus(path, status) != FALSE;
}

CString PathMessage(const CString& path, const wchar_t* message)
{
    CString text;
    text.Format(L"[%s]%s", path.GetString(), message);
    return text;
}

// The block index of a memory row "#007": the number after the first
// character, counted from 1 on the screen and from 0 in the request.
T_DLG_REQUEST::WordValue BlockIndex(const CString& number)
{
    return static_cast<T_DLG_REQUEST::WordValue>(static_cast<std::intptr_t>(std::wcstol(number, nullptr, 10) - 1));
}

bool IsRecordedDataFile(const CString& path)
{
    const CString extension = FilePathRules::ExtensionOf(path);
    for (const wchar_t* known : {L".fsd", L".fpp", L".drt", L".clc"})
        if (extension.CompareNoCase(known) == 0)
            return true;
    return false;
}

}  // namespace

void CSystemFileSheet::OnBnClickedButtonMemorySave()
{
    CFileProcDialog dialog(this);
    dialog.Setup(CFileProcDialog::ModeFolder, Text(20, L"保存先"), m_strMemSaveFolder);
    dialog.SetCaption(Text(5, L"メモリ保存"));
    if (dialog.DoModal() != 1)
        return;
    m_strMemSaveFolder = dialog.GetValue();

    const wchar_t* caption = Text(52, L"メモリ保存");
    bool sent = false;
    bool failed = false;
    ForEachSelectedRow([&](const CString& name, const CString&) {
        const CString block = name.Mid(1);
        CString path;
        if (!FilePathRules::JoinEntryPath(m_strMemSaveFolder, block + L".FSD", path)) {
            failed = true;
            Tell(caption, PathMessage(m_strMemSaveFolder + block + L".FSD", Text(54, L"メモリ保存処理に失敗しました。")));
            return false;
        }
        if (FileExists(path) &&
            !Ask(caption, PathMessage(path, Text(40, L"ファイルが存在します。上書きしてもよろしいですか？"))))
            return true;
        T_DLG_REQUEST request;
        request.Prepare(this, DLGREQ_SAVE_MEMORY_BLOCK);
        request.SetWord(12, BlockIndex(block));
        request.SetPointer(16, path);
        request.SetByte(24, static_cast<BYTE>(DLGREQ_MEMORY_FORMAT_DATA));
        request.SetByte(28, 1);
        SendDLGRequest(&request);
        sent = true;
        if (!request.Byte(36)) {
            failed = true;
            Tell(caption, PathMessage(path, Text(54, L"メモリ保存処理に失敗しました。")));
            return false;
        }
        return true;
    });
    if (sent && !failed)
        Tell(caption, Text(53, L"メモリ保存処理終了しました。"));
}

void CSystemFileSheet::OnBnClickedButtonCsvSave()
{
    CFileProcDialog dialog(this);
    dialog.Setup(CFileProcDialog::ModeFolder, Text(20, L"変換先"), m_strCsvFolder);
    dialog.SetCaption(Text(25, L"CSV保存"));
    if (dialog.DoModal() == 1) {
        m_strCsvFolder = dialog.GetValue();
        const wchar_t* caption = Text(55, L"CSV保存");
        const wchar_t* failure = Text(56, L"CSV変換処理に失敗しました。");
        ForEachSelectedRow([&](const CString& name, const CString& size) {
            if (name == L".." || size == kDirText)
                return true;
            const CString base = m_bMemoryList ? name.Mid(1) : name;
            const CString destinationName = FilePathRules::ReplaceExtension(base, L"csv");
            CString destination;
            if (!FilePathRules::JoinEntryPath(m_strCsvFolder, destinationName, destination)) {
                Tell(caption, PathMessage(m_strCsvFolder + destinationName, failure));
                return false;
            }
            // The question comes before the source's type is looked at.
            if (FileExists(destination) &&
                !Ask(caption, PathMessage(destination, Text(40, L"ファイルが存在します。上書きしてもよろしいですか？"))))
                return true;

            T_DLG_REQUEST request;
            bool converted;
            if (!m_bMemoryList) {
                CString source;
                if (!FilePathRules::JoinEntryPath(m_strCurrentFolder, name, source, FilePathRules::Name::Listed)) {
                    Tell(caption, PathMessage(destination, failure));
                    return false;
                }
                if (!IsRecordedDataFile(source))
                    return true;
                request.Prepare(this, DLGREQ_CONVERT_FILE_CSV);
                request.SetPointer(12, source);
                request.SetPointer(16, destination);
                SendDLGRequest(&request);
                converted = request.Byte(20) != 0;
            } else {
                request.Prepare(this, DLGREQ_SAVE_MEMORY_BLOCK);
                request.SetWord(12, BlockIndex(base));
                request.SetPointer(16, destination);
                request.SetByte(24, static_cast<BYTE>(DLGREQ_MEMORY_FORMAT_CSV));
                request.SetByte(28, 1);
                SendDLGRequest(&request);
                converted = request.Byte(36) != 0;
            }
            if (!converted) {
                Tell(caption, PathMessage(destination, failure));
                return false;
            }
            return true;
        });
    }
    RefreshList(false);
}

void CSystemFileSheet::OnBnClickedButtonMatlab() { ExportFiles(DLGREQ_EXPORT_MATLAB); }
void CSystemFileSheet::OnBnClickedButtonFamos() { ExportFiles(DLGREQ_EXPORT_FAMOS); }
void CSystemFileSheet::OnBnClickedButtonDiadem() { ExportFiles(DLGREQ_EXPORT_DIADEM); }

void CSystemFileSheet::ExportFiles(int format)
{
    CBrowseFolder chooser(this, Text(200, L"保存先を選択して下さい。"), 5);
    if (chooser.Open(L"", 17, 0)) {
        const CString chosen = chooser.GetPathName();
        if (!chosen.IsEmpty()) {
            const CString folder = FilePathRules::WithTrailingBackslash(chosen);
            ForEachSelectedRow([&](const CString& name, const CString& size) {
                if (name == L".." || size == kDirText)
                    return true;
                CString source;
                if (!FilePathRules::JoinEntryPath(m_strCurrentFolder, name, source, FilePathRules::Name::Listed)) {
                    OutputDebugStringW(L"CSystemFileSheet: an export source cannot be named in its folder\n");
                    return true;
                }
                // The host answers nothing; whatever it does is not told.
                T_DLG_REQUEST request;
                request.Prepare(this, DLGREQ_EXPORT_FILE);
                request.SetWord(12, 0);
                request.SetPointer(16, folder);
                request.SetPointer(20, source);
                request.SetWord(24, static_cast<T_DLG_REQUEST::WordValue>(format));
                request.SetByte(28, 1);
                SendDLGRequest(&request);
                return true;
            });
        }
    }
    RefreshList(false);
}
