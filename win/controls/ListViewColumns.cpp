#include "win/controls/ListViewColumns.h"

#include <algorithm>

namespace win {

int ListViewColumns::Insert(int index, ListViewColumn column)
{
    index = std::clamp(index, 0, Count());
    m_columns.insert(m_columns.begin() + index, std::move(column));
    return index;
}

void ListViewColumns::Erase(int index) { m_columns.erase(m_columns.begin() + index); }

int ListViewColumns::Left(int index) const
{
    int left = 0;
    for (int i = 0; i < index && i < Count(); ++i)
        left += std::max(0, m_columns[static_cast<size_t>(i)].width);
    return left;
}

int ListViewColumns::ColumnAt(int x) const
{
    if (x < 0)
        return -1;
    int left = 0;
    for (int i = 0; i < Count(); ++i) {
        int right = left + std::max(0, m_columns[static_cast<size_t>(i)].width);
        if (x < right)
            return i;
        left = right;
    }
    return -1;
}

}  // namespace win
