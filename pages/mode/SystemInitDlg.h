// The initialisation dialog: the operator ticks what to reset (all setting
// data, communication settings, annotation texts, measurement data in
// memory). It only collects the four choices; the measurement-mode page reads
// them after an OK and asks the host.
#pragma once

#include "host/dialogs/CCBRDialog.h"

class CSystemInitDlg : public CCBRDialog {
public:
    DECLARE_DYNAMIC(CSystemInitDlg)

    explicit CSystemInitDlg(CWnd* parent = nullptr);
    ~CSystemInitDlg() override;

    // Check-box states (0 or 1), moved in from the boxes by the framework's OK.
    int m_bInitAllSettings = 0;  // 17043, bit 0 of the request's item mask
    int m_bInitComm = 0;         // 17044, bit 1
    int m_bInitAnnotations = 0;  // 17045, bit 2
    int m_bInitMemoryData = 0;   // 17046, bit 3

    // The host's change reports reach the dialog with this message number.
    static constexpr UINT kModifiedReportMessage = 1122;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
};
