// The rows of a list view. Rows sit in one vector, so appending is amortised
// O(1) and reading by index O(1); the number of selected rows and the focused
// row are kept in step with every state change, so neither question scans
// the rows. Only ListView changes them, and it alone sends notifications.
// A row's texts are one compact string (ListViewCells.h), so sorting moves
// rows of a few words each.
#pragma once

#include "win/Win32Types.h"
#include "win/controls/ListViewCells.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace win {

struct ListViewRow {
    ListViewCells cells;  // cell 0 is the item's text, cell n sub-item n; may be short
    LPARAM lParam = 0;
    UINT state = 0;                   // LVIS_* bits
    int image = 0;
    int indent = 0;
};

class ListViewRows {
public:
    int Count() const { return static_cast<int>(m_rows.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    const ListViewRow& At(int index) const { return m_rows[static_cast<size_t>(index)]; }
    // The cell's text; empty for a cell never set.
    std::wstring Text(int index, int subItem) const { return m_rows[static_cast<size_t>(index)].cells.Text(subItem); }
    // Into a buffer of `size` characters, terminated; the characters copied.
    int CopyText(int index, int subItem, LPWSTR buffer, int size) const
    {
        return m_rows[static_cast<size_t>(index)].cells.Copy(subItem, buffer, size);
    }

    void SetText(int index, int subItem, std::wstring_view text)
    {
        m_rows[static_cast<size_t>(index)].cells.Set(subItem, text);
    }
    void SetParam(int index, LPARAM lParam) { m_rows[static_cast<size_t>(index)].lParam = lParam; }
    void SetImage(int index, int image) { m_rows[static_cast<size_t>(index)].image = image; }
    void SetIndent(int index, int indent) { m_rows[static_cast<size_t>(index)].indent = indent; }
    // Sets the LVIS_* bits of a row. A row that gains LVIS_FOCUSED becomes the
    // focused row; the previous one keeps its bit until the caller clears it.
    void SetState(int index, UINT state);

    // Inserts at `index` (clamped to the end) and returns where the row went.
    // A row inserted focused takes the focus from the focused row silently.
    int Insert(int index, ListViewRow row);
    void Erase(int index);
    void Clear();
    void Reserve(int count);
    // Puts the rows in a new order: row i becomes the row that was at order[i].
    void Reorder(const std::vector<int>& order);

    // A column inserted before or deleted at `column` moves the sub-item
    // texts after it. Column 0 holds the item's own text, which never moves.
    void InsertColumn(int column);
    void DeleteColumn(int column);

    int SelectedCount() const { return m_selectedCount; }
    int Focused() const { return m_focused; }
    // The first selected row after `after` (-1: from the top), or -1.
    int NextSelected(int after) const;

    // Counts inserts, deletions and reorders, so that code that called out
    // (a notification, a sort callback) can tell that the rows moved meanwhile.
    unsigned long long Generation() const { return m_generation; }

private:
    std::vector<ListViewRow> m_rows;
    int m_selectedCount = 0;
    int m_focused = -1;
    unsigned long long m_generation = 0;
};

// A stable merge sort of the indexes 0..count-1 by `less`. Whatever `less`
// answers (even inconsistently) it makes O(n log n) calls and never reads
// outside the range, so an ill-behaved callback cannot corrupt memory.
// Runs already in order (or in strictly reverse order) are taken as they
// are, so sorting a sorted list, or reversing it, costs n - 1 calls.
template <class Less>
std::vector<int> StableSortedOrder(int count, Less less)
{
    const size_t size = static_cast<size_t>(std::max(count, 0));
    std::vector<int> order(size);
    std::iota(order.begin(), order.end(), 0);
    // The natural runs: where each starts, and the end.
    std::vector<size_t> runs;
    for (size_t start = 0; start < size;) {
        size_t end = start + 1;
        if (end < size && less(order[end], order[start])) {
            while (end + 1 < size && less(order[end + 1], order[end]))
                ++end;
            std::reverse(order.begin() + static_cast<std::ptrdiff_t>(start),
                         order.begin() + static_cast<std::ptrdiff_t>(end + 1));
            ++end;
        } else {
            if (end < size)
                ++end;  // that pair was just found in order
            while (end < size && !less(order[end], order[end - 1]))
                ++end;
        }
        runs.push_back(start);
        start = end;
    }
    runs.push_back(size);
    // Neighbouring runs merged pairwise until one is left. Taking from the
    // right run only when it is strictly less keeps equal rows in order.
    std::vector<int> buffer(size);
    while (runs.size() > 2) {
        std::vector<size_t> merged;
        for (size_t run = 0; run + 1 < runs.size(); run += 2) {
            const size_t left = runs[run];
            const size_t middle = runs[run + 1];
            const size_t right = run + 2 < runs.size() ? runs[run + 2] : middle;
            size_t i = left;
            size_t j = middle;
            size_t out = left;
            while (i < middle && j < right)
                buffer[out++] = less(order[j], order[i]) ? order[j++] : order[i++];
            while (i < middle)
                buffer[out++] = order[i++];
            while (j < right)
                buffer[out++] = order[j++];
            merged.push_back(left);
        }
        merged.push_back(size);
        order.swap(buffer);
        runs.swap(merged);
    }
    return order;
}

}  // namespace win
