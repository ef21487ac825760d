// ListView, second part: the item messages and the state changes with
// their notifications. The window procedure, geometry, columns, operator
// input and screen description are in ListView.cpp.
#include "win/controls/ListView.h"

#include "win/controls/ListViewText.h"

#include <algorithm>

namespace win {

// ---------------------------------------------------------------------------
// Items.

LRESULT ListView::InsertItem(const LVITEMW* item)
{
    if (!item || item->iItem < 0 || item->iSubItem != 0) {
        LogFailure(L"LVM_INSERTITEM", L"no item, a negative index or a sub-item");
        return -1;
    }
    ListViewRow row;
    if (item->mask & LVIF_TEXT) {
        row.cells.Set(0, TextViewOf(item->pszText));
    }
    if (item->mask & LVIF_PARAM)
        row.lParam = item->lParam;
    if (item->mask & LVIF_STATE)
        row.state = item->state & item->stateMask;
    if (item->mask & LVIF_IMAGE)
        row.image = item->iImage;
    if (item->mask & LVIF_INDENT)
        row.indent = item->iIndent;
    int index = item->iItem;
    DWORD style = Style();
    if (style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
        // A sorted list places the row by its text, whatever index was asked.
        bool descending = (style & LVS_SORTDESCENDING) != 0;
        std::wstring text = row.cells.Text(0);
        int low = 0;
        int high = m_rows.Count();
        while (low < high) {
            int middle = (low + high) / 2;
            int order = m_rows.Text(middle, 0).compare(text);
            if (descending ? order >= 0 : order <= 0)
                low = middle + 1;
            else
                high = middle;
        }
        index = low;
    }
    LPARAM lParam = row.lParam;
    index = m_rows.Insert(index, std::move(row));
    if (m_selectionMark >= index)
        ++m_selectionMark;
    Changed();
    HWND self = Self();
    NMLISTVIEW info{};
    info.iItem = index;
    info.lParam = lParam;
    Notify(LVN_INSERTITEM, info);
    return IsWindow(self) ? index : -1;
}

BOOL ListView::SetItem(const LVITEMW* item)
{
    if (!item || !m_rows.Valid(item->iItem) || item->iSubItem < 0 || item->iSubItem > kMaximumSubItem) {
        LogFailure(L"LVM_SETITEM", L"no such item or sub-item");
        return FALSE;
    }
    if (item->iSubItem > 0) {
        if (item->mask & LVIF_TEXT) {
            m_rows.SetText(item->iItem, item->iSubItem, TextViewOf(item->pszText));
            Changed();
        }
        return TRUE;
    }
    return ChangeItem(item->iItem, *item) ? TRUE : FALSE;
}

BOOL ListView::SetItemText(int index, const LVITEMW* item)
{
    if (!item)
        return FALSE;
    LVITEMW change{};
    change.mask = LVIF_TEXT;
    change.iItem = index;
    change.iSubItem = item->iSubItem;
    change.pszText = item->pszText;
    return SetItem(&change);
}

BOOL ListView::GetItem(LVITEMW* item) const
{
    if (!item || !m_rows.Valid(item->iItem) || item->iSubItem < 0)
        return FALSE;
    if (item->mask & LVIF_TEXT)
        m_rows.CopyText(item->iItem, item->iSubItem, item->pszText, item->cchTextMax);
    if (item->iSubItem > 0)
        return TRUE;
    const ListViewRow& row = m_rows.At(item->iItem);
    if (item->mask & LVIF_PARAM)
        item->lParam = row.lParam;
    if (item->mask & LVIF_STATE)
        item->state = row.state & item->stateMask;
    if (item->mask & LVIF_IMAGE)
        item->iImage = row.image;
    if (item->mask & LVIF_INDENT)
        item->iIndent = row.indent;
    return TRUE;
}

LRESULT ListView::GetItemText(int index, LVITEMW* item) const
{
    if (!item || !m_rows.Valid(index) || item->iSubItem < 0)
        return 0;
    return m_rows.CopyText(index, item->iSubItem, item->pszText, item->cchTextMax);
}

BOOL ListView::DeleteItem(int index)
{
    if (!m_rows.Valid(index)) {
        LogBadIndex(L"LVM_DELETEITEM", index);
        return FALSE;
    }
    HWND self = Self();
    unsigned long long generation = m_rows.Generation();
    NMLISTVIEW info{};
    info.iItem = index;
    info.lParam = m_rows.At(index).lParam;
    Notify(LVN_DELETEITEM, info);
    if (!IsWindow(self) || m_rows.Generation() != generation)
        return FALSE;  // the parent changed the rows meanwhile: the index means another row now
    m_rows.Erase(index);
    if (m_selectionMark == index)
        m_selectionMark = -1;
    else if (m_selectionMark > index)
        --m_selectionMark;
    ClampTop();
    Changed();
    return TRUE;
}

BOOL ListView::DeleteAllItems()
{
    HWND self = Self();
    NMLISTVIEW all{};
    bool suppress = Notify(LVN_DELETEALLITEMS, all) != 0;
    if (!IsWindow(self))
        return FALSE;
    if (!suppress) {
        for (int index = m_rows.Count() - 1; index >= 0; --index) {
            if (index >= m_rows.Count())
                continue;
            NMLISTVIEW info{};
            info.iItem = index;
            info.lParam = m_rows.At(index).lParam;
            Notify(LVN_DELETEITEM, info);
            if (!IsWindow(self))
                return FALSE;
        }
    }
    m_rows.Clear();
    m_selectionMark = -1;
    m_top = 0;
    Changed();
    return TRUE;
}

BOOL ListView::SetItemCount(int count)
{
    m_rows.Reserve(count);
    return TRUE;
}

LRESULT ListView::GetItemState(int index, UINT mask) const
{
    return m_rows.Valid(index) ? static_cast<LRESULT>(m_rows.At(index).state & mask) : 0;
}

LRESULT ListView::SetSelectionMark(int index)
{
    int previous = m_selectionMark;
    m_selectionMark = index;
    return previous;
}

LRESULT ListView::GetNextItem(int start, UINT flags) const
{
    UINT wanted = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    auto matches = [&](int index) { return (m_rows.At(index).state & wanted) == wanted; };
    if (flags & LVNI_ABOVE) {
        for (int index = std::min(start, m_rows.Count()) - 1; index >= 0; --index)
            if (matches(index))
                return index;
        return -1;
    }
    if (flags & (LVNI_TOLEFT | LVNI_TORIGHT))
        return -1;  // report view has one item per row
    // Below, or in index order: the rows after `start`. The focused row and
    // the selection count answer the common questions without a scan.
    int first = std::max(start + 1, 0);
    if (wanted & LVNI_FOCUSED) {
        int focused = m_rows.Focused();
        return focused >= first && matches(focused) ? focused : -1;
    }
    if (wanted == LVNI_SELECTED)
        return m_rows.NextSelected(first - 1);
    if ((wanted & LVNI_SELECTED) && m_rows.SelectedCount() == 0)
        return -1;
    for (int index = first; index < m_rows.Count(); ++index)
        if (matches(index))
            return index;
    return -1;
}

LRESULT ListView::FindItem(int start, const LVFINDINFOW* find) const
{
    if (!find)
        return -1;
    std::wstring_view needle = find->psz ? std::wstring_view(find->psz) : std::wstring_view();
    auto matches = [&](int index) {
        if (find->flags & LVFI_PARAM)
            return m_rows.At(index).lParam == find->lParam;
        if (find->flags & (LVFI_STRING | LVFI_PARTIAL | LVFI_SUBSTRING)) {
            const std::wstring text = m_rows.Text(index, 0);
            if (find->flags & (LVFI_PARTIAL | LVFI_SUBSTRING))
                return text.size() >= needle.size() && EqualIgnoringCase(text.substr(0, needle.size()), needle);
            return EqualIgnoringCase(text, needle);
        }
        return false;
    };
    int first = std::max(start + 1, 0);
    for (int index = first; index < m_rows.Count(); ++index)
        if (matches(index))
            return index;
    if (find->flags & LVFI_WRAP)
        for (int index = 0; index < std::min(first, m_rows.Count()); ++index)
            if (matches(index))
                return index;
    return -1;
}

BOOL ListView::SortItems(PFNLVCOMPARE compare, LPARAM sortParameter, bool byIndex)
{
    if (!compare) {
        LogFailure(L"LVM_SORTITEMS", L"no comparison function");
        return FALSE;
    }
    int count = m_rows.Count();
    if (count < 2)
        return TRUE;
    std::vector<LPARAM> keys(static_cast<size_t>(count));
    for (int index = 0; index < count; ++index)
        keys[static_cast<size_t>(index)] = byIndex ? static_cast<LPARAM>(index) : m_rows.At(index).lParam;
    HWND self = Self();
    unsigned long long generation = m_rows.Generation();
    std::vector<int> order;
    try {
        order = StableSortedOrder(count, [&](int a, int b) {
            return compare(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)], sortParameter) < 0;
        });
    } catch (...) {
        if (IsWindow(self))
            LogFailure(L"LVM_SORTITEMS", L"the comparison threw; the rows keep their order");
        return FALSE;
    }
    if (!IsWindow(self))
        return FALSE;
    if (m_rows.Generation() != generation) {
        LogFailure(L"LVM_SORTITEMS", L"the rows changed during the sort; it is abandoned");
        return FALSE;
    }
    m_rows.Reorder(order);
    if (m_selectionMark >= 0)
        m_selectionMark = static_cast<int>(std::find(order.begin(), order.end(), m_selectionMark) - order.begin());
    Changed();
    return TRUE;
}

// ---------------------------------------------------------------------------
// State changes and their notifications.

bool ListView::ChangeItem(int index, const LVITEMW& change)
{
    HWND self = Self();
    unsigned long long generation = m_rows.Generation();
    auto stillHere = [&] { return IsWindow(self) && m_rows.Generation() == generation; };

    const ListViewRow& row = m_rows.At(index);
    UINT changed = 0;
    UINT oldState = row.state;
    UINT newState = (oldState & ~change.stateMask) | (change.state & change.stateMask);
    std::wstring text;
    if ((change.mask & LVIF_STATE) && newState != oldState)
        changed |= LVIF_STATE;
    if (change.mask & LVIF_TEXT) {
        text = TextOf(change.pszText);
        if (text != m_rows.Text(index, 0))
            changed |= LVIF_TEXT;
    }
    if ((change.mask & LVIF_PARAM) && change.lParam != row.lParam)
        changed |= LVIF_PARAM;
    if ((change.mask & LVIF_IMAGE) && change.iImage != row.image)
        changed |= LVIF_IMAGE;
    if ((change.mask & LVIF_INDENT) && change.iIndent != row.indent)
        changed |= LVIF_INDENT;
    if (!changed)
        return true;

    NMLISTVIEW info{};
    info.iItem = index;
    info.uNewState = (changed & LVIF_STATE) ? newState : 0;
    info.uOldState = (changed & LVIF_STATE) ? oldState : 0;
    info.uChanged = changed;
    info.lParam = row.lParam;
    if (Notify(LVN_ITEMCHANGING, info) != 0 || !stillHere())
        return false;

    bool selects = (changed & LVIF_STATE) && (newState & LVIS_SELECTED) && !(oldState & LVIS_SELECTED);
    if (selects && SingleSelection()) {
        DeselectAllExcept(index);
        if (!stillHere())
            return false;
    }
    int previousFocus = m_rows.Focused();
    if (changed & LVIF_STATE)
        m_rows.SetState(index, (m_rows.At(index).state & ~change.stateMask) | (change.state & change.stateMask));
    if (changed & LVIF_TEXT)
        m_rows.SetText(index, 0, std::move(text));
    if (changed & LVIF_PARAM)
        m_rows.SetParam(index, change.lParam);
    if (changed & LVIF_IMAGE)
        m_rows.SetImage(index, change.iImage);
    if (changed & LVIF_INDENT)
        m_rows.SetIndent(index, change.iIndent);
    Changed();

    bool takesFocus = (changed & LVIF_STATE) && (newState & LVIS_FOCUSED) && !(oldState & LVIS_FOCUSED);
    if (takesFocus) {
        if (previousFocus >= 0 && previousFocus != index) {
            ChangeState(previousFocus, 0, LVIS_FOCUSED);
            if (!stillHere())
                return false;
        }
        EnsureVisible(index);
    }
    info.lParam = m_rows.At(index).lParam;
    Notify(LVN_ITEMCHANGED, info);
    return IsWindow(self);
}

bool ListView::ChangeState(int index, UINT state, UINT mask)
{
    LVITEMW change{};
    change.mask = LVIF_STATE;
    change.iItem = index;
    change.state = state;
    change.stateMask = mask;
    return ChangeItem(index, change);
}

BOOL ListView::SetItemState(int index, const LVITEMW* item)
{
    if (!item) {
        LogFailure(L"LVM_SETITEMSTATE", L"no item record");
        return FALSE;
    }
    if (index != -1) {
        if (!m_rows.Valid(index)) {
            LogBadIndex(L"LVM_SETITEMSTATE", index);
            return FALSE;
        }
        return ChangeState(index, item->state, item->stateMask) ? TRUE : FALSE;
    }
    UINT set = item->state & item->stateMask;
    // Every row at once: selecting all is refused in a single-selection list,
    // focusing all always; clearing the selection visits only selected rows.
    if (((set & LVIS_SELECTED) && SingleSelection()) || (set & LVIS_FOCUSED))
        return FALSE;
    if (item->stateMask == LVIS_SELECTED && set == 0) {
        DeselectAllExcept(-1);
        return TRUE;
    }
    HWND self = Self();
    unsigned long long generation = m_rows.Generation();
    BOOL result = TRUE;
    for (int row = 0; row < m_rows.Count(); ++row) {
        if (!ChangeState(row, item->state, item->stateMask))
            result = FALSE;
        if (!IsWindow(self) || m_rows.Generation() != generation)
            return FALSE;
    }
    return result;
}

void ListView::DeselectAllExcept(int keep)
{
    HWND self = Self();
    unsigned long long generation = m_rows.Generation();
    for (int row = m_rows.NextSelected(-1); row >= 0; row = m_rows.NextSelected(row)) {
        if (row == keep)
            continue;
        ChangeState(row, 0, LVIS_SELECTED);
        if (!IsWindow(self) || m_rows.Generation() != generation)
            return;
    }
}

void ListView::SelectOnly(int index)
{
    HWND self = Self();
    DeselectAllExcept(index);
    if (!IsWindow(self) || !m_rows.Valid(index))
        return;
    ChangeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (IsWindow(self))
        m_selectionMark = index;
}

void ListView::SelectRange(int anchor, int index, bool keepOthers)
{
    HWND self = Self();
    unsigned long long generation = m_rows.Generation();
    auto stillHere = [&] { return IsWindow(self) && m_rows.Generation() == generation; };
    int first = std::min(anchor, index);
    int last = std::max(anchor, index);
    if (!keepOthers) {
        for (int row = m_rows.NextSelected(-1); row >= 0; row = m_rows.NextSelected(row)) {
            if (row >= first && row <= last)
                continue;
            ChangeState(row, 0, LVIS_SELECTED);
            if (!stillHere())
                return;
        }
    }
    for (int row = first; row <= last; ++row) {
        ChangeState(row, LVIS_SELECTED, LVIS_SELECTED);
        if (!stillHere())
            return;
    }
    ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
}

}  // namespace win
