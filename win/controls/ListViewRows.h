// The rows of a list view. Rows sit in one vector, so appending is amortised
// O(1) and reading by index O(1); the number of selected rows and the focused
// row are kept in step with every state change, so neither question scans
// the rows. Only ListView changes them, and it alone sends notifications.
#pragma once

#include "win/Win32Types.h"

#include <functional>
#include <string>
#include <vector>

namespace win {

struct ListViewRow {
    std::vector<std::wstring> cells;  // cell 0 is the item's text, cell n sub-item n; may be short
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
    const std::wstring& Text(int index, int subItem) const;

    void SetText(int index, int subItem, std::wstring text);
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
std::vector<int> StableSortedOrder(int count, const std::function<bool(int, int)>& less);

}  // namespace win
