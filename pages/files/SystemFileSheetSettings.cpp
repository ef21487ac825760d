// Load, text save and environment save: the file actions that hand the
// setting files to the host.
#include "pages/files/SystemFileSheet.h"

#include "host/Product.h"
#include "pages/files/FilePathRules.h"
#include "pages/files/FileProcDialog.h"
#include "pages/files/FileSheetIds.h"
#include "win/FileApi.h"

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

}  // namespace

void CSystemFileSheet::OnBnClickedButtonLoad()
{
    bool restart = false;
    ForEachSelectedRow([&](const CString& name, const CString& size) {
        if (name == L".." || size == kDirText)
            return true;
        const CString extension = FilePathRules::ExtensionOf(m_strCurrentFolder + name);
        const bool text = extension.CompareNoCase(L".txt") == 0;
        const bool environment = extension.CompareNoCase(L".env") == 0;
        if (!text && !environment)
            return true;

        // The first setting file ends the walk, whatever the answers.
        const wchar_t* caption = Text(45, L"読み込み");
        CString path;
        if (!FilePathRules::JoinEntryPath(m_strCurrentFolder, name, path, FilePathRules::Name::Listed)) {
            Tell(caption, Text(47, L"読み込みに失敗しました。"));
            return false;
        }
        CString question;
        question.Format(L"%s[%s]%s", text ? Text(43, L"テキスト保存データ") : Text(51, L"環境保存データ"),
                        path.GetString(), Text(44, L"を読み込みます。よろしいですか？"));
        if (!Ask(caption, question))
            return false;

        if (text) {
            T_DLG_REQUEST request;
            request.Prepare(this, DLGREQ_LOAD_TEXT);
            request.SetPointer(12, path);
            request.SetWord16(16, 0xFFFF);
            SendDLGRequest(&request);
            Tell(caption, request.Byte(18) ? Text(46, L"読み込みました。") : Text(47, L"読み込みに失敗しました。"));
        } else if (!LoadSettingFile(path)) {
            Tell(caption, Text(47, L"読み込みに失敗しました。"));
        } else if (Ask(caption, Text(17001, 31, L"設定を反映するためにプログラムを再起動します。"))) {
            T_DLG_REQUEST request;
            request.Prepare(this, DLGREQ_RESTART);
            SendDLGRequest(&request);
            restart = true;
        }
        return false;
    });
    if (restart)
        OnOK();
}

bool CSystemFileSheet::PrepareSavePath(const CString& name, const wchar_t* defaultExtension, const CString& caption,
                                       CString& path, bool& declined)
{
    declined = false;
    CString fileName = name;
    if (FilePathRules::ExtensionOf(name).IsEmpty())
        fileName = FilePathRules::ReplaceExtension(name, defaultExtension);
    if (!FilePathRules::JoinEntryPath(m_strCurrentFolder, fileName, path))
        return false;
    if (FileExists(path) &&
        !Ask(caption, PathMessage(path, Text(40, L"ファイルが存在します。上書きしてもよろしいですか？")))) {
        declined = true;
        return false;
    }
    return true;
}

void CSystemFileSheet::OnBnClickedButtonTextSave()
{
    CFileProcDialog dialog(this);
    dialog.Setup(CFileProcDialog::ModeName, Text(26, L"保存ファイル名"), m_strTextFileName);
    dialog.SetCaption(Text(6, L"テキスト保存"));
    dialog.SetCheckItem(0, Text(17011, 10, L"信号名称"), 1, FALSE);
    dialog.SetCheckItem(1, Text(17011, 11, L"ページアノテーション"), 1, FALSE);
    dialog.SetCheckItem(2, Text(17011, 12, L"計測情報"), 1, FALSE);
    dialog.SetCheckItem(3, Text(17003, 1, L"通信"), 1, FALSE);
    dialog.SetCheckItem(4, Text(14005, 4, L"関数演算"), IsOptionKQ58_751() == 1, FALSE);
    dialog.SetCheckItem(5, L"Amp Unit", 0, FALSE);
    if (dialog.DoModal() != 1) {
        RefreshList(true);
        return;
    }
    m_strTextFileName = dialog.GetValue();

    const wchar_t* caption = Text(41, L"TEXT保存");
    CString path;
    bool declined = false;
    if (!PrepareSavePath(m_strTextFileName, L"TXT", caption, path, declined)) {
        if (declined)
            return;  // the list stays as it is
        Tell(caption, Text(42, L"テキスト保存処理に失敗しました。"));
        RefreshList(true);
        return;
    }
    WORD mask = 0;
    for (int box = 0; box < CFileProcDialog::kCheckCount; ++box)
        if (dialog.GetCheck(box))
            mask = static_cast<WORD>(mask | (1u << box));
    T_DLG_REQUEST request;
    request.Prepare(this, DLGREQ_SAVE_TEXT);
    request.SetPointer(12, path);
    request.SetWord16(16, mask);
    SendDLGRequest(&request);
    if (!request.Byte(18))
        Tell(caption, Text(42, L"テキスト保存処理に失敗しました。"));
    RefreshList(true);
}

void CSystemFileSheet::OnBnClickedButtonEnvSave()
{
    CFileProcDialog dialog(this);
    dialog.Setup(CFileProcDialog::ModeName, Text(26, L"保存ファイル名"), m_strEnvFileName);
    dialog.SetCaption(Text(9, L"環境保存"));
    if (dialog.DoModal() != 1) {
        RefreshList(true);
        return;
    }
    m_strEnvFileName = dialog.GetValue();

    const wchar_t* caption = Text(48, L"環境保存");
    CString path;
    bool declined = false;
    if (!PrepareSavePath(m_strEnvFileName, L"ENV", caption, path, declined)) {
        if (declined)
            return;
        Tell(caption, Text(50, L"環境保存処理に失敗しました。"));
        RefreshList(true);
        return;
    }
    if (SaveSettingFile(path))
        Tell(caption, Text(49, L"環境保存しました。"));
    else
        Tell(caption, Text(50, L"環境保存処理に失敗しました。"));
    RefreshList(true);
}
