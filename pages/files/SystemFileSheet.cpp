// The file page's window: start folder, initialisation, navigation,
// selection and the operator's Ctrl-taps.
#include "pages/files/SystemFileSheet.h"

#include "host/Product.h"
#include "host/dialogs/CPopupDlg.h"
#include "host/widgets/CBrowseFolder.h"
#include "pages/files/FilePathRules.h"
#include "pages/files/FileSheetIds.h"
#include "win/DebugLog.h"
#include "win/Drives.h"
#include "win/TextConvert.h"

using namespace file_sheet;

namespace {

// The process's current directory as the narrow text of at most MAX_PATH
// bytes the host keeps; empty when it cannot be read or does not fit.
std::string NarrowCurrentDirectory()
{
    char buffer[MAX_PATH] = {};
    if (!_getcwd(buffer, MAX_PATH))
        return {};
    return buffer;
}

// The process's current directory as wide text of at most MAX_PATH
// characters; empty when it cannot be read. Narrow text would hold fewer
// characters of a Japanese folder name.
std::wstring WideCurrentDirectory()
{
    wchar_t buffer[MAX_PATH] = {};
    if (!_wgetcwd(buffer, MAX_PATH))
        return {};
    return buffer;
}

// Folders on the instrument's data drives D: to I: are kept; anything else
// (a network path, an unreadable directory) sends the page to D:\. The three
// tests must all hold for the directory to be replaced.
bool IsOutsideDataDrives(const std::wstring& directory)
{
    wchar_t first = directory.size() > 0 ? directory[0] : L'\0';
    wchar_t second = directory.size() > 1 ? directory[1] : L'\0';
    wchar_t third = directory.size() > 2 ? directory[2] : L'\0';
    bool dataDrive = (first >= 'D' && first <= 'I') || (first >= 'd' && first <= 'i');
    return !dataDrive && second != ':' && third != '\\';
}

}  // namespace

IMPLEMENT_DYNAMIC(CSystemFileSheet, CSystemSettingSheet)

BEGIN_MESSAGE_MAP(CSystemFileSheet, CSystemSettingSheet)
    ON_BN_CLICKED(IDC_BUTTON_COPY, OnBnClickedButtonCopy)
    ON_BN_CLICKED(IDC_BUTTON_DELETE, OnBnClickedButtonDelete)
    ON_BN_CLICKED(IDC_BUTTON_BROWSE, OnBnClickedButtonBrowse)
    ON_BN_CLICKED(IDC_BUTTON_SELECT_ALL, OnBnClickedButtonSelectAll)
    ON_BN_CLICKED(IDC_BUTTON_CLEAR_ALL, OnBnClickedButtonClearAll)
    ON_BN_CLICKED(IDC_BUTTON_NEW_FOLDER, OnBnClickedButtonNewFolder)
    ON_BN_CLICKED(IDC_BUTTON_LOAD, OnBnClickedButtonLoad)
    ON_BN_CLICKED(IDC_BUTTON_TEXT_SAVE, OnBnClickedButtonTextSave)
    ON_BN_CLICKED(IDC_BUTTON_ENV_SAVE, OnBnClickedButtonEnvSave)
    ON_BN_CLICKED(IDC_BUTTON_MEMORY_SAVE, OnBnClickedButtonMemorySave)
    ON_BN_CLICKED(IDC_BUTTON_CSV_SAVE, OnBnClickedButtonCsvSave)
    ON_BN_CLICKED(IDC_BUTTON_MEMORY_LIST, OnBnClickedButtonMemoryList)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_LIST_FILE, OnLvnColumnclickListFile)
    ON_NOTIFY(NM_CLICK, IDC_LIST_FILE, OnNMClickListFile)
    ON_NOTIFY(NM_DBLCLK, IDC_LIST_FILE, OnNMDblclkListFile)
    ON_BN_CLICKED(IDC_BUTTON_MATLAB, OnBnClickedButtonMatlab)
    ON_BN_CLICKED(IDC_BUTTON_FAMOS, OnBnClickedButtonFamos)
    ON_BN_CLICKED(IDC_BUTTON_DIADEM, OnBnClickedButtonDiadem)
END_MESSAGE_MAP()

CSystemFileSheet::CSystemFileSheet(CWnd* parent) : CSystemSettingSheet(IDD, parent, false)
{
    std::wstring directory = WideCurrentDirectory();
    if (IsOutsideDataDrives(directory)) {
        directory = L"D:\\";
        if (_wchdir(directory.c_str()) != 0)
            OutputDebugStringW(L"CSystemFileSheet: D:\\ cannot be made the current directory\n");
    }
    CString start = FilePathRules::WithTrailingBackslash(CString(directory));
    m_strCurrentFolder = start;
    m_strCopyFolder = start;
    m_strCsvFolder = start;
    m_strMemSaveFolder = start;
}

CSystemFileSheet::~CSystemFileSheet() = default;

BOOL CSystemFileSheet::SetConfig(T_CONFIG_SYSTEM* config)
{
    if (!config)
        return FALSE;
    m_pConfig = config;
    m_pszHostCurrentDir = config->pCurrentFolder;
    return TRUE;
}

void CSystemFileSheet::DoDataExchange(CDataExchange* dx)
{
    CSystemSettingSheet::DoDataExchange(dx);
    DDX_Text(dx, IDC_STATIC_FOLDER, m_strCurrentFolder);
    DDX_Control(dx, IDC_LIST_FILE, m_listFile);
}

BOOL CSystemFileSheet::OnInitDialog()
{
    CSystemSettingSheet::OnInitDialog();

    SetDlgItemText(IDC_STATIC_FOLDER_LABEL, Text(21, L"カレントフォルダ"));
    SetDlgItemText(IDC_BUTTON_BROWSE, Text(22, L"参照..."));
    SetDlgItemText(IDC_BUTTON_SELECT_ALL, Text(23, L"全選択"));
    SetDlgItemText(IDC_BUTTON_CLEAR_ALL, Text(24, L"全解除"));
    SetDlgItemText(IDC_BUTTON_MEMORY_LIST, Text(32, L"メモリ一覧"));
    SetDlgItemText(IDC_BUTTON_MEMORY_SAVE, Text(5, L"メモリ保存"));
    SetDlgItemText(IDC_BUTTON_NEW_FOLDER, Text(8, L"フォルダ作成"));
    SetDlgItemText(IDC_BUTTON_COPY, Text(3, L"コピー"));
    SetDlgItemText(IDC_BUTTON_DELETE, Text(4, L"削除"));
    SetDlgItemText(IDC_BUTTON_LOAD, Text(7, L"読み込み"));
    SetDlgItemText(IDC_BUTTON_TEXT_SAVE, Text(6, L"テキスト保存"));
    SetDlgItemText(IDC_BUTTON_ENV_SAVE, Text(9, L"環境保存"));
    SetDlgItemText(IDC_BUTTON_CSV_SAVE, Text(25, L"CSV保存"));
    SetDlgItemText(IDC_BUTTON_MATLAB, Text(201, L"MATLAB保存"));
    SetDlgItemText(IDC_BUTTON_FAMOS, Text(202, L"FAMOS保存"));
    SetDlgItemText(IDC_BUTTON_DIADEM, Text(203, L"DIAdem保存"));

    // The exports need the host's export library.
    const int exportShow = GetExportDLL() ? SW_SHOW : SW_HIDE;
    for (int id : {IDC_BUTTON_MATLAB, IDC_BUTTON_FAMOS, IDC_BUTTON_DIADEM})
        if (CWnd* button = GetDlgItem(id))
            button->ShowWindow(exportShow);

    RECT client{};
    m_listFile.GetClientRect(&client);
    m_listFile.InsertColumn(kColumnName, Text(33, L"ファイル名"), LVCFMT_LEFT, 120);
    m_listFile.InsertColumn(kColumnSize, Text(34, L"サイズ"), LVCFMT_RIGHT, 140);
    m_listFile.InsertColumn(kColumnDate, Text(35, L"日時"), LVCFMT_RIGHT, (client.right - client.left) - 276);
    m_listFile.SetExtendedStyle(m_listFile.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);

    m_swMemoryList.AutoLoad(IDC_BUTTON_MEMORY_LIST, this);

    UpdateButtonStates(m_bMemoryList);
    ListFolder(m_strCurrentFolder);
    return TRUE;
}

BOOL CSystemFileSheet::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        return TRUE;
    // Every tap acts as a Ctrl-tap, so rows can be added to and removed from
    // the selection on the touch panel without a keyboard.
    if (msg->message == WM_LBUTTONDOWN)
        msg->wParam |= MK_CONTROL;
    return CSystemSettingSheet::PreTranslateMessage(msg);
}

void CSystemFileSheet::UpdateButtonStates(BOOL memoryMode)
{
    for (int id : {IDC_BUTTON_NEW_FOLDER, IDC_BUTTON_COPY, IDC_BUTTON_DELETE, IDC_BUTTON_LOAD, IDC_BUTTON_TEXT_SAVE,
                   IDC_BUTTON_ENV_SAVE, IDC_BUTTON_MATLAB, IDC_BUTTON_FAMOS, IDC_BUTTON_DIADEM})
        if (CWnd* button = GetDlgItem(id))
            button->EnableWindow(!memoryMode);
    if (CWnd* button = GetDlgItem(IDC_BUTTON_MEMORY_SAVE))
        button->EnableWindow(memoryMode);
}

void CSystemFileSheet::OnBnClickedButtonMemoryList()
{
    m_bMemoryList = !m_bMemoryList;
    if (m_bMemoryList) {
        m_swMemoryList.Select(1);
        ListMemoryBlocks();
    } else {
        m_swMemoryList.Select(0);
        ListFolder(m_strCurrentFolder);
    }
    UpdateButtonStates(m_bMemoryList);
    UpdateData(FALSE);
}

void CSystemFileSheet::ChangeFolder(const CString& folder)
{
    // A folder that cannot be entered (gone since it was listed, or never
    // readable) leaves the page where it was: showing it would show an empty
    // list with no way up, and the process would be elsewhere.
    if (_wchdir(folder.GetString()) != 0) {
        OutputDebugStringW(L"CSystemFileSheet: the folder cannot be made the current directory\n");
        return;
    }
    m_strCurrentFolder = folder;
    if (!m_pszHostCurrentDir)
        return;
    // The host's buffer takes the whole current directory or keeps what it
    // had: a path cut to fit would name another folder.
    std::string directory = NarrowCurrentDirectory();
    if (directory.empty()) {
        OutputDebugStringW(L"CSystemFileSheet: the current directory does not fit the host's 260-byte buffer\n");
        return;
    }
    win::CopyUtf8ToBuffer(directory, m_pszHostCurrentDir, CURRENT_FOLDER_SIZE);
}

void CSystemFileSheet::OnNMDblclkListFile(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
    if (row < 0 || row >= m_listFile.GetItemCount())
        return;
    CString name = m_listFile.GetItemText(row, kColumnName);
    if (m_listFile.GetItemText(row, kColumnSize) != kDirText)
        return;
    if (name == L"..") {
        ChangeFolder(FilePathRules::ParentFolder(m_strCurrentFolder));
    } else {
        if (!FilePathRules::IsSingleEntryName(name, FilePathRules::Name::Listed))
            return;
        ChangeFolder(m_strCurrentFolder + name + L"\\");
    }
    ListFolder(m_strCurrentFolder);
    UpdateData(FALSE);
}

void CSystemFileSheet::OnNMClickListFile(NMHDR*, LRESULT* result)
{
    // The list selects by itself; the tap is only reported as handled.
    *result = 0;
}

void CSystemFileSheet::OnBnClickedButtonBrowse()
{
    CBrowseFolder chooser(this, Text(100, L"ﾃﾞｰﾀﾌｧｲﾙのあるﾌｫﾙﾀﾞを選択して下さい。"), 5);
    if (!chooser.Open(m_strCurrentFolder, 17, 0))
        return;
    CString path = chooser.GetPathName();
    if (path.IsEmpty())
        return;
    ChangeFolder(FilePathRules::WithTrailingBackslash(path));
    if (!m_bMemoryList)
        ListFolder(m_strCurrentFolder);
    UpdateData(FALSE);
}

void CSystemFileSheet::OnBnClickedButtonSelectAll()
{
    m_listFile.SetFocus();
    m_listFile.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    UpdateData(FALSE);
}

void CSystemFileSheet::OnBnClickedButtonClearAll()
{
    m_listFile.SetItemState(-1, 0, LVIS_SELECTED);
    UpdateData(FALSE);
}

BOOL CSystemFileSheet::Ask(const CString& caption, const CString& message)
{
    CPopupDlg popup(this, true);
    popup.SetCaptionText(caption);
    popup.SetMessageText(message);
    popup.SetButtonMode(1);
    return popup.DoModal() == 1;
}

void CSystemFileSheet::Tell(const CString& caption, const CString& message)
{
    CPopupDlg popup(this, true);
    popup.SetCaptionText(caption);
    popup.SetMessageText(message);
    popup.SetButtonMode(2);
    popup.DoModal();
}
