// The list view's row storage and its merge sort. Sorting, column moves and
// notifications are checked through the control itself.
#include "win/controls/CommCtrl.h"
#include "win/controls/ListViewRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace win {
namespace {

ListViewRow Row(UINT state = 0)
{
    ListViewRow row;
    row.state = state;
    return row;
}

TEST(StableSortedOrder, EdgesAndAnInconsistentComparisonStillGiveAPermutation)
{
    EXPECT_TRUE(StableSortedOrder(0, [](int, int) { return true; }).empty());
    EXPECT_EQ(StableSortedOrder(1, [](int, int) { return true; }), std::vector<int>{0});
    std::mt19937 random(7);
    int calls = 0;
    std::vector<int> order = StableSortedOrder(1000, [&](int, int) {
        ++calls;
        return (random() & 1) != 0;
    });
    std::sort(order.begin(), order.end());
    for (int index = 0; index < 1000; ++index)
        ASSERT_EQ(order[static_cast<size_t>(index)], index);
    EXPECT_LE(calls, 1000 * 10);  // n log n comparisons at most
}

TEST(ListViewRows, SelectionCountAndFocusFollowEveryChange)
{
    ListViewRows rows;
    rows.Insert(0, Row());
    rows.Insert(1, Row(LVIS_SELECTED));
    rows.Insert(2, Row(LVIS_SELECTED | LVIS_FOCUSED));
    rows.Insert(0, Row());
    EXPECT_EQ(rows.SelectedCount(), 2);
    EXPECT_EQ(rows.Focused(), 3);
    EXPECT_EQ(rows.NextSelected(-1), 2);
    EXPECT_EQ(rows.NextSelected(2), 3);
    EXPECT_EQ(rows.NextSelected(3), -1);
    rows.SetState(2, 0);
    rows.Erase(3);
    EXPECT_EQ(rows.SelectedCount(), 0);
    EXPECT_EQ(rows.Focused(), -1);
    rows.Insert(9, Row(LVIS_FOCUSED));
    rows.Insert(0, Row(LVIS_FOCUSED));
    EXPECT_EQ(rows.Focused(), 0) << "a row inserted focused takes the focus";
    EXPECT_EQ(rows.At(4).state & LVIS_FOCUSED, 0u);
}

}  // namespace
}  // namespace win
