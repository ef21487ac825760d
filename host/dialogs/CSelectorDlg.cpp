#include "host/dialogs/CSelectorDlg.h"

#include "host/dialogs/HostTemplate.h"

#include <algorithm>
#include <mutex>

IMPLEMENT_DYNAMIC(CSelectorDlg, CCBRDialog)

BEGIN_MESSAGE_MAP(CSelectorDlg, CCBRDialog)
    ON_CONTROL_RANGE(BN_CLICKED, CSelectorDlg::kFirstItemId, CSelectorDlg::kFirstItemId + 255, OnItem)
END_MESSAGE_MAP()

namespace {

constexpr int kMaxItems = 256;
// Pixels.
constexpr int kMargin = 12;
constexpr int kGap = 6;
constexpr int kTitleHeight = 24;
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 40;
constexpr int kPanelWidth = 640;
constexpr int kPanelHeight = 480;

void RegisterSelectorTemplate()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // The choices and the final size are laid out at initialisation.
        host::TemplateBuilder(host::IDD_HOST_SELECTOR, L"", 260, 160)
            .Static(CSelectorDlg::kTitleId, L"", 8, 6, 244, 14)
            .Button(IDOK, L"実行", 40, 120, 80, 32, BS_DEFPUSHBUTTON)
            .Button(IDCANCEL, L"キャンセル", 140, 120, 80, 32)
            .Register();
    });
}

int Fit(int value, int low, int high, int fallback) { return value <= 0 ? fallback : std::clamp(value, low, high); }

}  // namespace

CSelectorDlg::CSelectorDlg(CWnd* parent) : CCBRDialog(host::IDD_HOST_SELECTOR, parent, true)
{
    RegisterSelectorTemplate();
}

CSelectorDlg::~CSelectorDlg() = default;

void CSelectorDlg::Initialize(int count, const wchar_t* const* labels, int columns, int rows, int itemWidth,
                              int itemHeight)
{
    m_labels.clear();
    count = std::clamp(count, 0, kMaxItems);
    for (int index = 0; index < count; ++index)
        m_labels.emplace_back(labels && labels[index] ? labels[index] : L"");
    m_columns = Fit(columns, 1, 8, 3);
    m_rows = Fit(rows, 1, 8, 1);
    m_itemWidth = Fit(itemWidth, 40, 300, 80);
    m_itemHeight = Fit(itemHeight, 32, 120, 40);
    if (m_confirmed >= count)
        m_confirmed = -1;
}

void CSelectorDlg::SetTitleText(LPCWSTR title) { m_title = title; }

void CSelectorDlg::SetSelect(int index)
{
    m_confirmed = index >= 0 && index < static_cast<int>(m_labels.size()) ? index : -1;
}

BOOL CSelectorDlg::OnInitDialog()
{
    CCBRDialog::OnInitDialog();
    SetWindowText(m_title);
    SetDlgItemText(kTitleId, m_title);
    SetDlgItemText(IDOK, host::CommonText(2).c_str());
    SetDlgItemText(IDCANCEL, host::CommonText(3).c_str());
    m_switches.clear();
    for (size_t index = 0; index < m_labels.size(); ++index) {
        int id = kFirstItemId + static_cast<int>(index);
        HWND button = CreateWindowExW(0, L"Button", m_labels[index].c_str(),
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0, m_itemWidth,
                                      m_itemHeight, m_hWnd, id, nullptr, nullptr);
        auto choice = std::make_unique<CPushSwitch>();
        if (button)
            choice->AutoLoad(static_cast<UINT>(id), this);
        m_switches.push_back(std::move(choice));
    }
    m_selected = m_confirmed;
    LayOut();
    ShowSelection();
    return TRUE;
}

void CSelectorDlg::LayOut()
{
    int count = static_cast<int>(m_labels.size());
    int rows = std::max(m_rows, (count + m_columns - 1) / m_columns);
    int gridWidth = m_columns * m_itemWidth + (m_columns - 1) * kGap;
    int gridHeight = rows * m_itemHeight + (rows - 1) * kGap;
    int width = std::max(gridWidth, 2 * kButtonWidth + kGap) + 2 * kMargin;
    int height = kMargin + kTitleHeight + kGap + gridHeight + 2 * kGap + kButtonHeight + kMargin;
    width = std::min(width, kPanelWidth);
    height = std::min(height, kPanelHeight);
    ::MoveWindow(::GetDlgItem(m_hWnd, kTitleId), kMargin, kMargin, width - 2 * kMargin, kTitleHeight, TRUE);
    int gridLeft = (width - gridWidth) / 2;
    int gridTop = kMargin + kTitleHeight + kGap;
    for (int index = 0; index < count; ++index) {
        int left = gridLeft + (index % m_columns) * (m_itemWidth + kGap);
        int top = gridTop + (index / m_columns) * (m_itemHeight + kGap);
        ::MoveWindow(::GetDlgItem(m_hWnd, kFirstItemId + index), left, top, m_itemWidth, m_itemHeight, TRUE);
    }
    int buttonTop = height - kMargin - kButtonHeight;
    int buttonsLeft = (width - 2 * kButtonWidth - kGap) / 2;
    ::MoveWindow(::GetDlgItem(m_hWnd, IDOK), buttonsLeft, buttonTop, kButtonWidth, kButtonHeight, TRUE);
    ::MoveWindow(::GetDlgItem(m_hWnd, IDCANCEL), buttonsLeft + kButtonWidth + kGap, buttonTop, kButtonWidth,
                 kButtonHeight, TRUE);
    ::SetWindowPos(m_hWnd, nullptr, (kPanelWidth - width) / 2, (kPanelHeight - height) / 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSelectorDlg::ShowSelection()
{
    for (size_t index = 0; index < m_switches.size(); ++index)
        m_switches[index]->Select(static_cast<int>(index) == m_selected ? 1 : 0);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), m_selected >= 0 ? TRUE : FALSE);
}

void CSelectorDlg::OnItem(UINT id)
{
    int index = static_cast<int>(id) - kFirstItemId;
    if (index < 0 || index >= static_cast<int>(m_labels.size()))
        return;
    m_selected = index;
    ShowSelection();
}

void CSelectorDlg::OnOK()
{
    if (m_selected < 0)
        return;
    m_confirmed = m_selected;
    EndDialog(IDOK);
}
