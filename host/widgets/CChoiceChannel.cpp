#include "host/widgets/CChoiceChannel.h"

#include "host/TextService.h"
#include "win/DebugLog.h"

#include <mutex>

IMPLEMENT_DYNAMIC(CChoiceChannel, TouchWidget)

namespace {

constexpr wchar_t kPanelClass[] = L"HostChoiceChannel";
// The panel's texts are looked up under its control id.
constexpr DWORD kTextGroup = 14000;

// Lets win::TapPart find the panel's items.
struct PanelState : win::WindowState {
    CChoiceChannel* panel = nullptr;
    bool PointForPart(HWND, const std::string& part, int index, POINT& point) override
    {
        return panel && panel->PartCentre(part, index, point);
    }
};

void RegisterPanelClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        win::RegisterWindowClass(win::WindowClass{
            kPanelClass, &DefWindowProcW, [] { return std::make_unique<PanelState>(); }, "channels"});
    });
}

bool ValidIndex(int index) { return index >= 0 && index < CChoiceChannel::kItemCount; }

}  // namespace

CChoiceChannel::CChoiceChannel(CWnd* parent) : m_pParent(parent)
{
    for (int index = 0; index < kItemCount; ++index)
        m_items[static_cast<size_t>(index)].label = OwnLabel(index);
}

CChoiceChannel::~CChoiceChannel()
{
    if (m_hWnd)
        if (auto* state = win::StateOf<PanelState>(m_hWnd))
            state->panel = nullptr;
}

std::wstring CChoiceChannel::OwnLabel(int index)
{
    if (index < 16)
        return L"CH" + std::to_wstring(index + 1);
    return index == 16 ? L"EVENT" : L"EXT";
}

BOOL CChoiceChannel::Create(CWnd* parent)
{
    CWnd* owner = parent ? parent : m_pParent;
    if (!owner || !owner->m_hWnd || m_hWnd) {
        OutputDebugStringW(L"CChoiceChannel::Create: no parent window, or the panel exists");
        return FALSE;
    }
    RegisterPanelClass();
    SIZE size = PanelSize();
    HWND hwnd = CreateWindowExW(0, kPanelClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, size.cx, size.cy, owner->m_hWnd,
                                0, nullptr, nullptr);
    if (!hwnd || !SubclassWindow(hwnd)) {
        if (hwnd)
            ::DestroyWindow(hwnd);
        return FALSE;
    }
    if (auto* state = win::StateOf<PanelState>(hwnd))
        state->panel = this;
    AttachWidget();
    return TRUE;
}

SIZE CChoiceChannel::PanelSize() const
{
    int rows = (kItemCount + kColumns - 1) / kColumns;
    return SIZE{kColumns * kItemWidth + (m_showExt ? kExtWidth : 0), rows * kItemHeight};
}

void CChoiceChannel::SetChoiceMode(int mode)
{
    m_mode = mode == ChoiceMultiple ? ChoiceMultiple : ChoiceSingle;
    Changed();
}

void CChoiceChannel::SetLabel(int index, LPCWSTR text)
{
    if (!ValidIndex(index))
        return;
    Item& item = m_items[static_cast<size_t>(index)];
    item.label = text ? text : OwnLabel(index);
    Changed();
}

std::wstring CChoiceChannel::GetLabel(int index) const
{
    return ValidIndex(index) ? m_items[static_cast<size_t>(index)].label : std::wstring();
}

void CChoiceChannel::EnableItem(int index, bool enable)
{
    if (!ValidIndex(index))
        return;
    m_items[static_cast<size_t>(index)].enabled = enable;
    Changed();
}

bool CChoiceChannel::IsItemEnabled(int index) const
{
    return ValidIndex(index) && m_items[static_cast<size_t>(index)].enabled;
}

void CChoiceChannel::ShowExtButtons(bool show)
{
    m_showExt = show;
    if (m_hWnd) {
        SIZE size = PanelSize();
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Changed();
}

void CChoiceChannel::SetNotify(UINT message, UINT wParam, LPARAM lParam, CWnd* target)
{
    m_notifyMessage = message;
    m_notifyWParam = wParam;
    m_notifyLParam = lParam;
    m_pNotifyTarget = target;
}

void CChoiceChannel::Redraw() { Changed(); }

RECT CChoiceChannel::ItemRect(int index) const
{
    int left = (index % kColumns) * kItemWidth;
    int top = (index / kColumns) * kItemHeight;
    return RECT{left, top, left + kItemWidth, top + kItemHeight};
}

RECT CChoiceChannel::ExtRect(int index) const
{
    SIZE size = PanelSize();
    int left = kColumns * kItemWidth;
    int half = size.cy / 2;
    return RECT{left, index * half, left + kExtWidth, index == 0 ? half : size.cy};
}

bool CChoiceChannel::PartCentre(const std::string& part, int index, POINT& point) const
{
    RECT rect{};
    if (part == "item" && ValidIndex(index))
        rect = ItemRect(index);
    else if (part == "ext" && m_showExt && (index == 0 || index == 1))
        rect = ExtRect(index);
    else
        return false;
    point = POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return true;
}

void CChoiceChannel::OnTap(POINT point)
{
    for (int index = 0; index < kItemCount; ++index) {
        RECT rect = ItemRect(index);
        if (PtInRect(&rect, point)) {
            TapItem(index);
            return;
        }
    }
    if (!m_showExt)
        return;
    for (int index = 0; index < 2; ++index) {
        RECT rect = ExtRect(index);
        if (PtInRect(&rect, point)) {
            TapExt(index);
            return;
        }
    }
}

void CChoiceChannel::TapItem(int index)
{
    DWORD bit = 1u << index;
    if (!m_items[static_cast<size_t>(index)].enabled || (m_dwLockMask & bit))
        return;
    DWORD mask = m_dwSelectMask;
    if (m_mode == ChoiceMultiple) {
        mask ^= bit;
    } else {
        // Picking one channel releases the others, except those locked.
        mask = (mask & m_dwLockMask) | bit;
    }
    ChangeByOperator(mask);
}

void CChoiceChannel::TapExt(int index)
{
    DWORD changeable = 0;
    for (int item = 0; item < kItemCount; ++item)
        if (m_items[static_cast<size_t>(item)].enabled && !(m_dwLockMask & (1u << item)))
            changeable |= 1u << item;
    DWORD mask = m_dwSelectMask;
    if (index == 0) {
        if (m_mode != ChoiceMultiple)
            return;  // one channel at a time: "all" has no meaning
        mask |= changeable;
    } else {
        mask &= ~changeable;
    }
    ChangeByOperator(mask);
}

void CChoiceChannel::ChangeByOperator(DWORD mask)
{
    if (mask == m_dwSelectMask)
        return;
    m_dwSelectMask = mask;
    Changed();
    if (!m_notifyMessage)
        return;
    HWND target = m_pNotifyTarget ? m_pNotifyTarget->m_hWnd : ::GetParent(m_hWnd);
    SendAndSurvive(target, m_notifyMessage, m_notifyWParam, m_notifyLParam);
}

void CChoiceChannel::Describe(win::ScreenControl& control) const
{
    control.className = "channels";
    control.rows.clear();
    control.selectedRows.clear();
    std::wstring disabled;
    for (int index = 0; index < kItemCount; ++index) {
        const Item& item = m_items[static_cast<size_t>(index)];
        control.rows.push_back({item.label});
        if (m_dwSelectMask & (1u << index))
            control.selectedRows.push_back(index);
        if (!item.enabled || (m_dwLockMask & (1u << index)))
            disabled += (disabled.empty() ? L"" : L",") + std::to_wstring(index);
    }
    control.extra.emplace_back("disabled", disabled);
    control.extra.emplace_back("mode", m_mode == ChoiceMultiple ? L"multiple" : L"single");
    control.extra.emplace_back("columns", std::to_wstring(kColumns));
    if (m_showExt)
        control.extra.emplace_back("ext", std::wstring(GetTextServiceObject()->GetText(kTextGroup, 1, L"全選択")) + L"," +
                                              GetTextServiceObject()->GetText(kTextGroup, 2, L"全解除"));
}
