#include "win/controls/ListView.h"

#include "win/Screen.h"
#include "win/controls/ControlMetrics.h"
#include "win/controls/ListViewText.h"

#include <algorithm>

namespace win {
namespace {

constexpr int kCellPadding = 12;

}  // namespace

WindowClass ListView::Class()
{
    return WindowClass{L"SysListView32", &ListView::Procedure, [] { return std::make_unique<ListView>(); }, "listview"};
}

LRESULT ListView::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* view = StateOf<ListView>(hwnd);
    if (!view)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    auto* item = reinterpret_cast<LVITEMW*>(lParam);
    auto* column = reinterpret_cast<LVCOLUMNW*>(lParam);
    switch (message) {
    case WM_CREATE: view->Attach(hwnd); return 0;
    case WM_LBUTTONDOWN: view->ButtonDown(wParam, PointFromLParam(lParam)); return 0;
    case WM_LBUTTONUP: view->ButtonUp(wParam, PointFromLParam(lParam)); return 0;
    case WM_LBUTTONDBLCLK: view->DoubleClick(wParam, PointFromLParam(lParam)); return 0;
    case WM_SETFOCUS: view->FocusChanged(true); return 0;
    case WM_KILLFOCUS: view->FocusChanged(false); return 0;
    case WM_WINDOWPOSCHANGED: view->SizeChanged(); return 0;
    case LVM_INSERTCOLUMNW: return view->InsertColumn(index, column);
    case LVM_DELETECOLUMN: return view->DeleteColumn(index);
    case LVM_GETCOLUMNW: return view->GetColumn(index, column);
    case LVM_SETCOLUMNW: return view->SetColumn(index, column);
    case LVM_GETCOLUMNWIDTH: return view->GetColumnWidth(index);
    case LVM_SETCOLUMNWIDTH: return view->SetColumnWidth(index, static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))));
    case LVM_INSERTITEMW: return view->InsertItem(item);
    case LVM_SETITEMW: return view->SetItem(item);
    case LVM_SETITEMTEXTW: return view->SetItemText(index, item);
    case LVM_GETITEMW: return view->GetItem(item);
    case LVM_GETITEMTEXTW: return view->GetItemText(index, item);
    case LVM_DELETEITEM: return view->DeleteItem(index);
    case LVM_DELETEALLITEMS: return view->DeleteAllItems();
    case LVM_GETITEMCOUNT: return view->GetItemCount();
    case LVM_SETITEMCOUNT: return view->SetItemCount(index);
    case LVM_SETITEMSTATE: return view->SetItemState(index, item);
    case LVM_GETITEMSTATE: return view->GetItemState(index, static_cast<UINT>(lParam));
    case LVM_GETNEXTITEM: return view->GetNextItem(index, LOWORD(static_cast<std::uintptr_t>(lParam)));
    case LVM_GETSELECTEDCOUNT: return view->GetSelectedCount();
    case LVM_GETSELECTIONMARK: return view->GetSelectionMark();
    case LVM_SETSELECTIONMARK: return view->SetSelectionMark(static_cast<int>(lParam));
    case LVM_SORTITEMS: return view->SortItems(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam), false);
    case LVM_SORTITEMSEX: return view->SortItems(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam), true);
    case LVM_FINDITEMW: return view->FindItem(index, reinterpret_cast<const LVFINDINFOW*>(lParam));
    case LVM_ENSUREVISIBLE: return view->EnsureVisible(index);
    case LVM_GETTOPINDEX: return view->GetTopIndex();
    case LVM_GETCOUNTPERPAGE: return view->GetCountPerPage();
    case LVM_GETITEMRECT: return view->GetItemRect(index, reinterpret_cast<RECT*>(lParam));
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: return view->HitTest(reinterpret_cast<LVHITTESTINFO*>(lParam));
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
        return static_cast<LRESULT>(view->SetExtendedStyle(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam)));
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return static_cast<LRESULT>(view->GetExtendedStyle());
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// ---------------------------------------------------------------------------
// Geometry.

bool ListView::SingleSelection() const { return (Style() & LVS_SINGLESEL) != 0; }

int ListView::HeaderHeight() const { return (Style() & LVS_NOCOLUMNHEADER) ? 0 : kHeaderHeight; }

RECT ListView::Client() const
{
    RECT client{};
    GetClientRect(Self(), &client);
    return client;
}

LRESULT ListView::GetCountPerPage() const
{
    RECT client = Client();
    return std::max(1, static_cast<int>(client.bottom - HeaderHeight()) / kRowHeight);
}

void ListView::ClampTop()
{
    int highest = std::max(0, m_rows.Count() - static_cast<int>(GetCountPerPage()));
    int top = std::clamp(m_top, 0, highest);
    if (top != m_top) {
        m_top = top;
        Changed();
    }
}

void ListView::SizeChanged() { ClampTop(); }

ListView::Hit ListView::HitAt(POINT point) const
{
    Hit hit;
    RECT client = Client();
    UINT outside = 0;
    if (point.x < 0)
        outside |= LVHT_TOLEFT;
    if (point.x >= client.right)
        outside |= LVHT_TORIGHT;
    if (point.y < HeaderHeight())
        outside |= LVHT_ABOVE;
    if (point.y >= client.bottom)
        outside |= LVHT_BELOW;
    if (outside) {
        hit.flags = outside;
        return hit;
    }
    int row = m_top + (point.y - HeaderHeight()) / kRowHeight;
    int column = m_columns.ColumnAt(point.x);
    bool onRow = (m_extendedStyle & LVS_EX_FULLROWSELECT) ? column >= 0 : column == 0;
    if (!m_rows.Valid(row) || !onRow)
        return hit;
    hit.item = row;
    hit.subItem = column;
    hit.flags = LVHT_ONITEMLABEL;
    return hit;
}

LRESULT ListView::HitTest(LVHITTESTINFO* info) const
{
    if (!info)
        return -1;
    Hit hit = HitAt(info->pt);
    info->flags = hit.flags;
    info->iItem = hit.item;
    info->iSubItem = hit.subItem;
    return hit.item;
}

BOOL ListView::GetItemRect(int index, RECT* rect) const
{
    if (!rect || !m_rows.Valid(index))
        return FALSE;
    LONG top = HeaderHeight() + (index - m_top) * kRowHeight;
    LONG bottom = top + kRowHeight;
    LONG label = m_columns.Count() > 0 ? m_columns.At(0).width : 0;
    switch (rect->left) {
    case LVIR_BOUNDS: *rect = RECT{0, top, m_columns.TotalWidth(), bottom}; return TRUE;
    case LVIR_ICON: *rect = RECT{0, top, 0, bottom}; return TRUE;
    case LVIR_LABEL: *rect = RECT{0, top, label, bottom}; return TRUE;
    case LVIR_SELECTBOUNDS:
        *rect = RECT{0, top, (m_extendedStyle & LVS_EX_FULLROWSELECT) ? m_columns.TotalWidth() : label, bottom};
        return TRUE;
    default: return FALSE;
    }
}

BOOL ListView::EnsureVisible(int index)
{
    if (!m_rows.Valid(index))
        return FALSE;
    int perPage = static_cast<int>(GetCountPerPage());
    int top = m_top;
    if (index < top)
        top = index;
    else if (index >= top + perPage)
        top = index - perPage + 1;
    if (top != m_top) {
        m_top = top;
        Changed();
    }
    return TRUE;
}

DWORD ListView::SetExtendedStyle(DWORD mask, DWORD style)
{
    DWORD previous = m_extendedStyle;
    if (mask == 0)
        mask = 0xFFFFFFFF;
    m_extendedStyle = (m_extendedStyle & ~mask) | (style & mask);
    if (m_extendedStyle != previous)
        Changed();
    return previous;
}

// ---------------------------------------------------------------------------
// Columns.

LRESULT ListView::InsertColumn(int index, const LVCOLUMNW* column)
{
    if (!column || index < 0) {
        LogBadIndex(L"LVM_INSERTCOLUMN", index);
        return -1;
    }
    ListViewColumn added;
    if (column->mask & LVCF_FMT)
        added.format = column->fmt;
    if (column->mask & LVCF_WIDTH)
        added.width = std::max(0, column->cx);
    if (column->mask & LVCF_TEXT)
        added.text = TextOf(column->pszText);
    added.subItem = (column->mask & LVCF_SUBITEM) ? column->iSubItem : index;
    if (column->mask & LVCF_IMAGE)
        added.image = column->iImage;
    int before = m_columns.Count();
    int at = m_columns.Insert(index, std::move(added));
    if (at < before)
        m_rows.InsertColumn(at);
    Changed();
    return at;
}

BOOL ListView::DeleteColumn(int index)
{
    if (!m_columns.Valid(index)) {
        LogBadIndex(L"LVM_DELETECOLUMN", index);
        return FALSE;
    }
    m_columns.Erase(index);
    m_rows.DeleteColumn(index);
    Changed();
    return TRUE;
}

BOOL ListView::GetColumn(int index, LVCOLUMNW* column) const
{
    if (!column || !m_columns.Valid(index))
        return FALSE;
    const ListViewColumn& source = m_columns.At(index);
    if (column->mask & LVCF_FMT)
        column->fmt = source.format;
    if (column->mask & LVCF_WIDTH)
        column->cx = source.width;
    if (column->mask & LVCF_TEXT)
        CopyText(source.text, column->pszText, column->cchTextMax);
    if (column->mask & LVCF_SUBITEM)
        column->iSubItem = source.subItem;
    if (column->mask & LVCF_IMAGE)
        column->iImage = source.image;
    if (column->mask & LVCF_ORDER)
        column->iOrder = index;
    return TRUE;
}

BOOL ListView::SetColumn(int index, const LVCOLUMNW* column)
{
    if (!column || !m_columns.Valid(index))
        return FALSE;
    ListViewColumn& target = m_columns.At(index);
    if (column->mask & LVCF_FMT)
        target.format = column->fmt;
    if (column->mask & LVCF_WIDTH)
        target.width = std::max(0, column->cx);
    if (column->mask & LVCF_TEXT)
        target.text = TextOf(column->pszText);
    if (column->mask & LVCF_SUBITEM)
        target.subItem = column->iSubItem;
    if (column->mask & LVCF_IMAGE)
        target.image = column->iImage;
    Changed();
    return TRUE;
}

LRESULT ListView::GetColumnWidth(int index) const
{
    return m_columns.Valid(index) ? m_columns.At(index).width : 0;
}

BOOL ListView::SetColumnWidth(int index, int width)
{
    if (!m_columns.Valid(index))
        return FALSE;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        int widest = 0;
        for (int row = 0; row < m_rows.Count(); ++row)
            widest = std::max(widest, EstimateTextWidth(m_rows.Text(row, index)));
        if (width == LVSCW_AUTOSIZE_USEHEADER) {
            widest = std::max(widest, EstimateTextWidth(m_columns.At(index).text));
            // The last column also fills the rest of the list, as on Windows.
            if (index == m_columns.Count() - 1)
                widest = std::max(widest, static_cast<int>(Client().right) - m_columns.Left(index) - kCellPadding);
        }
        width = widest + kCellPadding;
    } else if (width < 0) {
        LogFailure(L"LVM_SETCOLUMNWIDTH", L"negative width");
        return FALSE;
    }
    m_columns.At(index).width = width;
    Changed();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Operator input.

void ListView::FocusChanged(bool focused)
{
    if (focused == m_hasFocus)
        return;
    m_hasFocus = focused;
    NMHDR header{};
    NotifyParent(header, focused ? NM_SETFOCUS : NM_KILLFOCUS);
}

void ListView::ButtonDown(WPARAM keys, POINT point)
{
    if (!Enabled())
        return;
    // The header is a control of its own on Windows: a tap on it leaves the
    // focus where it is.
    if (point.y >= 0 && point.y < HeaderHeight()) {
        m_headerPressed = true;
        m_pressedColumn = m_columns.ColumnAt(point.x);
        return;
    }
    HWND self = Self();
    SetFocus(self);
    if (!IsWindow(self))
        return;
    m_rowPressed = true;
    bool control = (keys & MK_CONTROL) != 0;
    bool shift = (keys & MK_SHIFT) != 0;
    Hit hit = HitAt(point);
    if (hit.item < 0) {
        if (!control && !shift)
            DeselectAllExcept(-1);
        return;
    }
    int anchor = m_rows.Valid(m_selectionMark) ? m_selectionMark : hit.item;
    if (SingleSelection() || (!control && !shift)) {
        SelectOnly(hit.item);
    } else if (control && shift) {
        SelectRange(anchor, hit.item, true);
    } else if (control) {
        m_selectionMark = hit.item;
        bool select = !(m_rows.At(hit.item).state & LVIS_SELECTED);
        ChangeState(hit.item, (select ? LVIS_SELECTED : 0) | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    } else {
        SelectRange(anchor, hit.item, false);
    }
}

void ListView::ButtonUp(WPARAM keys, POINT point)
{
    if (m_headerPressed) {
        m_headerPressed = false;
        int column = m_pressedColumn;
        m_pressedColumn = -1;
        bool sameCell = point.y >= 0 && point.y < HeaderHeight() && column >= 0 && m_columns.ColumnAt(point.x) == column;
        if (sameCell && !(Style() & LVS_NOSORTHEADER)) {
            NMLISTVIEW info{};
            info.iItem = -1;
            info.iSubItem = column;
            Notify(LVN_COLUMNCLICK, info);
        }
        return;
    }
    if (!m_rowPressed)
        return;
    m_rowPressed = false;
    NotifyClick(NM_CLICK, keys, point);
}

void ListView::DoubleClick(WPARAM keys, POINT point)
{
    if (!Enabled() || (point.y >= 0 && point.y < HeaderHeight()))
        return;
    HWND self = Self();
    NotifyClick(NM_DBLCLK, keys, point);
    if (!IsWindow(self))
        return;
    Hit hit = HitAt(point);
    if (hit.item >= 0) {
        NMITEMACTIVATE info{};
        info.iItem = hit.item;
        info.iSubItem = hit.subItem;
        info.ptAction = point;
        info.lParam = m_rows.At(hit.item).lParam;
        NotifyParent(info.hdr, LVN_ITEMACTIVATE);
    }
}

void ListView::NotifyClick(UINT code, WPARAM keys, POINT point)
{
    Hit hit = HitAt(point);
    NMITEMACTIVATE info{};
    info.iItem = hit.item;
    info.iSubItem = hit.item >= 0 ? hit.subItem : 0;
    info.ptAction = point;
    if (hit.item >= 0)
        info.lParam = m_rows.At(hit.item).lParam;
    info.uKeyFlags = ((keys & MK_CONTROL) ? LVKF_CONTROL : 0U) | ((keys & MK_SHIFT) ? LVKF_SHIFT : 0U);
    NotifyParent(info.hdr, code);
}

// ---------------------------------------------------------------------------
// Screen.

bool ListView::PointForPart(HWND, const std::string& part, int index, POINT& point)
{
    RECT client = Client();
    if (part == "column") {
        if (!m_columns.Valid(index) || HeaderHeight() == 0 || m_columns.At(index).width <= 0)
            return false;
        point = POINT{m_columns.Left(index) + m_columns.At(index).width / 2, HeaderHeight() / 2};
        return point.x < client.right;
    }
    if (part != "row" || !m_rows.Valid(index) || m_columns.Count() == 0)
        return false;
    int reach = (m_extendedStyle & LVS_EX_FULLROWSELECT) ? m_columns.TotalWidth() : m_columns.At(0).width;
    reach = std::min(reach, static_cast<int>(client.right));
    if (reach <= 0)
        return false;
    EnsureVisible(index);
    point = POINT{reach / 2, HeaderHeight() + (index - m_top) * kRowHeight + kRowHeight / 2};
    return point.y < client.bottom;
}

std::pair<int, int> ListView::RowsInView() const
{
    return {m_top, std::max(1, (static_cast<int>(Client().bottom) - HeaderHeight() + kRowHeight - 1) / kRowHeight)};
}

bool ListView::DescribeRows(int first, int count, ScreenControl& control) const
{
    first = std::clamp(first, 0, m_rows.Count());
    const int end = first + std::clamp(count, 0, m_rows.Count() - first);
    const int cells = std::max(1, m_columns.Count());
    control.rows.reserve(static_cast<size_t>(end - first));
    for (int row = first; row < end; ++row) {
        std::vector<std::wstring> texts;
        texts.reserve(static_cast<size_t>(cells));
        for (int cell = 0; cell < cells; ++cell)
            texts.push_back(m_rows.Text(row, cell));
        control.rows.push_back(std::move(texts));
        if (m_rows.At(row).state & LVIS_SELECTED)
            control.selectedRows.push_back(row);
    }
    control.firstRow = first;
    control.rowCount = m_rows.Count();
    control.selectedCount = m_rows.SelectedCount();
    control.rowsRevision = Revision();
    return true;
}

void ListView::Describe(ScreenControl& control) const
{
    std::wstring widths;
    std::wstring formats;
    for (int column = 0; column < m_columns.Count(); ++column) {
        const ListViewColumn& source = m_columns.At(column);
        control.columns.push_back(source.text);
        widths += (column ? L"," : L"") + std::to_wstring(source.width);
        int justify = source.format & LVCFMT_JUSTIFYMASK;
        formats += std::wstring(column ? L"," : L"") +
                   (justify == LVCFMT_RIGHT ? L"right" : justify == LVCFMT_CENTER ? L"center" : L"left");
    }
    control.topRow = m_top;
    control.extra.emplace_back("columnWidths", widths);
    control.extra.emplace_back("columnFormats", formats);
    control.extra.emplace_back("focusedRow", std::to_wstring(m_rows.Focused()));
    if (m_extendedStyle & LVS_EX_GRIDLINES)
        control.extra.emplace_back("gridLines", L"1");
    if (m_extendedStyle & LVS_EX_FULLROWSELECT)
        control.extra.emplace_back("fullRowSelect", L"1");
    if (SingleSelection())
        control.extra.emplace_back("singleSelection", L"1");
}

}  // namespace win
