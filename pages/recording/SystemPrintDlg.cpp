#include "pages/recording/SystemPrintDlg.h"

#include "host/ConfigSysRec.h"
#include "host/Product.h"
#include "host/devices/AMPIO.h"
#include "host/devices/PrinterIO.h"
#include "host/dialogs/CSoftKeybordDlg.h"
#include "pages/recording/RecordingIds.h"

using namespace recording_ids;

namespace {

constexpr int IDC_LIST_SIG_LABEL = 17155;
constexpr int IDC_LIST_ANNOTATION = 17158;
constexpr int IDC_LIST_MEAS_INFO = 17109;

struct PrintSwitch {
    int id;
    DWORD item;
    const wchar_t* text;
    bool (CONFIG_SYSREC::*get)() const;
    void (CONFIG_SYSREC::*set)(bool);
    int list;  // the list the switch enables, or 0
};

const PrintSwitch kSwitches[7] = {
    {17139, 2, L"チャネルマーク", &CONFIG_SYSREC::GetChannelMarkPSW, &CONFIG_SYSREC::SetChannelMarkPSW, 0},
    {17140, 3, L"システムアノテーション", &CONFIG_SYSREC::GetSysAnnotationPSW, &CONFIG_SYSREC::SetSysAnnotationPSW, 0},
    {17141, 4, L"チャネルアノテーション", &CONFIG_SYSREC::GetChanAnnotationPSW, &CONFIG_SYSREC::SetChanAnnotationPSW,
     0},
    {17142, 5, L"時間軸", &CONFIG_SYSREC::GetTimeScalePSW, &CONFIG_SYSREC::SetTimeScalePSW, 0},
    {17101, 10, L"信号名称", &CONFIG_SYSREC::GetSigLabelPSW, &CONFIG_SYSREC::SetSigLabelPSW, IDC_LIST_SIG_LABEL},
    {17110, 11, L"ユーザアノテーション", &CONFIG_SYSREC::GetUserAnnotationPSW, &CONFIG_SYSREC::SetUserAnnotationPSW,
     IDC_LIST_ANNOTATION},
    {17112, 12, L"計測情報", &CONFIG_SYSREC::GetMeasInfoPSW, &CONFIG_SYSREC::SetMeasInfoPSW, IDC_LIST_MEAS_INFO},
};

// Button ids by index, and the value each index stores.
constexpr int kGridIds[CSystemPrintDlg::kGridButtons] = {17040, 17042, 17103, 17104, 17105};
constexpr int kGridValues[CSystemPrintDlg::kGridButtons] = {1, 2, 3, 4, 0};
constexpr int kScaleIds[CSystemPrintDlg::kScaleButtons] = {17106, 17107, 17108};
constexpr int kScaleValues[CSystemPrintDlg::kScaleButtons] = {2, 1, 0};

// The button index that shows a stored value; -1 for a value no button stands for.
template <size_t N>
int IndexOfValue(const int (&values)[N], int value)
{
    for (size_t index = 0; index < N; ++index)
        if (values[index] == value)
            return static_cast<int>(index);
    return -1;
}

template <size_t N>
int IndexOfId(const int (&ids)[N], UINT id)
{
    return IndexOfValue(ids, static_cast<int>(id));
}

const wchar_t* Text(DWORD item, const wchar_t* defaultText)
{
    return recording_ids::Text(IDD_PRINT, item, defaultText);
}

CString RowLabel(const wchar_t* format, int number)
{
    CString label;
    label.Format(format, number);
    return label;
}

}  // namespace

IMPLEMENT_DYNAMIC(CSystemPrintDlg, CCBRDialog)

BEGIN_MESSAGE_MAP(CSystemPrintDlg, CCBRDialog)
    ON_CONTROL_RANGE(BN_CLICKED, 17040, 17042, OnBnClickedGrid)
    ON_CONTROL_RANGE(BN_CLICKED, 17103, 17105, OnBnClickedGrid)
    ON_CONTROL_RANGE(BN_CLICKED, 17106, 17108, OnBnClickedScale)
    ON_CONTROL_RANGE(BN_CLICKED, 17139, 17142, OnBnClickedPrintSwitch)
    ON_CONTROL_RANGE(BN_CLICKED, 17101, 17101, OnBnClickedPrintSwitch)
    ON_CONTROL_RANGE(BN_CLICKED, 17110, 17110, OnBnClickedPrintSwitch)
    ON_CONTROL_RANGE(BN_CLICKED, 17112, 17112, OnBnClickedPrintSwitch)
    ON_NOTIFY(NM_CLICK, IDC_LIST_SIG_LABEL, OnNMClickSigLabel)
    ON_NOTIFY(NM_CLICK, IDC_LIST_ANNOTATION, OnNMClickAnnotation)
    ON_NOTIFY(NM_CLICK, IDC_LIST_MEAS_INFO, OnNMClickMeasInfo)
END_MESSAGE_MAP()

CSystemPrintDlg::CSystemPrintDlg(CWnd* parent) : CCBRDialog(IDD_PRINT, parent, true) {}

CSystemPrintDlg::~CSystemPrintDlg() = default;

int CSystemPrintDlg::SetConfig(CONFIG_SYSREC* config)
{
    if (!config)
        return 0;
    m_pConfig = config;
    return 1;
}

void CSystemPrintDlg::DoDataExchange(CDataExchange* dx)
{
    CCBRDialog::DoDataExchange(dx);
    for (int index = 0; index < 7; ++index)
        DDX_Control(dx, kSwitches[index].id, m_checkSwitch[index]);
    DDX_Control(dx, IDC_LIST_SIG_LABEL, m_listSigLabel);
    DDX_Control(dx, IDC_LIST_ANNOTATION, m_listAnnotation);
    DDX_Control(dx, IDC_LIST_MEAS_INFO, m_listMeasInfo);
}

BOOL CSystemPrintDlg::OnInitDialog()
{
    CCBRDialog::OnInitDialog();
    SetTexts();
    for (int index = 0; index < kGridButtons; ++index)
        m_gridButton[index].AutoLoad(kGridIds[index], this);
    for (int index = 0; index < kScaleButtons; ++index)
        m_scaleButton[index].AutoLoad(kScaleIds[index], this);
    CreateColumns();
    FillRows();

    if (m_pConfig) {
        // A stored value that no button stands for leaves the first button shown.
        if (int index = IndexOfValue(kGridValues, m_pConfig->GetGrid()); index >= 0)
            m_nGridIndex = index;
        if (int index = IndexOfValue(kScaleValues, m_pConfig->GetVScale()); index >= 0)
            m_nScaleIndex = index;
        for (int index = 0; index < 7; ++index)
            m_checkSwitch[index].SetCheck((m_pConfig->*kSwitches[index].get)() ? BST_CHECKED : BST_UNCHECKED);
        for (int channel = 0; channel < CONFIG_SYSREC::kChannels; ++channel)
            ShowSigLabels(channel);
        ShowAnnotations();
        ShowMeasInfo();
    }
    EnableLists();
    ShowButtons();
    return TRUE;
}

void CSystemPrintDlg::SetTexts()
{
    SetWindowText(Text(1, L"プリント設定"));
    for (const PrintSwitch& printSwitch : kSwitches)
        SetDlgItemText(printSwitch.id, Text(printSwitch.item, printSwitch.text));
    SetDlgItemText(17143, Text(6, L"グリッド"));
    SetDlgItemText(17144, Text(7, L"振幅軸スケール"));
    SetDlgItemText(17106, Text(8, L"一括"));
    SetDlgItemText(17107, Text(9, L"個別"));
    SetDlgItemText(IDOK, recording_ids::Text(1, 1, L"閉じる"));
}

void CSystemPrintDlg::CreateColumns()
{
    auto width = [](const CListCtrl& list) {
        RECT client{};
        list.GetClientRect(&client);
        return static_cast<int>(client.right - client.left);
    };
    const wchar_t* content = Text(13, L"内容");
    const wchar_t* lineNumber = Text(14, L"行番号");
    m_listSigLabel.InsertColumn(0, L"CH", LVCFMT_LEFT, 60);
    m_listSigLabel.InsertColumn(1, L"TYPE", LVCFMT_LEFT, 120);
    m_listSigLabel.InsertColumn(2, content, LVCFMT_LEFT, width(m_listSigLabel) - 197);
    for (CListCtrl* list : {&m_listAnnotation, &m_listMeasInfo}) {
        list->InsertColumn(0, lineNumber, LVCFMT_LEFT, 60);
        list->InsertColumn(1, content, LVCFMT_LEFT, width(*list) - 77);
    }
    for (CListCtrl* list : {&m_listSigLabel, &m_listAnnotation, &m_listMeasInfo})
        list->SetExtendedStyle(list->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

void CSystemPrintDlg::FillRows()
{
    CAMPIO amplifiers;
    m_listSigLabel.DeleteAllItems();
    for (int channel = 0; channel < CONFIG_SYSREC::kChannels; ++channel) {
        m_listSigLabel.InsertItem(channel, RowLabel(L"CH%d", channel + 1));
        m_listSigLabel.SetItemText(channel, 1, GetAmpTypeName(amplifiers.GetAmpTypeCode(channel)));
    }
    for (CListCtrl* list : {&m_listAnnotation, &m_listMeasInfo}) {
        list->DeleteAllItems();
        for (int line = 0; line < CONFIG_SYSREC::kAnnotationLines; ++line)
            list->InsertItem(line, RowLabel(L"%d", line + 1));
    }
}

void CSystemPrintDlg::ShowSigLabels(int channel)
{
    CString shown;
    for (int line = 0; line < CONFIG_SYSREC::kSigLabelLines; ++line)
        shown += m_pConfig->GetSigLabelText(channel, line) + L" ";
    m_listSigLabel.SetItemText(channel, 2, shown);
}

void CSystemPrintDlg::ShowAnnotations()
{
    for (int line = 0; line < CONFIG_SYSREC::kAnnotationLines; ++line)
        m_listAnnotation.SetItemText(line, 1, m_pConfig->GetAnnotationText(line));
}

void CSystemPrintDlg::ShowMeasInfo()
{
    for (int line = 0; line < CONFIG_SYSREC::kMeasInfoLines; ++line)
        m_listMeasInfo.SetItemText(line, 1, m_pConfig->GetMeasInfoText(line));
}

void CSystemPrintDlg::ShowButtons()
{
    SelectOnly(m_gridButton, m_nGridIndex);
    SelectOnly(m_scaleButton, m_nScaleIndex);
}

void CSystemPrintDlg::EnableLists()
{
    for (int index = 0; index < 7; ++index)
        if (kSwitches[index].list)
            if (CWnd* list = GetDlgItem(kSwitches[index].list))
                list->EnableWindow(m_checkSwitch[index].GetCheck() == BST_CHECKED);
}

void CSystemPrintDlg::OnBnClickedGrid(UINT id)
{
    const int index = IndexOfId(kGridIds, id);
    if (index < 0)
        return;
    m_nGridIndex = index;
    ShowButtons();
    if (m_pConfig)
        m_pConfig->SetGrid(kGridValues[index]);
}

void CSystemPrintDlg::OnBnClickedScale(UINT id)
{
    const int index = IndexOfId(kScaleIds, id);
    if (index < 0)
        return;
    m_nScaleIndex = index;
    ShowButtons();
    if (m_pConfig)
        m_pConfig->SetVScale(kScaleValues[index]);
}

void CSystemPrintDlg::OnBnClickedPrintSwitch(UINT id)
{
    for (int index = 0; index < 7; ++index) {
        const PrintSwitch& printSwitch = kSwitches[index];
        if (printSwitch.id != static_cast<int>(id))
            continue;
        if (m_pConfig)
            (m_pConfig->*printSwitch.set)(m_checkSwitch[index].GetCheck() == BST_CHECKED);
        if (printSwitch.list)
            EnableLists();
    }
}

// A "\r" is dropped only when it is really there: a bare "\n" keeps the
// character before it, and a "\n" that starts the text reads nothing before it.
void CSystemPrintDlg::SplitLines(const std::wstring& text, int lines, const LineStore& store)
{
    std::size_t position = 0;
    for (int line = 0; line < lines; ++line) {
        const std::size_t newline = text.find(L'\n', position);
        if (newline == std::wstring::npos) {
            store(line, text.substr(position));
            return;
        }
        std::size_t end = newline;
        if (end > position && text[end - 1] == L'\r')
            --end;
        store(line, text.substr(position, end - position));
        position = newline + 1;
    }
}

int CSystemPrintDlg::ClickedRow(const NMHDR* header)
{
    return reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem;
}

bool CSystemPrintDlg::EditLines(const TextSet& set, const wchar_t* caption, int focusLine)
{
    CString joined;
    for (int line = 0; line < set.lines; ++line)
        joined += set.get(line) + L"\r\n";
    CSoftKeybordDlg keyboard(this);
    keyboard.SetConfigData(caption, joined, 0xFFFFFFFF, true, false, set.lines, set.width);
    if (focusLine >= 0)
        keyboard.InitFocusLine(focusLine);
    if (keyboard.DoModal() != 1)
        return false;
    SplitLines(keyboard.GetStrings().GetStdString(), set.lines,
               [&set](int line, const std::wstring& text) { set.set(line, text.c_str()); });
    return true;
}

void CSystemPrintDlg::OnNMClickSigLabel(NMHDR* header, LRESULT*)
{
    // Change reports wait until the whole edit is stored.
    CONFIG_AUTOPENDINGCTRL pending(m_pConfig);
    const int channel = ClickedRow(header);
    if (channel < 0 || channel >= CONFIG_SYSREC::kChannels || !m_pConfig)
        return;
    CAMPIO amplifiers;
    CString caption;
    caption.Format(Text(15, L"信号名入力 CH%d[%s]"), channel + 1, GetAmpTypeName(amplifiers.GetAmpTypeCode(channel)));
    CONFIG_SYSREC* config = m_pConfig;
    const TextSet set{CONFIG_SYSREC::kSigLabelLines, CONFIG_SYSREC::kSigLabelChars,
                      [config, channel](int line) { return config->GetSigLabelText(channel, line); },
                      [config, channel](int line, const wchar_t* text) {
                          config->SetSigLabelText(channel, line, text);
                      }};
    if (EditLines(set, caption, -1))
        ShowSigLabels(channel);
}

void CSystemPrintDlg::OnNMClickAnnotation(NMHDR* header, LRESULT*)
{
    CONFIG_AUTOPENDINGCTRL pending(m_pConfig);
    const int row = ClickedRow(header);
    if (row < 0 || !m_pConfig)
        return;
    CONFIG_SYSREC* config = m_pConfig;
    const TextSet set{CONFIG_SYSREC::kAnnotationLines, CONFIG_SYSREC::kAnnotationChars,
                      [config](int line) { return config->GetAnnotationText(line); },
                      [config](int line, const wchar_t* text) { config->SetAnnotationText(line, text); }};
    if (!EditLines(set, Text(16, L"ユーザアノテーション入力"), row))
        return;
    // The printer keeps its own copy of the page annotations: every line
    // goes to it after each edit, changed or not.
    PrinterIO printer;
    for (int line = 0; line < CONFIG_SYSREC::kAnnotationLines; ++line) {
        const CString text = m_pConfig->GetAnnotationText(line);
        m_listAnnotation.SetItemText(line, 1, text);
        printer.ChangePageAnnotations(line, text);
    }
}

void CSystemPrintDlg::OnNMClickMeasInfo(NMHDR* header, LRESULT*)
{
    CONFIG_AUTOPENDINGCTRL pending(m_pConfig);
    const int row = ClickedRow(header);
    if (row < 0 || !m_pConfig)
        return;
    CONFIG_SYSREC* config = m_pConfig;
    const TextSet set{CONFIG_SYSREC::kMeasInfoLines, CONFIG_SYSREC::kMeasInfoChars,
                      [config](int line) { return config->GetMeasInfoText(line); },
                      [config](int line, const wchar_t* text) { config->SetMeasInfoText(line, text); }};
    if (EditLines(set, Text(17, L"計測情報入力"), row))
        ShowMeasInfo();
}

BOOL CSystemPrintDlg::PreTranslateMessage(MSG* msg)
{
    // Only the close button ends the dialog.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        return TRUE;
    return CCBRDialog::PreTranslateMessage(msg);
}
