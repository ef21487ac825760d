// The communication page: which port talks to the host computer (RS-232C,
// LAN or none), a UPS occupying the RS-232C port, the events that transmit
// automatically, and the doors to the RS-232C and LAN settings with a
// summary of each.
//
// Every change is written into the communication block at once and
// reported. The RS-232C choice exists only on an instrument with the
// interface fitted and no UPS on it; the LAN summary is read from the
// adapter itself, so it shows what the instrument runs with.
#pragma once

#include "core/ConfigRecords.h"
#include "core/SystemSettingSheet.h"
#include "host/widgets/CPushSwitch.h"
#include "win/controls/CButton.h"

class CSystemCommSheet : public CSystemSettingSheet {
public:
    DECLARE_DYNAMIC(CSystemCommSheet)

    explicit CSystemCommSheet(CWnd* parent = nullptr);
    ~CSystemCommSheet() override;

    // Called by the frame before the page window exists; a null pointer is
    // refused and nothing is stored.
    int SetConfig(T_CONFIG_COMM* comm);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnBnClickedPort(UINT id);
    void OnBnClickedUps();
    void OnBnClickedAutoSend(UINT id);
    void OnBnClickedRS232C();
    void OnBnClickedLAN();
    void OnShowWindow(BOOL show, UINT status);

    DECLARE_MESSAGE_MAP()

private:
    enum class Port { None, LAN, RS232C };

    void SetTexts();
    // The block's UPS flag, port and summaries on the controls, then the
    // availability check and the apply.
    void Refresh();
    void LoadFromBlock();
    // Without an RS-232C interface the port cannot be RS-232C and the UPS
    // box has nothing to say.
    void CheckAvailability();
    void ShowAutoSend();
    // Settles the port against the interface and the UPS box, shows it and
    // writes the page's state into the block.
    void Apply();
    void EnableRS232C(bool enable);
    void ShowRS232CSummary();
    void ShowLANSummary();

    CPushSwitch m_portRS232C;
    CPushSwitch m_portLAN;
    CPushSwitch m_portNone;
    CButton m_checkUps;
    CButton m_checkSendOnTrigger;
    CButton m_checkSendOnRecordEnd;
    CButton m_checkSendOnError;
    Port m_port = Port::None;
    T_CONFIG_COMM* m_pComm = nullptr;
};
