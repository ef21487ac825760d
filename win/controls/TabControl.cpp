#include "win/controls/TabControl.h"

#include "win/Screen.h"
#include "win/controls/ControlMetrics.h"

#include <algorithm>

namespace win {
namespace {

constexpr int kSelectedTabOffset = 2;
constexpr int kBorder = 2;
constexpr int kDisplayPadding = 2;
constexpr int kTextPadding = 6;

}  // namespace

WindowClass TabControl::Class()
{
    return WindowClass{L"SysTabControl32", &TabControl::Procedure, [] { return std::make_unique<TabControl>(); },
                       "tab"};
}

LRESULT TabControl::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* tabs = StateOf<TabControl>(hwnd);
    if (!tabs)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
    case WM_CREATE: tabs->Attach(hwnd); return 0;
    case WM_LBUTTONDOWN: tabs->ButtonDown(PointFromLParam(lParam)); return 0;
    case WM_LBUTTONUP: tabs->ButtonUp(); return 0;
    case TCM_INSERTITEMW: return tabs->InsertItem(index, reinterpret_cast<const TCITEMW*>(lParam));
    case TCM_SETITEMW: return tabs->SetItem(index, reinterpret_cast<const TCITEMW*>(lParam));
    case TCM_GETITEMW: return tabs->GetItem(index, reinterpret_cast<TCITEMW*>(lParam));
    case TCM_DELETEITEM: return tabs->DeleteItem(index);
    case TCM_DELETEALLITEMS: return tabs->DeleteAllItems();
    case TCM_GETITEMCOUNT: return tabs->GetItemCount();
    case TCM_GETITEMRECT: return tabs->GetItemRect(index, reinterpret_cast<RECT*>(lParam));
    case TCM_GETCURSEL: return tabs->GetCurSel();
    case TCM_SETCURSEL: return tabs->SetCurSel(index);
    case TCM_HITTEST: return tabs->HitTest(reinterpret_cast<TCHITTESTINFO*>(lParam));
    case TCM_ADJUSTRECT: return tabs->AdjustRect(wParam != 0, reinterpret_cast<RECT*>(lParam));
    case TCM_SETITEMSIZE:
        return tabs->SetItemSize(LOWORD(static_cast<std::uintptr_t>(lParam)), HIWORD(static_cast<std::uintptr_t>(lParam)));
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// ---------------------------------------------------------------------------
// Layout.

int TabControl::ItemWidth(const Item& item) const
{
    return std::max(m_setWidth, EstimateTextWidth(item.text) + 2 * kTextPadding);
}

RECT TabControl::ItemRect(int index) const
{
    int left = kSelectedTabOffset;
    for (int i = 0; i < index; ++i)
        left += ItemWidth(m_items[static_cast<size_t>(i)]);
    int width = ItemWidth(m_items[static_cast<size_t>(index)]);
    return RECT{left, kSelectedTabOffset, left + width, kSelectedTabOffset + m_height};
}

int TabControl::ItemAt(POINT point) const
{
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i) {
        RECT rect = ItemRect(i);
        if (PtInRect(&rect, point))
            return i;
    }
    return -1;
}

BOOL TabControl::GetItemRect(int index, RECT* rect) const
{
    if (!rect)
        return FALSE;
    if (!Valid(index)) {
        *rect = RECT{0, 0, 0, m_height};
        return FALSE;
    }
    *rect = ItemRect(index);
    return TRUE;
}

LRESULT TabControl::HitTest(TCHITTESTINFO* info) const
{
    if (!info)
        return -1;
    int index = ItemAt(info->pt);
    info->flags = index < 0 ? TCHT_NOWHERE : TCHT_ONITEM;
    return index;
}

LRESULT TabControl::AdjustRect(bool displayToWindow, RECT* rect) const
{
    if (!rect) {
        LogFailure(L"TCM_ADJUSTRECT", L"no rectangle");
        return -1;
    }
    int rows = m_items.empty() ? 0 : 1;
    int margin = kBorder + kDisplayPadding;
    if (displayToWindow) {
        rect->top -= m_height * rows;
        rect->left -= margin;
        rect->top -= margin;
        rect->right += margin;
        rect->bottom += margin;
    } else {
        rect->left += margin;
        rect->top += margin;
        rect->right -= margin;
        rect->bottom -= margin;
        rect->top += m_height * rows;
    }
    return 0;
}

LRESULT TabControl::SetItemSize(int width, int height)
{
    LRESULT previous = MAKELRESULT(static_cast<unsigned>(m_setWidth), static_cast<unsigned>(m_height));
    m_setWidth = width;
    if (height != 0)  // a zero height keeps the current one
        m_height = height;
    Changed();
    return previous;
}

// ---------------------------------------------------------------------------
// Items.

LRESULT TabControl::InsertItem(int index, const TCITEMW* item)
{
    if (!item || index < 0) {
        LogBadIndex(L"TCM_INSERTITEM", index);
        return -1;
    }
    index = std::min(index, static_cast<int>(m_items.size()));
    Item added;
    if ((item->mask & TCIF_TEXT) && item->pszText)
        added.text = item->pszText;
    if (item->mask & TCIF_IMAGE)
        added.image = item->iImage;
    if (item->mask & TCIF_PARAM)
        added.param = item->lParam;
    m_items.insert(m_items.begin() + index, std::move(added));
    if (m_items.size() == 1)
        m_selected = 0;
    else if (index <= m_selected)
        ++m_selected;
    Changed();
    return index;
}

BOOL TabControl::SetItem(int index, const TCITEMW* item)
{
    if (!item || !Valid(index)) {
        LogBadIndex(L"TCM_SETITEM", index);
        return FALSE;
    }
    Item& target = m_items[static_cast<size_t>(index)];
    if (item->mask & TCIF_TEXT)
        target.text = item->pszText ? item->pszText : L"";
    if (item->mask & TCIF_IMAGE)
        target.image = item->iImage;
    if (item->mask & TCIF_PARAM)
        target.param = item->lParam;
    if (item->mask & TCIF_STATE)
        target.state = (target.state & ~item->dwStateMask) | (item->dwState & item->dwStateMask);
    Changed();
    return TRUE;
}

BOOL TabControl::GetItem(int index, TCITEMW* item) const
{
    if (!item)
        return FALSE;
    if (!Valid(index))
        return FALSE;
    const Item& source = m_items[static_cast<size_t>(index)];
    if (item->mask & TCIF_TEXT) {
        if (item->pszText && item->cchTextMax > 0) {
            size_t count = std::min(source.text.size(), static_cast<size_t>(item->cchTextMax - 1));
            std::copy_n(source.text.begin(), count, item->pszText);
            item->pszText[count] = L'\0';
        }
    }
    if (item->mask & TCIF_IMAGE)
        item->iImage = source.image;
    if (item->mask & TCIF_PARAM)
        item->lParam = source.param;
    if (item->mask & TCIF_STATE)
        item->dwState = source.state & item->dwStateMask;
    return TRUE;
}

BOOL TabControl::DeleteItem(int index)
{
    if (!Valid(index)) {
        LogBadIndex(L"TCM_DELETEITEM", index);
        return FALSE;
    }
    m_items.erase(m_items.begin() + index);
    if (index == m_selected)
        m_selected = -1;
    else if (index < m_selected)
        --m_selected;
    Changed();
    return TRUE;
}

BOOL TabControl::DeleteAllItems()
{
    m_items.clear();
    m_selected = -1;
    Changed();
    return TRUE;
}

LRESULT TabControl::SetCurSel(int index)
{
    if (index >= static_cast<int>(m_items.size()))
        return -1;
    int previous = m_selected;
    m_selected = index < 0 ? -1 : index;
    if (previous != m_selected)
        Changed();
    return previous;
}

// ---------------------------------------------------------------------------
// Operator input.

void TabControl::ButtonDown(POINT point)
{
    if (!Enabled())
        return;
    HWND self = Self();
    if (!(Style() & TCS_FOCUSNEVER)) {
        SetFocus(self);
        if (!IsWindow(self))
            return;
    }
    m_tracking = true;
    int index = ItemAt(point);
    if (index < 0 || index == m_selected)
        return;
    NMHDR header{};
    if (NotifyParent(header, TCN_SELCHANGING) != 0)
        return;  // the parent refused to leave the current tab
    if (!IsWindow(self) || !Valid(index))
        return;
    m_selected = index;
    Changed();
    NotifyParent(header, TCN_SELCHANGE);
}

void TabControl::ButtonUp()
{
    if (!m_tracking)
        return;
    m_tracking = false;
    NMHDR header{};
    NotifyParent(header, NM_CLICK);
}

// ---------------------------------------------------------------------------
// Screen.

bool TabControl::PointForPart(HWND, const std::string& part, int index, POINT& point)
{
    if (part != "tab" || !Valid(index))
        return false;
    RECT rect = ItemRect(index);
    point = POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return true;
}

void TabControl::Describe(ScreenControl& control) const
{
    for (const Item& item : m_items)
        control.tabs.push_back(item.text);
    control.current = m_selected;
}

}  // namespace win
