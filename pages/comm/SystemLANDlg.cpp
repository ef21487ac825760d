#include "pages/comm/SystemLANDlg.h"

#include "host/devices/NetConfig.h"
#include "host/dialogs/CSelectorDlg.h"
#include "host/dialogs/CSoftKeybordDlg.h"
#include "pages/comm/CommIds.h"

using namespace comm_ids;

namespace {

const wchar_t* Text(DWORD item, const wchar_t* defaultText) { return comm_ids::Text(IDD_LAN, item, defaultText); }

// Label and keyboard caption of each address, by index.
struct AddressTexts {
    int label;
    DWORD item;
    const wchar_t* labelText;
    const wchar_t* caption;
};
const AddressTexts kAddressTexts[3] = {
    {17090, 2, L"IPアドレス", L"IPアドレスの入力"},
    {17091, 3, L"サブネットマスク", L"サブネットマスクの入力"},
    {17092, 4, L"ゲートウェイアドレス", L"デフォルトゲートウェイの入力"},
};

const wchar_t* const kDelimiterLabels[3] = {L"CR", L"LF", L"CR+LF"};

constexpr const wchar_t* kDelimiterTitle = L"デリミタ";
constexpr const wchar_t* kTimeoutCaption = L"タイムアウト";

}  // namespace

IMPLEMENT_DYNAMIC(CSystemLANDlg, CCBRDialog)

BEGIN_MESSAGE_MAP(CSystemLANDlg, CCBRDialog)
    ON_BN_CLICKED(IDC_CHECK_DHCP, OnBnClickedDhcp)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_HAND_ADDRESS, IDC_HAND_ADDRESS + 2, OnAddress)
    ON_BN_CLICKED(IDC_HAND_DELIMITER, OnDelimiter)
    ON_BN_CLICKED(IDC_HAND_TIMEOUT, OnTimeout)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CSystemLANDlg::CSystemLANDlg(CWnd* parent) : CCBRDialog(IDD_LAN, parent, true) {}

CSystemLANDlg::~CSystemLANDlg() = default;

int CSystemLANDlg::SetConfig(T_CONFIG_COMM* comm)
{
    if (!comm)
        return 0;
    m_delimiter = comm->dwDelimiter == kDelimiterCR ? CR : comm->dwDelimiter == kDelimiterCRLF ? CRLF : LF;
    m_timeout = comm->dwTimeout;
    m_pComm = comm;
    return 1;
}

void CSystemLANDlg::DoDataExchange(CDataExchange* dx)
{
    CCBRDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CHECK_DHCP, m_checkDhcp);
}

BOOL CSystemLANDlg::OnInitDialog()
{
    CCBRDialog::OnInitDialog();
    SetWindowText(Text(1, L"LAN設定"));
    for (const AddressTexts& texts : kAddressTexts)
        SetDlgItemText(texts.label, Text(texts.item, texts.labelText));
    SetDlgItemText(IDC_CHECK_DHCP, Text(5, L"LANの設定にDHCPを利用する"));
    SetDlgItemText(17093, Text(6, kDelimiterTitle));
    SetDlgItemText(17080, Text(7, kTimeoutCaption));
    SetDlgItemText(IDOK, comm_ids::Text(1, 2, L"実行"));
    SetDlgItemText(IDCANCEL, comm_ids::Text(1, 3, L"キャンセル"));
    for (int index = 0; index < 3; ++index)
        m_handAddress[index].AutoLoad(IDC_HAND_ADDRESS + index, this);
    m_handDelimiter.AutoLoad(IDC_HAND_DELIMITER, this);
    m_handTimeout.AutoLoad(IDC_HAND_TIMEOUT, this);

    const CNetConfig adapter(-1);
    m_address[0] = adapter.GetIPAddress();
    m_address[1] = adapter.GetSubnetMask();
    m_address[2] = adapter.GetDefaultGateway();
    for (int index = 0; index < 3; ++index)
        SetDlgItemText(IDC_STATIC_ADDRESS + index, CNetConfig::AddrToString(m_address[index]));
    const bool dhcp = adapter.IsEnableDHCP();
    m_checkDhcp.SetCheck(dhcp ? BST_CHECKED : BST_UNCHECKED);
    EnableAddresses(!dhcp);
    ShowDelimiter();
    ShowTimeout();
    return TRUE;
}

void CSystemLANDlg::EnableAddresses(bool enable)
{
    for (int index = 0; index < 3; ++index) {
        for (int id : {IDC_STATIC_ADDRESS + index, IDC_HAND_ADDRESS + index})
            if (CWnd* control = GetDlgItem(id))
                control->EnableWindow(enable ? TRUE : FALSE);
    }
}

void CSystemLANDlg::ShowDelimiter() { SetDlgItemText(IDC_STATIC_DELIMITER, kDelimiterLabels[m_delimiter]); }

void CSystemLANDlg::ShowTimeout() { SetDlgItemText(IDC_STATIC_TIMEOUT, TimeoutText(m_timeout)); }

void CSystemLANDlg::OnBnClickedDhcp()
{
    // The addresses entered stay; DHCP only sets them aside.
    EnableAddresses(m_checkDhcp.GetCheck() != BST_CHECKED);
}

void CSystemLANDlg::OnAddress(UINT id)
{
    const int index = static_cast<int>(id) - IDC_HAND_ADDRESS;
    const AddressTexts& texts = kAddressTexts[index];
    CSoftKeybordDlg keyboard(this);
    keyboard.SetConfigData(Text(texts.item, texts.caption), CNetConfig::AddrToString(m_address[index]), 0xFFFFFFFF, true,
                           false, -1, -1);
    if (keyboard.DoModal() != 1)
        return;
    const CString typed = keyboard.GetStrings();
    // Shown as typed; what the adapter gets is what the text reads as.
    m_address[index] = CNetConfig::StringToAddr(typed);
    SetDlgItemText(IDC_STATIC_ADDRESS + index, typed);
}

void CSystemLANDlg::OnDelimiter()
{
    CSelectorDlg selector(this);
    selector.Initialize(3, kDelimiterLabels, 3, 2, 80, 40);
    selector.SetSelect(m_delimiter);
    selector.SetTitleText(Text(6, kDelimiterTitle));
    if (selector.DoModal() != 1)
        return;
    const int chosen = selector.GetSelectedValue();
    m_delimiter = chosen == CR ? CR : chosen == CRLF ? CRLF : LF;
    ShowDelimiter();
}

void CSystemLANDlg::OnTimeout()
{
    if (EnterTimeout(this, Text(7, kTimeoutCaption), m_timeout, m_timeout))
        ShowTimeout();
}

void CSystemLANDlg::OnOK()
{
    CNetConfig adapter(-1);
    const int answer = m_checkDhcp.GetCheck() == BST_CHECKED ? adapter.SetConfig(0, 0, 0)
                                                             : adapter.SetConfig(m_address[0], m_address[1], m_address[2]);
    m_applyResult = answer == kApplied || answer == kAppliedAfterRestart ? answer : kApplyFailed;
    if (m_pComm) {
        m_pComm->dwDelimiter = m_delimiter == CR ? kDelimiterCR : m_delimiter == CRLF ? kDelimiterCRLF : kDelimiterLF;
        m_pComm->dwTimeout = m_timeout;
    }
    CCBRDialog::OnOK();
}

HBRUSH CSystemLANDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    HBRUSH brush = CCBRDialog::OnCtlColor(dc, wnd, ctlColor);
    const int id = wnd ? wnd->GetDlgCtrlID() : 0;
    if (id >= IDC_STATIC_ADDRESS && id <= IDC_STATIC_TIMEOUT)
        return PaintValueField(dc);
    return brush;
}
