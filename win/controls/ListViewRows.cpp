#include "win/controls/ListViewRows.h"

#include "win/controls/CommCtrl.h"

#include <algorithm>
#include <numeric>

namespace win {

const std::wstring& ListViewRows::Text(int index, int subItem) const
{
    static const std::wstring empty;
    const auto& cells = m_rows[static_cast<size_t>(index)].cells;
    return subItem >= 0 && subItem < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(subItem)] : empty;
}

void ListViewRows::SetText(int index, int subItem, std::wstring text)
{
    auto& cells = m_rows[static_cast<size_t>(index)].cells;
    if (subItem >= static_cast<int>(cells.size())) {
        if (text.empty())
            return;
        cells.resize(static_cast<size_t>(subItem) + 1);
    }
    cells[static_cast<size_t>(subItem)] = std::move(text);
}

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
    m_rows.clear();
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
    std::vector<ListViewRow> reordered;
    reordered.reserve(m_rows.size());
    int focused = -1;
    for (size_t position = 0; position < order.size(); ++position) {
        int from = order[position];
        if (from == m_focused)
            focused = static_cast<int>(position);
        reordered.push_back(std::move(m_rows[static_cast<size_t>(from)]));
    }
    m_rows = std::move(reordered);
    m_focused = focused;
    ++m_generation;
}

void ListViewRows::InsertColumn(int column)
{
    size_t at = static_cast<size_t>(std::max(column, 1));
    for (ListViewRow& row : m_rows)
        if (row.cells.size() > at)
            row.cells.insert(row.cells.begin() + static_cast<std::ptrdiff_t>(at), std::wstring());
}

void ListViewRows::DeleteColumn(int column)
{
    // As on Windows, deleting column 0 removes the header only: the item
    // texts stay where they are.
    if (column <= 0)
        return;
    for (ListViewRow& row : m_rows)
        if (row.cells.size() > static_cast<size_t>(column))
            row.cells.erase(row.cells.begin() + column);
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

std::vector<int> StableSortedOrder(int count, const std::function<bool(int, int)>& less)
{
    std::vector<int> order(static_cast<size_t>(std::max(count, 0)));
    std::iota(order.begin(), order.end(), 0);
    std::vector<int> buffer(order.size());
    // Bottom-up merge sort: runs of width 1, 2, 4, ... merged into the buffer
    // and swapped back. Taking from the right run only when it is strictly
    // less keeps equal rows in their order.
    for (size_t width = 1; width < order.size(); width *= 2) {
        for (size_t left = 0; left < order.size(); left += 2 * width) {
            size_t middle = std::min(left + width, order.size());
            size_t right = std::min(left + 2 * width, order.size());
            size_t i = left;
            size_t j = middle;
            size_t out = left;
            while (i < middle && j < right)
                buffer[out++] = less(order[j], order[i]) ? order[j++] : order[i++];
            while (i < middle)
                buffer[out++] = order[i++];
            while (j < right)
                buffer[out++] = order[j++];
        }
        order.swap(buffer);
    }
    return order;
}

}  // namespace win
