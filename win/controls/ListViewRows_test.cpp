// The list view's row storage and its merge sort.
#include "win/controls/CommCtrl.h"
#include "win/controls/ListViewRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace win {
namespace {

ListViewRow Row(std::wstring text, UINT state = 0)
{
    ListViewRow row;
    row.cells.Set(0, text);
    row.state = state;
    return row;
}

TEST(StableSortedOrder, KeepsEqualElementsInTheirOrder)
{
    const std::vector<int> keys = {3, 1, 2, 1, 3, 0, 2};
    std::vector<int> order = StableSortedOrder(static_cast<int>(keys.size()), [&](int a, int b) { return keys[a] < keys[b]; });
    EXPECT_EQ(order, (std::vector<int>{5, 1, 3, 2, 6, 0, 4}));
    EXPECT_TRUE(StableSortedOrder(0, [](int, int) { return true; }).empty());
    EXPECT_EQ(StableSortedOrder(1, [](int, int) { return true; }), std::vector<int>{0});
}

TEST(StableSortedOrder, InconsistentComparisonStillGivesAPermutation)
{
    std::mt19937 random(7);
    int calls = 0;
    std::vector<int> order = StableSortedOrder(1000, [&](int, int) {
        ++calls;
        return (random() & 1) != 0;
    });
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int index = 0; index < 1000; ++index)
        ASSERT_EQ(sorted[static_cast<size_t>(index)], index);
    EXPECT_LE(calls, 1000 * 10);  // n log n comparisons at most
}

TEST(ListViewRows, SelectionCountAndFocusFollowEveryChange)
{
    ListViewRows rows;
    rows.Insert(0, Row(L"a"));
    rows.Insert(1, Row(L"b", LVIS_SELECTED));
    rows.Insert(2, Row(L"c", LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(rows.SelectedCount(), 2);
    EXPECT_EQ(rows.Focused(), 2);
    rows.Insert(0, Row(L"front"));
    EXPECT_EQ(rows.Focused(), 3);
    EXPECT_EQ(rows.NextSelected(-1), 2);
    EXPECT_EQ(rows.NextSelected(2), 3);
    EXPECT_EQ(rows.NextSelected(3), -1);
    rows.SetState(2, 0);
    EXPECT_EQ(rows.SelectedCount(), 1);
    rows.Erase(3);
    EXPECT_EQ(rows.SelectedCount(), 0);
    EXPECT_EQ(rows.Focused(), -1);
    EXPECT_EQ(rows.NextSelected(-1), -1);
    rows.Insert(9, Row(L"focused", LVIS_FOCUSED));
    rows.Insert(0, Row(L"steals the focus", LVIS_FOCUSED));
    EXPECT_EQ(rows.Focused(), 0);
    EXPECT_EQ(rows.At(4).state & LVIS_FOCUSED, 0u);
    unsigned long long generation = rows.Generation();
    rows.Clear();
    EXPECT_NE(rows.Generation(), generation);
    EXPECT_EQ(rows.Count(), 0);
}

TEST(ListViewRows, ReorderCarriesTheFocusedRow)
{
    ListViewRows rows;
    for (LPCWSTR text : {L"a", L"b", L"c"})
        rows.Insert(rows.Count(), Row(text));
    rows.SetState(0, LVIS_FOCUSED | LVIS_SELECTED);
    rows.Reorder({2, 0, 1});
    EXPECT_EQ(rows.Text(0, 0), L"c");
    EXPECT_EQ(rows.Text(1, 0), L"a");
    EXPECT_EQ(rows.Focused(), 1);
    EXPECT_EQ(rows.NextSelected(-1), 1);
}

TEST(ListViewRows, TextsOfCellsNeverSetAreEmpty)
{
    ListViewRows rows;
    rows.Insert(0, ListViewRow{});
    EXPECT_EQ(rows.Text(0, 0), L"");
    EXPECT_EQ(rows.Text(0, 5), L"");
    rows.SetText(0, 5, L"");
    EXPECT_EQ(rows.At(0).cells.Count(), 0);  // an empty text does not grow the row
    rows.SetText(0, 2, L"two");
    EXPECT_EQ(rows.Text(0, 2), L"two");
    rows.InsertColumn(1);
    EXPECT_EQ(rows.Text(0, 3), L"two");
    rows.DeleteColumn(3);
    EXPECT_EQ(rows.Text(0, 3), L"");
}

}  // namespace
}  // namespace win
