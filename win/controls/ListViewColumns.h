// The columns of a list view in report mode: header texts, formats and
// widths, laid out left to right from x = 0 in index order.
#pragma once

#include "win/controls/CommCtrl.h"

#include <string>
#include <vector>

namespace win {

struct ListViewColumn {
    std::wstring text;
    int format = LVCFMT_LEFT;
    int width = 0;
    int subItem = 0;
    int image = 0;
};

class ListViewColumns {
public:
    int Count() const { return static_cast<int>(m_columns.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    const ListViewColumn& At(int index) const { return m_columns[static_cast<size_t>(index)]; }
    ListViewColumn& At(int index) { return m_columns[static_cast<size_t>(index)]; }

    // Inserts at `index` (clamped to the end) and returns where it went.
    int Insert(int index, ListViewColumn column);
    void Erase(int index);

    int Left(int index) const;
    int TotalWidth() const { return Left(Count()); }
    // The column under x, or -1 left of the first and right of the last.
    int ColumnAt(int x) const;

private:
    std::vector<ListViewColumn> m_columns;
};

}  // namespace win
