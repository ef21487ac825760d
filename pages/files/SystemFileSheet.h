// The file page: the contents of one folder of the instrument's disks, or
// the list of waveform-memory blocks, in a three-column list (name, size,
// date), and the file actions on the selected rows.
//
// The page's folder is also the process's current directory, and the
// record's 260-byte current-folder buffer follows it, so the next opening of
// the dialog starts where this one left off.
//
// The page's code is split by topic: this class's window and navigation in
// SystemFileSheet.cpp, the two listings and sorting in
// SystemFileSheetListing.cpp, copy, delete and new folder in
// SystemFileSheetShell.cpp, load and the two setting saves in
// SystemFileSheetSettings.cpp, memory save, CSV and exports in
// SystemFileSheetData.cpp.
#pragma once

#include "core/ConfigRecords.h"
#include "core/SystemSettingSheet.h"
#include "host/widgets/CPushSwitch.h"
#include "pages/files/ListSortKeys.h"
#include "win/controls/CListCtrl.h"

#include <functional>
#include <vector>

class CSystemFileSheet : public CSystemSettingSheet {
public:
    DECLARE_DYNAMIC(CSystemFileSheet)

    explicit CSystemFileSheet(CWnd* parent = nullptr);
    ~CSystemFileSheet() override;

    // Called by the frame before the page window exists; a null pointer is
    // refused and nothing is stored.
    BOOL SetConfig(T_CONFIG_SYSTEM* config);

    // Refills the list with the entries of `folder` (ending with a
    // backslash); the number of rows.
    int ListFolder(const CString& folder);
    void ListMemoryBlocks();
    // Enables the buttons of memory mode (TRUE) or file mode (FALSE).
    void UpdateButtonStates(BOOL memoryMode);

    // What the page shows, for the simulator and tests.
    const CString& GetCurrentFolder() const { return m_strCurrentFolder; }
    BOOL IsMemoryList() const { return m_bMemoryList; }

    // One selected row: its name (column 0 without trailing blanks) and its
    // size column. Returning false stops the walk.
    using RowVisitor = std::function<bool(const CString& name, const CString& size)>;
    void ForEachSelectedRow(const RowVisitor& visit);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // Navigation, selection and sorting.
    void OnBnClickedButtonBrowse();
    void OnBnClickedButtonSelectAll();
    void OnBnClickedButtonClearAll();
    void OnBnClickedButtonMemoryList();
    void OnLvnColumnclickListFile(NMHDR* header, LRESULT* result);
    void OnNMClickListFile(NMHDR* header, LRESULT* result);
    void OnNMDblclkListFile(NMHDR* header, LRESULT* result);

    // File actions.
    void OnBnClickedButtonCopy();
    void OnBnClickedButtonDelete();
    void OnBnClickedButtonNewFolder();
    void OnBnClickedButtonLoad();
    void OnBnClickedButtonTextSave();
    void OnBnClickedButtonEnvSave();
    void OnBnClickedButtonMemorySave();
    void OnBnClickedButtonCsvSave();
    void OnBnClickedButtonMatlab();
    void OnBnClickedButtonFamos();
    void OnBnClickedButtonDiadem();
    void ShellFileOperation(UINT function);
    void ExportFiles(int format);

    DECLARE_MESSAGE_MAP()

private:
    // Sort comparison: the page is the parameter, the items' indexes the
    // rows as they stood when the sort began (their keys in m_sortKeys).
    static int CompareListItems(LPARAM first, LPARAM second, LPARAM page);

    // Makes `folder` the page's folder and the process's current directory;
    // the record's buffer follows when the change succeeded.
    void ChangeFolder(const CString& folder);
    // Rebuilds the list for the current mode and shows the members.
    void RefreshList(bool updateButtons);
    void InsertListColumn0(DWORD item, const wchar_t* defaultText);
    // Inserts a row at `row` (the rows so far); where it went, or -1.
    int AppendRow(int row, const wchar_t* name, const CString& size, const CString& date);

    // Host popups with the page as parent: a question (TRUE when confirmed)
    // and a notice.
    BOOL Ask(const CString& caption, const CString& message);
    void Tell(const CString& caption, const CString& message);
    // Shared steps of the text and environment saves.
    bool PrepareSavePath(const CString& name, const wchar_t* defaultExtension, const CString& caption,
                         CString& path, bool& declined);

    T_CONFIG_SYSTEM* m_pConfig = nullptr;
    char* m_pszHostCurrentDir = nullptr;
    bool m_bSortDescending = false;
    int m_nSortColumn = 0;
    CString m_strCurrentFolder;
    CString m_strCopyFolder;
    CListCtrl m_listFile;
    CString m_strNewFolderName = L"NewFolder";
    CString m_strTextFileName = L"NewText.txt";
    CString m_strEnvFileName = L"NewEnv.env";
    CString m_strCsvFolder;
    CString m_strMemSaveFolder;
    CPushSwitch m_swMemoryList;
    BOOL m_bMemoryList = FALSE;

    ListSortKeys m_sortKeys;  // the sort column's keys while a sort runs
};
