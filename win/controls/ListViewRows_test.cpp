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
    EXPECT_LE(calls, 1000 * 11);  // a pass to find the runs, then n a level of merges
}

TEST(StableSortedOrder, RunsInOrderOrReversedCostOnePassAndEqualKeysKeepTheirOrder)
{
    const struct {
        std::vector<int> keys;
        std::vector<int> order;
        int mostCalls;
    } cases[] = {
        {{1, 2, 2, 3, 5}, {0, 1, 2, 3, 4}, 4},   // sorted: one pass
        {{9, 7, 4, 2, 1}, {4, 3, 2, 1, 0}, 4},   // strictly descending: reversed in one pass
        {{3, 3, 1, 1, 2}, {2, 3, 4, 0, 1}, 12},  // a descending run with ties is split, not reversed
        {{2, 1, 2, 1, 0}, {4, 1, 3, 0, 2}, 12},
    };
    for (const auto& test : cases) {
        int calls = 0;
        const std::vector<int> order = StableSortedOrder(static_cast<int>(test.keys.size()), [&](int a, int b) {
            ++calls;
            return test.keys[static_cast<size_t>(a)] < test.keys[static_cast<size_t>(b)];
        });
        EXPECT_EQ(order, test.order);
        EXPECT_LE(calls, test.mostCalls);
    }
}

TEST(ListViewCells, TextsKeepEveryCharacterWhateverTheirWidthAndLength)
{
    const std::wstring longText(300, L'x');  // a length that needs two bytes
    ListViewCells cells;
    cells.Set(0, L"WAVE000123.FSD");
    cells.Set(2, L"2024/05/14 17:30:00");
    EXPECT_EQ(cells.Count(), 3);
    EXPECT_EQ(cells.Text(1), L"") << "a cell skipped over is empty";
    cells.Set(1, longText);
    cells.Set(3, L"");
    EXPECT_EQ(cells.Count(), 3) << "an empty text does not grow the row";
    cells.Set(1, L"測定😀");  // beyond one byte: the row widens and keeps the rest
    EXPECT_EQ(cells.Text(0), L"WAVE000123.FSD");
    EXPECT_EQ(cells.Text(1), L"測定😀");
    EXPECT_EQ(cells.Text(2), L"2024/05/14 17:30:00");
    cells.Set(1, longText);
    EXPECT_EQ(cells.Text(1), longText);
    EXPECT_EQ(cells.Text(2), L"2024/05/14 17:30:00");
    wchar_t buffer[5];
    EXPECT_EQ(cells.Copy(0, buffer, 5), 4);
    EXPECT_STREQ(buffer, L"WAVE");
    cells.InsertEmpty(1);
    EXPECT_EQ(cells.Text(2), longText);
    cells.Erase(0);
    EXPECT_EQ(cells.Text(0), L"");
    EXPECT_EQ(cells.Text(2), L"2024/05/14 17:30:00");
    EXPECT_EQ(cells.Text(7), L"");
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
