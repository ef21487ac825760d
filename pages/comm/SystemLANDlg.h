// The LAN settings: the adapter's address, subnet mask and gateway, or DHCP,
// and the delimiter and time-out of the communication block (the same two
// fields the RS-232C settings edit). OK configures the adapter and stores
// the two fields whatever the adapter answered; the page reads the answer
// and tells the operator.
#pragma once

#include "core/ConfigRecords.h"
#include "host/dialogs/CCBRDialog.h"
#include "host/widgets/CHandButton.h"
#include "win/controls/CButton.h"

class CSystemLANDlg : public CCBRDialog {
public:
    DECLARE_DYNAMIC(CSystemLANDlg)

    explicit CSystemLANDlg(CWnd* parent = nullptr);
    ~CSystemLANDlg() override;

    // 1, with the delimiter and time-out taken from the block; 0 and nothing
    // taken for a null pointer.
    int SetConfig(T_CONFIG_COMM* comm);

    // After OK: how the adapter took the configuration.
    static constexpr int kApplyFailed = 0;
    static constexpr int kApplied = 1;
    static constexpr int kAppliedAfterRestart = 2;
    int GetApplyResult() const { return m_applyResult; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnBnClickedDhcp();
    void OnAddress(UINT id);
    void OnDelimiter();
    void OnTimeout();
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

    DECLARE_MESSAGE_MAP()

private:
    enum Delimiter { CR = 0, LF = 1, CRLF = 2 };

    void EnableAddresses(bool enable);
    void ShowDelimiter();
    void ShowTimeout();

    CHandButton m_handAddress[3];
    CHandButton m_handDelimiter;
    CHandButton m_handTimeout;
    CButton m_checkDhcp;
    DWORD m_address[3] = {};  // address, subnet mask, gateway
    int m_delimiter = LF;
    DWORD m_timeout = 10000;
    T_CONFIG_COMM* m_pComm = nullptr;
    int m_applyResult = kApplyFailed;
};
