#include "pages/comm/SystemCommSheet.h"

#include "core/DlgRequest.h"
#include "host/devices/NetConfig.h"
#include "host/devices/PRMPIO.h"
#include "host/dialogs/CPopupDlg.h"
#include "pages/comm/CommIds.h"
#include "pages/comm/SystemLANDlg.h"
#include "pages/comm/SystemRS232CDlg.h"

using namespace comm_ids;

IMPLEMENT_DYNAMIC(CSystemCommSheet, CSystemSettingSheet)

BEGIN_MESSAGE_MAP(CSystemCommSheet, CSystemSettingSheet)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_PORT_RS232C, IDC_PORT_RS232C, OnBnClickedPort)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_PORT_LAN, IDC_PORT_LAN, OnBnClickedPort)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_PORT_NONE, IDC_PORT_NONE, OnBnClickedPort)
    ON_BN_CLICKED(IDC_CHECK_UPS, OnBnClickedUps)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CHECK_SEND_ON_TRIGGER, IDC_CHECK_SEND_ON_TRIGGER, OnBnClickedAutoSend)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CHECK_SEND_ON_RECORD_END, IDC_CHECK_SEND_ON_RECORD_END, OnBnClickedAutoSend)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CHECK_SEND_ON_ERROR, IDC_CHECK_SEND_ON_ERROR, OnBnClickedAutoSend)
    ON_BN_CLICKED(IDC_BUTTON_RS232C, OnBnClickedRS232C)
    ON_BN_CLICKED(IDC_BUTTON_LAN, OnBnClickedLAN)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

namespace {


const wchar_t* Text(DWORD item, const wchar_t* defaultText) { return comm_ids::Text(IDD_COMM_SHEET, item, defaultText); }

const wchar_t* StopBitsText(DWORD stopBits)
{
    switch (stopBits) {
    case 0: return L"1";
    case 2: return L"2";
    default: return L"?";
    }
}

const wchar_t* ParityText(DWORD parity)
{
    switch (parity) {
    case 0: return L"NONE";
    case 1: return L"ODD";
    case 2: return L"EVEN";
    default: return L"???";
    }
}

const wchar_t* FlowControlText(DWORD flowControl)
{
    switch (flowControl) {
    case 1: return L"RTS/CTS, ";
    case 2: return L"XON/XOFF, ";
    default: return L"";
    }
}

const wchar_t* DelimiterText(DWORD delimiter)
{
    switch (delimiter) {
    case kDelimiterCR: return L"CR, ";
    case kDelimiterLF: return L"LF, ";
    case kDelimiterCRLF: return L"CR+LF, ";
    default: return L"";
    }
}

bool RS232CFitted() { return CPRMPIO().DetectRS232C(); }

bool Checked(const CButton& box) { return box.GetCheck() == BST_CHECKED; }

}  // namespace

CSystemCommSheet::CSystemCommSheet(CWnd* parent) : CSystemSettingSheet(IDD_COMM_SHEET, parent, false) {}

CSystemCommSheet::~CSystemCommSheet() = default;

int CSystemCommSheet::SetConfig(T_CONFIG_COMM* comm)
{
    if (!comm)
        return 0;
    m_pComm = comm;
    return 1;
}

void CSystemCommSheet::DoDataExchange(CDataExchange* dx)
{
    CSystemSettingSheet::DoDataExchange(dx);
    DDX_Control(dx, IDC_CHECK_UPS, m_checkUps);
    DDX_Control(dx, IDC_CHECK_SEND_ON_TRIGGER, m_checkSendOnTrigger);
    DDX_Control(dx, IDC_CHECK_SEND_ON_RECORD_END, m_checkSendOnRecordEnd);
    DDX_Control(dx, IDC_CHECK_SEND_ON_ERROR, m_checkSendOnError);
}

BOOL CSystemCommSheet::OnInitDialog()
{
    CSystemSettingSheet::OnInitDialog();
    SetTexts();
    LoadFromBlock();
    m_portNone.AutoLoad(IDC_PORT_NONE, this);
    m_portLAN.AutoLoad(IDC_PORT_LAN, this);
    m_portRS232C.AutoLoad(IDC_PORT_RS232C, this);
    CheckAvailability();
    ShowAutoSend();
    Apply();
    return TRUE;
}

void CSystemCommSheet::SetTexts()
{
    static const ItemText items[] = {
        {17057, 2, L"通信ポート設定"},
        {IDC_CHECK_UPS, 3, L"RS232CにUPSを接続する(UPSと接続した状態で設定して下さい)"},
        {17058, 4, L"通信ポート選択"},
        {IDC_PORT_NONE, 5, L"なし"},
        {IDC_BUTTON_RS232C, 6, L"RS232C設定変更"},
        {IDC_BUTTON_LAN, 7, L"LAN設定変更"},
        {17053, 8, L"自動発信設定"},
        {IDC_CHECK_SEND_ON_TRIGGER, 9, L"トリガ検出時"},
        {IDC_CHECK_SEND_ON_RECORD_END, 10, L"収録終了時"},
        {IDC_CHECK_SEND_ON_ERROR, 11, L"エラー発生時"},
    };
    SetItemTexts(IDD_COMM_SHEET, items);
}

void CSystemCommSheet::LoadFromBlock()
{
    if (m_pComm) {
        m_checkUps.SetCheck(m_pComm->bUpsOnRs232c ? BST_CHECKED : BST_UNCHECKED);
        switch (m_pComm->dwPort) {
        case COMM_PORT_NONE: m_port = Port::None; break;
        case COMM_PORT_RS232C: m_port = Port::RS232C; break;
        case COMM_PORT_LAN: m_port = Port::LAN; break;
        default: break;  // no port of this instrument: the selection stays
        }
    }
    ShowRS232CSummary();
    ShowLANSummary();
}

void CSystemCommSheet::Refresh()
{
    LoadFromBlock();
    CheckAvailability();
    ShowAutoSend();
    Apply();
}

void CSystemCommSheet::CheckAvailability()
{
    if (RS232CFitted())
        return;
    EnableRS232C(false);
    if (m_port == Port::RS232C)
        m_port = Port::None;
    m_checkUps.EnableWindow(FALSE);
    m_checkUps.SetCheck(BST_UNCHECKED);
}

void CSystemCommSheet::ShowAutoSend()
{
    if (!m_pComm)
        return;
    m_checkSendOnTrigger.SetCheck(m_pComm->bSendOnTrigger ? BST_CHECKED : BST_UNCHECKED);
    m_checkSendOnRecordEnd.SetCheck(m_pComm->bSendOnRecordEnd ? BST_CHECKED : BST_UNCHECKED);
    m_checkSendOnError.SetCheck(m_pComm->bSendOnError ? BST_CHECKED : BST_UNCHECKED);
}

void CSystemCommSheet::EnableRS232C(bool enable)
{
    const BOOL state = enable ? TRUE : FALSE;
    m_portRS232C.EnableWindow(state);
    for (int id : {IDC_RS232C_SUMMARY, IDC_BUTTON_RS232C})
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(state);
}

void CSystemCommSheet::Apply()
{
    bool ups = false;
    if (RS232CFitted() && Checked(m_checkUps)) {
        // The UPS holds the port: nothing else may talk through it.
        if (m_port == Port::RS232C)
            m_port = Port::None;
        EnableRS232C(false);
        ups = true;
    } else if (RS232CFitted()) {
        EnableRS232C(true);
    } else {
        if (m_port == Port::RS232C)
            m_port = Port::None;
        EnableRS232C(false);
    }
    m_portNone.Select(m_port == Port::None ? 1 : 0);
    m_portLAN.Select(m_port == Port::LAN ? 1 : 0);
    m_portRS232C.Select(m_port == Port::RS232C ? 1 : 0);
    if (!m_pComm)
        return;
    m_pComm->bUpsOnRs232c = ups;
    m_pComm->dwPort = m_port == Port::RS232C ? COMM_PORT_RS232C : m_port == Port::LAN ? COMM_PORT_LAN : COMM_PORT_NONE;
    m_pComm->bSendOnTrigger = Checked(m_checkSendOnTrigger);
    m_pComm->bSendOnRecordEnd = Checked(m_checkSendOnRecordEnd);
    m_pComm->bSendOnError = Checked(m_checkSendOnError);
}

void CSystemCommSheet::ShowRS232CSummary()
{
    if (!m_pComm)
        return;
    CString summary;
    summary.Format(L"%dbps, %dbits, stop%s, %s Parity\n%s%sTime out = %ds", static_cast<int>(m_pComm->dwBaudRate),
                   static_cast<int>(m_pComm->dwDataBits), StopBitsText(m_pComm->dwStopBits),
                   ParityText(m_pComm->dwParity), FlowControlText(m_pComm->dwFlowControl),
                   DelimiterText(m_pComm->dwDelimiter), static_cast<int>(m_pComm->dwTimeout / 1000));
    SetDlgItemText(IDC_RS232C_SUMMARY, summary);
}

void CSystemCommSheet::ShowLANSummary()
{
    const CNetConfig adapter(-1);
    const DWORD address = adapter.GetIPAddress(), mask = adapter.GetSubnetMask(),
                gateway = adapter.GetDefaultGateway();
    auto byte = [](DWORD value, int index) { return static_cast<int>((value >> (24 - 8 * index)) & 0xFF); };
    CString summary;
    summary.Format(L"DHCP %s\nADDR=%d.%d.%d.%d  MASK=%d.%d.%d.%d\nGW  =%d.%d.%d.%d",
                   adapter.IsEnableDHCP() ? L"Enable" : L"Disable", byte(address, 0), byte(address, 1),
                   byte(address, 2), byte(address, 3), byte(mask, 0), byte(mask, 1), byte(mask, 2), byte(mask, 3),
                   byte(gateway, 0), byte(gateway, 1), byte(gateway, 2), byte(gateway, 3));
    SetDlgItemText(IDC_LAN_SUMMARY, summary);
}

void CSystemCommSheet::OnBnClickedPort(UINT id)
{
    m_port = id == IDC_PORT_RS232C ? Port::RS232C : id == IDC_PORT_LAN ? Port::LAN : Port::None;
    Apply();
    ReportSettingChanged(CHG_COMM);
}

void CSystemCommSheet::OnBnClickedUps()
{
    Apply();
    ReportSettingChanged(CHG_COMM);
}

void CSystemCommSheet::OnBnClickedAutoSend(UINT)
{
    Apply();
    ReportSettingChanged(CHG_AUTO_SEND);
}

void CSystemCommSheet::OnBnClickedRS232C()
{
    CSystemRS232CDlg dialog(this);
    dialog.SetConfig(m_pComm);
    if (dialog.DoModal() != 1)
        return;
    ReportSettingChanged(CHG_COMM);
    ShowRS232CSummary();
}

void CSystemCommSheet::OnBnClickedLAN()
{
    CSystemLANDlg dialog(this);
    dialog.SetConfig(m_pComm);
    if (dialog.DoModal() != 1)
        return;
    const int result = dialog.GetApplyResult();
    if (result == CSystemLANDlg::kApplyFailed || result == CSystemLANDlg::kAppliedAfterRestart) {
        CPopupDlg notice(this, true);
        notice.SetCaptionText(Text(7, L"LAN設定変更"));
        notice.SetMessageText(result == CSystemLANDlg::kApplyFailed ? Text(12, L"LANの設定が異常終了しました。")
                                                                     : Text(13, L"LANの設定を反映するには再起動が必要です。"));
        notice.SetButtonMode(2);
        notice.DoModal();
    }
    ReportSettingChanged(CHG_COMM);
    ShowLANSummary();
}

void CSystemCommSheet::OnShowWindow(BOOL show, UINT status)
{
    CSystemSettingSheet::OnShowWindow(show, status);
    Refresh();
}
