#include "host/dialogs/FolderChooserDialog.h"

#include "host/dialogs/HostTemplate.h"
#include "win/Drives.h"
#include "win/FileApi.h"

#include <mutex>

IMPLEMENT_DYNAMIC(FolderChooserDialog, CCBRDialog)

BEGIN_MESSAGE_MAP(FolderChooserDialog, CCBRDialog)
    ON_BN_CLICKED(FolderChooserDialog::kOpenId, OnOpen)
    ON_BN_CLICKED(FolderChooserDialog::kUpId, OnUp)
    ON_LBN_DBLCLK(FolderChooserDialog::kListId, OnOpen)
END_MESSAGE_MAP()

namespace {

void RegisterChooserTemplate()
{
    static std::once_flag once;
    std::call_once(once, [] {
        host::TemplateBuilder(host::IDD_HOST_BROWSE_FOLDER, L"フォルダの選択", 400, 360)
            .Static(FolderChooserDialog::kPromptId, L"", 8, 6, 384, 20)
            .Static(FolderChooserDialog::kPathId, L"", 8, 28, 384, 12, SS_LEFT | WS_BORDER)
            .ListBox(FolderChooserDialog::kListId, 8, 44, 300, 248)
            .Button(FolderChooserDialog::kOpenId, L"開く", 316, 44, 76, 36)
            .Button(FolderChooserDialog::kUpId, L"上へ", 316, 84, 76, 36)
            .Static(FolderChooserDialog::kMessageId, L"", 8, 298, 384, 12)
            .Button(IDOK, L"実行", 176, 316, 100, 36, BS_DEFPUSHBUTTON)
            .Button(IDCANCEL, L"キャンセル", 284, 316, 108, 36)
            .Register();
    });
}

bool EndsWithSeparator(const std::wstring& path) { return !path.empty() && path.back() == L'\\'; }

}  // namespace

FolderChooserDialog::FolderChooserDialog(CWnd* parent, std::wstring prompt, std::wstring startFolder)
    : CCBRDialog(host::IDD_HOST_BROWSE_FOLDER, parent, true),
      m_prompt(std::move(prompt)),
      m_start(std::move(startFolder))
{
    RegisterChooserTemplate();
}

std::wstring FolderChooserDialog::ExistingFolder(const std::wstring& path)
{
    if (path.empty())
        return {};
    std::optional<win::ResolvedPath> resolved = win::Drives::Resolve(path);
    if (!resolved)
        return {};
    DWORD attributes = GetFileAttributesW(resolved->windows.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    // Names as the folders spell them, whatever case the caller used.
    std::wstring folder = resolved->root;
    std::wstring rest = resolved->windows.size() > folder.size() ? resolved->windows.substr(folder.size()) : L"";
    size_t start = 0;
    while (start < rest.size()) {
        size_t end = rest.find(L'\\', start);
        std::wstring name = rest.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        start = end == std::wstring::npos ? rest.size() : end + 1;
        if (name.empty())
            continue;
        // The basic level: making an 8.3 alias for a long name would cost a
        // pass over the folder, for each folder of the path.
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileExW((folder + name).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                       nullptr, 0);
        if (find != INVALID_HANDLE_VALUE) {
            name = found.cFileName;
            FindClose(find);
        }
        folder += name + L"\\";
    }
    return folder;
}

std::wstring FolderChooserDialog::ParentFolder(const std::wstring& folder)
{
    std::optional<win::ResolvedPath> resolved = win::Drives::Resolve(folder);
    if (!resolved || resolved->isRoot)
        return {};
    std::wstring path = resolved->windows;
    while (EndsWithSeparator(path))
        path.pop_back();
    size_t separator = path.rfind(L'\\');
    if (separator == std::wstring::npos)
        return {};
    return path.substr(0, separator + 1);
}

BOOL FolderChooserDialog::OnInitDialog()
{
    CCBRDialog::OnInitDialog();
    static const ItemText texts[] = {{kOpenId, 2, L"開く"}, {kUpId, 3, L"上へ"}};
    SetWindowText(host::HostText(host::IDD_HOST_BROWSE_FOLDER, 1, L"フォルダの選択"));
    SetItemTexts(host::IDD_HOST_BROWSE_FOLDER, texts);
    SetDlgItemText(kPromptId, m_prompt.c_str());
    SetDlgItemText(IDOK, host::CommonText(2).c_str());
    SetDlgItemText(IDCANCEL, host::CommonText(3).c_str());
    if (!ShowFolder(ExistingFolder(m_start)))
        ShowFolder(L"");
    return TRUE;
}

bool FolderChooserDialog::ShowFolder(const std::wstring& folder)
{
    std::vector<Entry> entries;
    if (folder.empty()) {
        DWORD drives = GetLogicalDrives();
        for (int letter = 0; letter < 26; ++letter) {
            if (!(drives & (1u << letter)))
                continue;
            std::wstring root = std::wstring(1, static_cast<wchar_t>(L'A' + letter)) + L":\\";
            entries.push_back(Entry{root, root, false});
        }
    } else {
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                       nullptr, 0);
        if (find == INVALID_HANDLE_VALUE) {
            Say(host::HostText(host::IDD_HOST_BROWSE_FOLDER, 10, L"フォルダを開けません"));
            return false;
        }
        entries.push_back(Entry{L"..", ParentFolder(folder), true});
        do {
            std::wstring name = found.cFileName;
            bool folderEntry = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            bool hidden = (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
            if (!folderEntry || hidden || name == L"." || name == L"..")
                continue;
            entries.push_back(Entry{name, folder + name + L"\\", false});
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    m_current = folder;
    m_entries = std::move(entries);
    HWND list = ::GetDlgItem(m_hWnd, kListId);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const Entry& entry : m_entries)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.label.c_str()));
    SetDlgItemText(kPathId, m_current.empty() ? host::HostText(host::IDD_HOST_BROWSE_FOLDER, 11, L"ドライブ")
                                                   : m_current.c_str());
    ::EnableWindow(::GetDlgItem(m_hWnd, kUpId), m_current.empty() ? FALSE : TRUE);
    Say(L"");
    return true;
}

const FolderChooserDialog::Entry* FolderChooserDialog::SelectedEntry() const
{
    LRESULT index = SendMessageW(::GetDlgItem(m_hWnd, kListId), LB_GETCURSEL, 0, 0);
    if (index < 0 || index >= static_cast<LRESULT>(m_entries.size()))
        return nullptr;
    return &m_entries[static_cast<size_t>(index)];
}

void FolderChooserDialog::Say(const wchar_t* message) { SetDlgItemText(kMessageId, message); }

void FolderChooserDialog::OnOpen()
{
    const Entry* entry = SelectedEntry();
    if (!entry) {
        Say(host::HostText(host::IDD_HOST_BROWSE_FOLDER, 12, L"フォルダを選択してください"));
        return;
    }
    std::wstring target = entry->path;  // the list is rebuilt below
    ShowFolder(target);
}

void FolderChooserDialog::OnUp()
{
    if (!m_current.empty())
        ShowFolder(ParentFolder(m_current));
}

void FolderChooserDialog::OnOK()
{
    const Entry* entry = SelectedEntry();
    std::wstring chosen = entry && !entry->up ? entry->path : m_current;
    if (chosen.empty()) {
        Say(host::HostText(host::IDD_HOST_BROWSE_FOLDER, 12, L"フォルダを選択してください"));
        return;
    }
    // A drive's root keeps its backslash, other folders lose it.
    if (chosen.size() > 3 && EndsWithSeparator(chosen))
        chosen.pop_back();
    m_chosen = chosen;
    EndDialog(IDOK);
}
