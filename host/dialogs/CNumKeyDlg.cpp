#include "host/dialogs/CNumKeyDlg.h"

#include "host/dialogs/HostTemplate.h"
#include "host/widgets/NumberFormat.h"

#include <cmath>
#include <cwchar>
#include <mutex>

IMPLEMENT_DYNAMIC(CNumKeyDlg, CCBRDialog)

BEGIN_MESSAGE_MAP(CNumKeyDlg, CCBRDialog)
    ON_CONTROL_RANGE(BN_CLICKED, CNumKeyDlg::kDigitId, CNumKeyDlg::kBackId, OnKey)
    ON_MESSAGE(WM_CHAR, OnCharMessage)
END_MESSAGE_MAP()

namespace {

void RegisterNumKeyTemplate()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Keys of 68 x 32 units (102 x 40 pixels) in four columns.
        constexpr int columns[4] = {8, 80, 152, 224};
        constexpr int rows[4] = {74, 110, 146, 182};
        constexpr int width = 68;
        constexpr int height = 32;
        host::TemplateBuilder builder(host::IDD_HOST_NUMKEY, L"", 300, 270);
        builder.Static(CNumKeyDlg::kCaptionId, L"", 8, 6, 284, 12)
            .Static(CNumKeyDlg::kDisplayId, L"", 8, 22, 216, 20, SS_RIGHT | WS_BORDER)
            .Static(CNumKeyDlg::kUnitId, L"", 230, 26, 62, 14)
            .Static(CNumKeyDlg::kRangeId, L"", 8, 48, 284, 10)
            .Static(CNumKeyDlg::kMessageId, L"", 8, 60, 284, 10);
        const wchar_t* digitRows[3] = {L"789", L"456", L"123"};
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column) {
                wchar_t digit = digitRows[row][column];
                builder.Button(CNumKeyDlg::kDigitId + (digit - L'0'), std::wstring(1, digit), columns[column],
                               rows[row], width, height);
            }
        builder.Button(CNumKeyDlg::kBackId, L"BS", columns[3], rows[0], width, height)
            .Button(CNumKeyDlg::kClearId, L"C", columns[3], rows[1], width, height)
            .Button(CNumKeyDlg::kSignId, L"±", columns[3], rows[2], width, height)
            .Button(CNumKeyDlg::kDigitId, L"0", columns[0], rows[3], 140, height)
            .Button(CNumKeyDlg::kPointId, L".", columns[2], rows[3], width, height)
            .Button(IDOK, L"実行", 8, 226, 136, 36, BS_DEFPUSHBUTTON)
            .Button(IDCANCEL, L"キャンセル", 156, 226, 136, 36)
            .Register();
    });
}

}  // namespace

CNumKeyDlg::CNumKeyDlg(CWnd* parent, bool centreOnPanel)
    : CCBRDialog(host::IDD_HOST_NUMKEY, parent, true), m_centreOnPanel(centreOnPanel)
{
    RegisterNumKeyTemplate();
}

CNumKeyDlg::~CNumKeyDlg() = default;

void CNumKeyDlg::SetConfigData(LPCWSTR unit, LPCWSTR format, double value, double maximum, double minimum,
                               int inputMode)
{
    m_unit = unit ? unit : L"";
    std::wstring probe;
    m_format = format && host::FormatDouble(format, 0.0, probe) ? format : L"%g";
    m_value = value;
    m_maximum = maximum;
    m_minimum = minimum;
    m_inputMode = inputMode;
}

void CNumKeyDlg::SetCaptionMessage(LPCWSTR caption) { m_caption = caption; }

BOOL CNumKeyDlg::OnInitDialog()
{
    CCBRDialog::OnInitDialog();
    SetWindowText(m_caption);
    SetDlgItemText(kCaptionId, m_caption);
    SetDlgItemText(kUnitId, m_unit.c_str());
    SetDlgItemText(IDOK, host::CommonText(2).c_str());
    SetDlgItemText(IDCANCEL, host::CommonText(3).c_str());
    std::wstring range = host::HostText(host::IDD_HOST_NUMKEY, 1, L"入力範囲: ") + RangeText();
    SetDlgItemText(kRangeId, range.c_str());
    ::EnableWindow(::GetDlgItem(m_hWnd, kPointId), m_inputMode == 1 ? FALSE : TRUE);
    m_fresh = true;
    m_entry.clear();
    ShowEntry();
    if (!m_centreOnPanel)
        host::CentreOverParent(m_hWnd, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
    // Typed characters come to the pad itself.
    ::SetFocus(m_hWnd);
    return FALSE;
}

std::wstring CNumKeyDlg::RangeText() const
{
    return FormatNumber(m_minimum) + host::HostText(host::IDD_HOST_NUMKEY, 6, L" ～ ") + FormatNumber(m_maximum);
}

std::wstring CNumKeyDlg::FormatNumber(double value) const
{
    std::wstring text;
    if (!host::FormatDouble(L"%.10g", value, text))
        text = L"?";
    return text;
}

std::wstring CNumKeyDlg::ShownValue() const
{
    std::wstring text;
    if (!host::FormatDouble(m_format, m_value, text))
        host::FormatDouble(L"%g", m_value, text);
    // Padding of the caller's format has no place in the entry.
    size_t first = text.find_first_not_of(L' ');
    return first == std::wstring::npos ? std::wstring() : text.substr(first);
}

void CNumKeyDlg::ShowEntry()
{
    SetDlgItemText(kDisplayId, (m_fresh ? ShownValue() : m_entry).c_str());
}

void CNumKeyDlg::ShowMessage(const std::wstring& message)
{
    SetDlgItemText(kMessageId, message.c_str());
    // The refused OK button took the focus with the tap: typing goes on at the pad.
    if (!message.empty())
        ::SetFocus(m_hWnd);
}

void CNumKeyDlg::OnKey(UINT id)
{
    int key = static_cast<int>(id);
    if (key >= kDigitId && key <= kDigitId + 9)
        Digit(static_cast<wchar_t>(L'0' + (key - kDigitId)));
    else if (key == kPointId)
        Point();
    else if (key == kSignId)
        ToggleSign();
    else if (key == kClearId)
        Clear();
    else if (key == kBackId)
        Back();
    // Keep the typing target on the pad after a key button was pressed.
    ::SetFocus(m_hWnd);
}

LRESULT CNumKeyDlg::OnCharMessage(WPARAM character, LPARAM)
{
    wchar_t typed = static_cast<wchar_t>(character);
    if (typed >= L'0' && typed <= L'9')
        Digit(typed);
    else if (typed == L'.')
        Point();
    else if (typed == L'-' || typed == L'+')
        ToggleSign();
    else if (typed == L'\b')
        Back();
    else if (typed == L'\r' || typed == L'\n')
        OnOK();
    return 0;
}

void CNumKeyDlg::StartEditing(bool fromShownValue)
{
    if (!m_fresh)
        return;
    m_fresh = false;
    m_entry = fromShownValue ? ShownValue() : std::wstring();
}

void CNumKeyDlg::Digit(wchar_t digit)
{
    StartEditing(false);
    if (m_entry.size() >= kMaxEntryLength)
        return;
    // A lone leading zero gives way to the next digit.
    if (m_entry == L"0" || m_entry == L"-0")
        m_entry.pop_back();
    m_entry += digit;
    ShowMessage(L"");
    ShowEntry();
}

void CNumKeyDlg::Point()
{
    if (m_inputMode == 1)
        return;
    StartEditing(false);
    if (m_entry.find(L'.') != std::wstring::npos || m_entry.size() >= kMaxEntryLength)
        return;
    if (m_entry.empty() || m_entry == L"-")
        m_entry += L'0';
    m_entry += L'.';
    ShowEntry();
}

void CNumKeyDlg::ToggleSign()
{
    StartEditing(true);
    if (!m_entry.empty() && m_entry.front() == L'-')
        m_entry.erase(0, 1);
    else if (m_entry.size() < kMaxEntryLength)
        m_entry.insert(0, 1, L'-');
    ShowEntry();
}

void CNumKeyDlg::Clear()
{
    m_fresh = false;
    m_entry.clear();
    ShowMessage(L"");
    ShowEntry();
}

void CNumKeyDlg::Back()
{
    StartEditing(true);
    if (!m_entry.empty())
        m_entry.pop_back();
    ShowEntry();
}

void CNumKeyDlg::OnOK()
{
    double entered = m_value;
    if (!m_fresh) {
        wchar_t* end = nullptr;
        entered = std::wcstod(m_entry.c_str(), &end);
        bool complete = !m_entry.empty() && end && *end == L'\0' && m_entry != L"-";
        if (!complete || !std::isfinite(entered)) {
            ShowMessage(host::HostText(host::IDD_HOST_NUMKEY, 2, L"数値を入力してください"));
            return;
        }
    }
    if (entered < m_minimum || entered > m_maximum) {
        ShowMessage(host::HostText(host::IDD_HOST_NUMKEY, 3, L"入力範囲外です（") + RangeText() +
                    host::HostText(host::IDD_HOST_NUMKEY, 4, L"）"));
        return;
    }
    if (m_inputMode == 1 && entered != std::trunc(entered)) {
        ShowMessage(host::HostText(host::IDD_HOST_NUMKEY, 5, L"整数を入力してください"));
        return;
    }
    m_value = entered;
    EndDialog(IDOK);
}
