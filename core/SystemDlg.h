// The system settings dialog: a tabbed frame with six pages, the shutdown,
// USB drive release and close buttons, and the host's configuration record.
#pragma once

#include "core/ConfigRecords.h"
#include "core/DlgSender.h"
#include "core/Export.h"
#include "host/dialogs/CCBRDialog.h"
#include "win/controls/CTabCtrl.h"

class CSystemSettingSheet;
class CSystemMainSheet;
class CSystemFileSheet;
class CSystemRecordingSheet;
class CSystemCommSheet;
class CSystemMiscSheet;
class CSystemMaintenanceSheet;

class SYSDLG_API CSystemDlg : public CCBRDialog, public IDLGSender {
public:
    DECLARE_DYNAMIC(CSystemDlg)

    // Tab positions of the pages.
    enum PageIndex { PageMode = 0, PageFile = 1, PageRecording = 2, PageComm = 3, PageMisc = 4, PageMaintenance = 5 };
    static constexpr int PageCount = 6;

    explicit CSystemDlg(CWnd* parent = nullptr);
    ~CSystemDlg() override;

    // Stores the host's record and takes snapshots of its folder buffer,
    // communication block and auxiliary block; `useSecondRecording` makes the
    // recording page use the record's second CONFIG_SYSREC for print formats.
    // 0 and nothing changed for a null record.
    int SetupConfigData(T_CONFIG_SYSTEM* config, bool useSecondRecording);
    // Stores the receiver for the frame and hands it to every page that exists.
    void SetDLGCallback(IDLGReceiver* receiver, int cookie) override;
    // Lets the recording page apply its pending channel change (it asks the
    // operator first). Everything else was written as it was edited.
    void CommitSetting();

    // The page at a tab position (null before OnInitDialog).
    CSystemSettingSheet* GetPage(int index) const;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;

    void OnTcnSelchangeTab1(NMHDR* header, LRESULT* result);
    void OnBnClickedButtonShutdown();
    void OnBnClickedButtonUsbEject();
    void OnBnClickedButtonClose();
    void OnBnClickedButtonAppExit();

    DECLARE_MESSAGE_MAP()

private:
    void ShowOnlyPage(int index);

    CTabCtrl m_tab;
    CSystemSettingSheet* m_pages[PageCount] = {};
    T_CONFIG_SYSTEM* m_pConfig = nullptr;
    DWORD m_currentFolderSnapshot[65] = {};
    DWORD m_commSnapshot[10] = {};
    DWORD m_miscSnapshot[77] = {};
    int m_nCallbackPending = 0;
    IDLGReceiver* m_pPendingReceiver = nullptr;
    int m_nPendingCookie = 0;
    bool m_bUseSecondRecording = false;
};
