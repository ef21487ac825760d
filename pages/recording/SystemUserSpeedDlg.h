// The user speed table dialog: one tab page for each recorder kind (pen,
// memory, file), each with the two user entries of that kind. The pages
// work on copies; only the close button writes all six entries back, and
// a cancel leaves the configuration as it was.
#pragma once

#include "host/dialogs/CCBRDialog.h"
#include "pages/recording/SystemUserSpeedSheet.h"
#include "win/controls/CTabCtrl.h"

#include <memory>

class CSystemUserSpeedDlg : public CCBRDialog {
public:
    DECLARE_DYNAMIC(CSystemUserSpeedDlg)

    explicit CSystemUserSpeedDlg(CWnd* parent = nullptr);
    ~CSystemUserSpeedDlg() override;

    // The recording configuration, before DoModal. Without one the pages
    // show empty entries and the close button writes nothing.
    bool SetConfig(CONFIG_SYSREC* config);

    static constexpr int kPageCount = 3;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnBnClickedClose();
    void OnTcnSelchangeTab(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    void ShowOnlyPage(int index);

    CTabCtrl m_tab;
    std::unique_ptr<CSystemUserSpeedSheet> m_pages[kPageCount];
    CONFIG_SYSREC* m_pConfig = nullptr;
};
