#include "win/controls/ListViewRows.h"

#include "win/FreedMemory.h"
#include "win/controls/CommCtrl.h"

#include <algorithm>

namespace win {

void ListViewRows::SetState(int index, UINT state)
{
    ListViewRow& row = m_rows[static_cast<size_t>(index)];
    bool wasSelected = (row.state & LVIS_SELECTED) != 0;
    bool selected = (state & LVIS_SELECTED) != 0;
    m_selectedCount += static_cast<int>(selected) - static_cast<int>(wasSelected);
    row.state = state;
    if (state & LVIS_FOCUSED)
        m_focused = index;
    else if (m_focused == index)
        m_focused = -1;
}

int ListViewRows::Insert(int index, ListViewRow row)
{
    index = std::clamp(index, 0, Count());
    if ((row.state & LVIS_FOCUSED) && m_focused >= 0) {
        m_rows[static_cast<size_t>(m_focused)].state &= ~LVIS_FOCUSED;
        m_focused = -1;
    }
    if (m_focused >= index)
        ++m_focused;
    if (row.state & LVIS_SELECTED)
        ++m_selectedCount;
    bool focused = (row.state & LVIS_FOCUSED) != 0;
    m_rows.insert(m_rows.begin() + index, std::move(row));
    if (focused)
        m_focused = index;
    ++m_generation;
    return index;
}

void ListViewRows::Erase(int index)
{
    if (m_rows[static_cast<size_t>(index)].state & LVIS_SELECTED)
        --m_selectedCount;
    if (m_focused == index)
        m_focused = -1;
    else if (m_focused > index)
        --m_focused;
    m_rows.erase(m_rows.begin() + index);
    ++m_generation;
}

void ListViewRows::Clear()
{
    const size_t count = m_rows.size();
    std::vector<ListViewRow>().swap(m_rows);
    ReturnFreedMemory(count);
    m_selectedCount = 0;
    m_focused = -1;
    ++m_generation;
}

void ListViewRows::Reserve(int count)
{
    if (count > 0)
        m_rows.reserve(static_cast<size_t>(count));
}

void ListViewRows::Reorder(const std::vector<int>& order)
{
    // In place, one cycle of the permutation at a time, so a large list
    // needs no second copy of its rows.
    int focused = -1;
    for (size_t position = 0; position < order.size(); ++position)
        if (order[position] == m_focused)
            focused = static_cast<int>(position);
    std::vector<bool> placed(order.size());
    for (size_t start = 0; start < order.size(); ++start) {
        if (placed[start])
            continue;
        ListViewRow held = std::move(m_rows[start]);
        size_t position = start;
        for (;;) {
            placed[position] = true;
            const auto from = static_cast<size_t>(order[position]);
            if (from == start) {
                m_rows[position] = std::move(held);
                break;
            }
            m_rows[position] = std::move(m_rows[from]);
            position = from;
        }
    }
    m_focused = focused;
    ++m_generation;
}

void ListViewRows::InsertColumn(int column)
{
    size_t at = static_cast<size_t>(std::max(column, 1));
    for (ListViewRow& row : m_rows)
        row.cells.InsertEmpty(static_cast<int>(at));
}

void ListViewRows::DeleteColumn(int column)
{
    // As on Windows, deleting column 0 removes the header only: the item
    // texts stay where they are.
    if (column <= 0)
        return;
    for (ListViewRow& row : m_rows)
        row.cells.Erase(column);
}

int ListViewRows::NextSelected(int after) const
{
    if (m_selectedCount == 0)
        return -1;
    for (int index = std::max(after + 1, 0); index < Count(); ++index)
        if (m_rows[static_cast<size_t>(index)].state & LVIS_SELECTED)
            return index;
    return -1;
}

}  // namespace win
