// The maintenance page: the version report, the printer's test print and
// the amplifier-maintenance data record, the clock, the touch-panel
// calibration program (its button is never shown) and the box that makes
// the instrument start in maintenance mode next time.
//
// The box writes the auxiliary block at once and reports nothing; the
// frame's shutdown acts on it. The test print and the data record hold
// the user interface in their own loop while their printer worker runs.
#pragma once

#include "core/ConfigRecords.h"
#include "core/SystemSettingSheet.h"
#include "win/controls/CButton.h"

class CSystemMaintenanceSheet : public CSystemSettingSheet {
public:
    DECLARE_DYNAMIC(CSystemMaintenanceSheet)

    explicit CSystemMaintenanceSheet(CWnd* parent = nullptr);
    ~CSystemMaintenanceSheet() override;

    // Called by the frame before the page window exists; a null pointer is
    // refused and nothing is stored.
    int SetConfig(T_CONFIG_SYSTEM* config);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnBnClickedButtonVersion();
    void OnBnClickedButtonTestPrint();
    void OnBnClickedButtonDataRecord();
    void OnBnClickedButtonClock();
    void OnBnClickedButtonTouchPanel();
    void OnBnClickedCheckMaintenanceNext();

    DECLARE_MESSAGE_MAP()

private:
    // The question before a print run: true when the operator confirms.
    bool ConfirmRun(const wchar_t* caption, const wchar_t* message);
    // The window the data record's notice lives in: three steps up the
    // chain of parents, or as far as the chain goes.
    CWnd* DataRecordNoticeParent();
    // The outermost window above the page (parents, then owners).
    HWND TopWindow() const;

    CButton m_checkMaintenanceNext;
    T_CONFIG_SYSTEM* m_pConfig = nullptr;
};
