// The RS-232C settings: one row of latching buttons for each of baud rate,
// data bits, stop bits, parity, flow control and delimiter, and the time-out
// on the number pad. The dialog edits its own copy; OK writes it into the
// communication block, cancel writes nothing.
#pragma once

#include "core/ConfigRecords.h"
#include "host/dialogs/CCBRDialog.h"
#include "host/widgets/CHandButton.h"
#include "host/widgets/CPushSwitch.h"

class CSystemRS232CDlg : public CCBRDialog {
public:
    DECLARE_DYNAMIC(CSystemRS232CDlg)

    explicit CSystemRS232CDlg(CWnd* parent = nullptr);
    ~CSystemRS232CDlg() override;

    // 1 and stored; 0 and nothing stored for a null pointer.
    int SetConfig(T_CONFIG_COMM* comm);

    static constexpr int kButtons = 17;

protected:
    BOOL OnInitDialog() override;
    void OnRowButton(UINT id);
    void OnTimeout();
    void OnBnClickedOK();
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

    DECLARE_MESSAGE_MAP()

private:
    // The working value of row `row` (the order of the button table).
    DWORD& RowValue(int row);
    void ShowRows();
    void ShowTimeout();

    CPushSwitch m_buttons[kButtons];
    CHandButton m_handTimeout;
    DWORD m_baudRate = 38400;
    DWORD m_dataBits = 8;
    DWORD m_stopBits = 0;
    DWORD m_parity = 0;
    DWORD m_flowControl = 1;
    DWORD m_delimiter = 2;
    DWORD m_timeout = 0;
    T_CONFIG_COMM* m_pComm = nullptr;
};
