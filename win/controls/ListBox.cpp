#include "win/controls/ListBox.h"

#include "win/Screen.h"
#include "win/controls/CommCtrl.h"
#include "win/controls/ControlMetrics.h"

#include <algorithm>
#include <cwctype>

namespace win {
namespace {

bool LessIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
        return std::towlower(x) < std::towlower(y);
    });
}

}  // namespace

WindowClass ListBox::Class()
{
    return WindowClass{L"ListBox", &ListBox::Procedure, [] { return std::make_unique<ListBox>(); }, "listbox"};
}

LRESULT ListBox::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* list = StateOf<ListBox>(hwnd);
    if (!list)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
    case WM_CREATE: list->Attach(hwnd); return 0;
    case WM_LBUTTONDOWN: list->ButtonDown(wParam, PointFromLParam(lParam)); return 0;
    case WM_LBUTTONUP: list->ButtonUp(); return 0;
    case WM_LBUTTONDBLCLK: list->DoubleClick(); return 0;
    case LB_ADDSTRING: return list->AddString(reinterpret_cast<LPCWSTR>(lParam));
    case LB_INSERTSTRING: return list->InsertString(index, reinterpret_cast<LPCWSTR>(lParam));
    case LB_DELETESTRING: return list->DeleteString(index);
    case LB_RESETCONTENT: list->ResetContent(); return 0;
    case LB_GETCOUNT: return list->GetCount();
    case LB_GETCURSEL: return list->GetCurSel();
    case LB_SETCURSEL: return list->SetCurSel(index);
    case LB_GETSEL: return list->GetSel(index);
    case LB_SETSEL: return list->SetSel(wParam != 0, static_cast<int>(lParam));
    case LB_GETTEXT: return list->GetText(index, reinterpret_cast<LPWSTR>(lParam));
    case LB_GETTEXTLEN: return list->GetTextLength(index);
    case LB_GETSELCOUNT: return list->GetSelCount();
    case LB_GETSELITEMS: return list->GetSelItems(index, reinterpret_cast<int*>(lParam));
    case LB_GETITEMDATA: return list->GetItemData(index);
    case LB_SETITEMDATA: return list->SetItemData(index, lParam);
    case LB_GETTOPINDEX: return list->GetTopIndex();
    case LB_SETTOPINDEX: return list->SetTopIndex(index);
    case LB_GETITEMRECT: return list->GetItemRect(index, reinterpret_cast<RECT*>(lParam));
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

bool ListBox::MultipleSelection() const { return (Style() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

int ListBox::RowsPerPage() const
{
    RECT client{};
    GetClientRect(Self(), &client);
    return std::max(1, static_cast<int>(client.bottom - client.top) / kRowHeight);
}

int ListBox::ItemAt(POINT point) const
{
    if (m_items.empty())
        return -1;
    int row = m_top + std::max(0, static_cast<int>(point.y)) / kRowHeight;
    return std::min(row, static_cast<int>(m_items.size()) - 1);
}

void ListBox::EnsureVisible(int index)
{
    if (!Valid(index))
        return;
    int top = m_top;
    if (index < top)
        top = index;
    else if (index >= top + RowsPerPage())
        top = index - RowsPerPage() + 1;
    if (top != m_top) {
        m_top = top;
        Changed();
    }
}

void ListBox::SelectOnly(int index)
{
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i)
        m_items[i].selected = i == index;
    m_selected = index;
}

// ---------------------------------------------------------------------------
// Operator input.

void ListBox::ButtonDown(WPARAM keys, POINT point)
{
    if (!Enabled())
        return;
    HWND self = Self();
    SetFocus(self);
    if (!IsWindow(self))
        return;
    int index = ItemAt(point);
    if (index < 0 || (Style() & LBS_NOSEL))
        return;
    DWORD style = Style();
    if (style & LBS_EXTENDEDSEL) {
        if ((keys & MK_SHIFT) && Valid(m_anchor)) {
            int first = std::min(m_anchor, index);
            int last = std::max(m_anchor, index);
            for (int i = 0; i < static_cast<int>(m_items.size()); ++i)
                m_items[i].selected = (i >= first && i <= last) || ((keys & MK_CONTROL) && m_items[i].selected);
        } else if (keys & MK_CONTROL) {
            m_items[index].selected = !m_items[index].selected;
            m_anchor = index;
        } else {
            SelectOnly(index);
            m_anchor = index;
        }
    } else if (style & LBS_MULTIPLESEL) {
        m_items[index].selected = !m_items[index].selected;
        m_anchor = index;
    } else {
        SelectOnly(index);
    }
    m_caret = index;
    EnsureVisible(index);
    Changed();
    m_tracking = true;
    SetCapture(self);
}

void ListBox::ButtonUp()
{
    if (!m_tracking)
        return;
    m_tracking = false;
    ReleaseCapture();
    if ((Style() & LBS_NOTIFY) && !m_items.empty())
        NotifyCommand(LBN_SELCHANGE);
}

void ListBox::DoubleClick()
{
    if (Enabled() && (Style() & LBS_NOTIFY))
        NotifyCommand(LBN_DBLCLK);
}

// ---------------------------------------------------------------------------
// Items.

LRESULT ListBox::AddString(LPCWSTR text)
{
    std::wstring value = text ? text : L"";
    int index = static_cast<int>(m_items.size());
    if (Style() & LBS_SORT) {
        auto position = std::upper_bound(m_items.begin(), m_items.end(), value,
                                         [](const std::wstring& v, const Item& item) { return LessIgnoringCase(v, item.text); });
        index = static_cast<int>(position - m_items.begin());
    }
    return InsertString(index, value.c_str());
}

LRESULT ListBox::InsertString(int index, LPCWSTR text)
{
    int count = static_cast<int>(m_items.size());
    if (index == -1)
        index = count;
    if (index < 0 || index > count) {
        LogBadIndex(L"LB_INSERTSTRING", index);
        return LB_ERR;
    }
    m_items.insert(m_items.begin() + index, Item{text ? text : L"", 0, false});
    if (m_selected >= index)
        ++m_selected;
    if (m_anchor >= index)
        ++m_anchor;
    if (m_caret >= index && count > 0)
        ++m_caret;
    Changed();
    return index;
}

LRESULT ListBox::DeleteString(int index)
{
    if (!Valid(index)) {
        LogBadIndex(L"LB_DELETESTRING", index);
        return LB_ERR;
    }
    m_items.erase(m_items.begin() + index);
    auto shift = [index](int& position) {
        if (position == index)
            position = -1;
        else if (position > index)
            --position;
    };
    shift(m_selected);
    shift(m_anchor);
    int count = static_cast<int>(m_items.size());
    if (m_caret > index || m_caret >= count)
        m_caret = std::max(0, m_caret - 1);
    if (m_top >= count)
        m_top = std::max(0, count - 1);
    Changed();
    return count;
}

void ListBox::ResetContent()
{
    m_items.clear();
    m_selected = -1;
    m_anchor = -1;
    m_caret = 0;
    m_top = 0;
    Changed();
}

// ---------------------------------------------------------------------------
// Selection.

LRESULT ListBox::GetCurSel() const
{
    if (!MultipleSelection())
        return m_selected;
    // A multiple-selection list box answers with the row that has the caret.
    return m_items.empty() ? LB_ERR : m_caret;
}

LRESULT ListBox::SetCurSel(int index)
{
    if (MultipleSelection() || index < -1 || index >= static_cast<int>(m_items.size()))
        return LB_ERR;
    SelectOnly(index);
    if (index >= 0) {
        m_caret = index;
        EnsureVisible(index);
    }
    Changed();
    return index;  // -1 (LB_ERR) after clearing, as on Windows
}

LRESULT ListBox::GetSel(int index) const
{
    if (!Valid(index))
        return LB_ERR;
    return m_items[static_cast<size_t>(index)].selected ? 1 : 0;
}

LRESULT ListBox::SetSel(bool select, int index)
{
    if (!MultipleSelection() || index < -1 || index >= static_cast<int>(m_items.size()))
        return LB_ERR;
    if (index == -1) {
        for (Item& item : m_items)
            item.selected = select;
    } else {
        m_items[static_cast<size_t>(index)].selected = select;
    }
    if (select && index >= 0) {
        m_anchor = index;
        m_caret = index;
    }
    Changed();
    return 0;
}

LRESULT ListBox::GetSelCount() const
{
    if (!MultipleSelection())
        return LB_ERR;
    return std::count_if(m_items.begin(), m_items.end(), [](const Item& item) { return item.selected; });
}

LRESULT ListBox::GetSelItems(int maximum, int* items) const
{
    if (!MultipleSelection() || !items)
        return LB_ERR;
    int written = 0;
    for (int i = 0; i < static_cast<int>(m_items.size()) && written < maximum; ++i)
        if (m_items[static_cast<size_t>(i)].selected)
            items[written++] = i;
    return written;
}

// ---------------------------------------------------------------------------
// Texts, data and geometry.

LRESULT ListBox::GetText(int index, LPWSTR buffer) const
{
    if (!Valid(index) || !buffer) {
        LogBadIndex(L"LB_GETTEXT", index);
        return LB_ERR;
    }
    const std::wstring& text = m_items[static_cast<size_t>(index)].text;
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = L'\0';
    return static_cast<LRESULT>(text.size());
}

LRESULT ListBox::GetTextLength(int index) const
{
    return Valid(index) ? static_cast<LRESULT>(m_items[static_cast<size_t>(index)].text.size()) : LB_ERR;
}

LRESULT ListBox::GetItemData(int index) const
{
    return Valid(index) ? m_items[static_cast<size_t>(index)].data : LB_ERR;
}

LRESULT ListBox::SetItemData(int index, LPARAM data)
{
    if (!Valid(index))
        return LB_ERR;
    m_items[static_cast<size_t>(index)].data = data;
    return 0;
}

LRESULT ListBox::SetTopIndex(int index)
{
    if (!Valid(index))
        return LB_ERR;
    m_top = index;
    Changed();
    return 0;
}

LRESULT ListBox::GetItemRect(int index, RECT* rect) const
{
    if (!rect || (!Valid(index) && !(index == 0 && m_items.empty())))
        return LB_ERR;
    RECT client{};
    GetClientRect(Self(), &client);
    LONG top = (index - m_top) * kRowHeight;
    *rect = RECT{0, top, client.right, top + kRowHeight};
    return 1;
}

bool ListBox::PointForPart(HWND, const std::string& part, int index, POINT& point)
{
    if (part != "row" || !Valid(index))
        return false;
    EnsureVisible(index);
    RECT client{};
    GetClientRect(Self(), &client);
    point = POINT{client.right / 2, (index - m_top) * kRowHeight + kRowHeight / 2};
    return true;
}

void ListBox::Describe(ScreenControl& control) const { control.topRow = m_top; }

std::pair<int, int> ListBox::RowsInView() const
{
    RECT client{};
    GetClientRect(Self(), &client);
    return {m_top, std::max(1, static_cast<int>(client.bottom + kRowHeight - 1) / kRowHeight)};
}

bool ListBox::DescribeRows(int first, int count, ScreenControl& control) const
{
    const int total = static_cast<int>(m_items.size());
    first = std::clamp(first, 0, total);
    const int end = first + std::clamp(count, 0, total - first);
    control.rows.reserve(static_cast<size_t>(end - first));
    int selected = 0;
    for (int row = 0; row < total; ++row) {
        if (!m_items[static_cast<size_t>(row)].selected)
            continue;
        ++selected;
        if (row >= first && row < end)
            control.selectedRows.push_back(row);
    }
    for (int row = first; row < end; ++row)
        control.rows.push_back({m_items[static_cast<size_t>(row)].text});
    control.firstRow = first;
    control.rowCount = total;
    control.selectedCount = selected;
    control.rowsRevision = Revision();
    return true;
}

}  // namespace win
