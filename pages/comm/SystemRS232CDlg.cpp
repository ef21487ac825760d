#include "pages/comm/SystemRS232CDlg.h"

#include "pages/comm/CommIds.h"

using namespace comm_ids;

namespace {

enum Row { BaudRate, DataBits, StopBits, Parity, FlowControl, Delimiter };

struct RowButton {
    int id;
    Row row;
    DWORD value;
};

const RowButton kRowButtons[CSystemRS232CDlg::kButtons] = {
    {17040, BaudRate, 2400},   {17041, BaudRate, 4800},   {17042, BaudRate, 9600},       {17043, BaudRate, 19200},
    {17044, BaudRate, 38400},  {17045, DataBits, 8},      {17046, DataBits, 7},          {17047, StopBits, 0},
    {17048, StopBits, 2},      {17026, Parity, 0},        {17050, Parity, 1},            {17051, Parity, 2},
    {17052, FlowControl, 1},   {17053, FlowControl, 2},   {17054, Delimiter, kDelimiterCRLF},
    {17055, Delimiter, kDelimiterCR},                     {17056, Delimiter, kDelimiterLF},
};

const wchar_t* Text(DWORD item, const wchar_t* defaultText) { return comm_ids::Text(IDD_RS232C, item, defaultText); }

constexpr const wchar_t* kTimeoutCaption = L"タイムアウト";

}  // namespace

IMPLEMENT_DYNAMIC(CSystemRS232CDlg, CCBRDialog)

BEGIN_MESSAGE_MAP(CSystemRS232CDlg, CCBRDialog)
    ON_CONTROL_RANGE(BN_CLICKED, 17040, 17056, OnRowButton)
    ON_CONTROL_RANGE(BN_CLICKED, 17026, 17026, OnRowButton)
    ON_BN_CLICKED(IDC_HAND_TIMEOUT, OnTimeout)
    ON_BN_CLICKED(IDOK, OnBnClickedOK)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CSystemRS232CDlg::CSystemRS232CDlg(CWnd* parent) : CCBRDialog(IDD_RS232C, parent, true) {}

CSystemRS232CDlg::~CSystemRS232CDlg() = default;

int CSystemRS232CDlg::SetConfig(T_CONFIG_COMM* comm)
{
    if (!comm)
        return 0;
    m_pComm = comm;
    return 1;
}

BOOL CSystemRS232CDlg::OnInitDialog()
{
    CCBRDialog::OnInitDialog();
    SetWindowText(Text(11, L"RS232C設定"));
    static const ItemText labels[] = {
        {17084, 1, L"通信速度"},  {17085, 2, L"データビット"}, {17086, 3, L"ストップビット"},
        {17087, 4, L"パリティ"},  {17088, 5, L"フロー制御"},   {17093, 6, L"デリミタ"},
        {17080, 7, kTimeoutCaption}, {17026, 8, L"なし"},     {17050, 9, L"奇数"},
        {17051, 10, L"偶数"},
    };
    static const ItemText buttons[] = {{IDOK, 2, L"実行"}, {IDCANCEL, 3, L"キャンセル"}};
    SetItemTexts(IDD_RS232C, labels);
    SetItemTexts(1, buttons);

    m_handTimeout.AutoLoad(IDC_HAND_TIMEOUT, this);
    for (int index = 0; index < kButtons; ++index)
        m_buttons[index].AutoLoad(kRowButtons[index].id, this);
    if (m_pComm) {
        m_baudRate = m_pComm->dwBaudRate;
        m_dataBits = m_pComm->dwDataBits;
        m_stopBits = m_pComm->dwStopBits;
        m_parity = m_pComm->dwParity;
        m_flowControl = m_pComm->dwFlowControl;
        m_delimiter = m_pComm->dwDelimiter;
        m_timeout = m_pComm->dwTimeout;
    }
    ShowRows();
    ShowTimeout();
    return TRUE;
}

DWORD& CSystemRS232CDlg::RowValue(int row)
{
    DWORD* values[] = {&m_baudRate, &m_dataBits, &m_stopBits, &m_parity, &m_flowControl, &m_delimiter};
    return *values[row];
}

void CSystemRS232CDlg::ShowRows()
{
    // A value no button stands for (flow control off, an odd delimiter)
    // leaves its whole row released.
    for (int index = 0; index < kButtons; ++index) {
        const RowButton& button = kRowButtons[index];
        m_buttons[index].Select(RowValue(button.row) == button.value ? 1 : 0);
    }
}

void CSystemRS232CDlg::ShowTimeout() { SetDlgItemText(IDC_STATIC_TIMEOUT, TimeoutText(m_timeout)); }

void CSystemRS232CDlg::OnRowButton(UINT id)
{
    for (const RowButton& button : kRowButtons)
        if (button.id == static_cast<int>(id))
            RowValue(button.row) = button.value;
    ShowRows();
}

void CSystemRS232CDlg::OnTimeout()
{
    // The pad starts from the kept time-out, not from an entry not yet kept.
    if (EnterTimeout(this, Text(7, kTimeoutCaption), m_pComm ? m_pComm->dwTimeout : 0, m_timeout))
        ShowTimeout();
}

void CSystemRS232CDlg::OnBnClickedOK()
{
    if (m_pComm) {
        m_pComm->dwDelimiter = m_delimiter == kDelimiterCR || m_delimiter == kDelimiterCRLF ? m_delimiter : kDelimiterLF;
        m_pComm->dwTimeout = m_timeout;
        m_pComm->dwBaudRate = m_baudRate;
        m_pComm->dwDataBits = m_dataBits;
        m_pComm->dwStopBits = m_stopBits;
        m_pComm->dwParity = m_parity;
        m_pComm->dwFlowControl = m_flowControl;
    }
    OnOK();
}

HBRUSH CSystemRS232CDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    HBRUSH brush = CCBRDialog::OnCtlColor(dc, wnd, ctlColor);
    if (wnd && wnd->GetDlgCtrlID() == IDC_STATIC_TIMEOUT)
        return PaintValueField(dc);
    return brush;
}
