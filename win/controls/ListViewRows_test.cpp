// The list view's merge sort. Sorting, selection, focus, column moves and
// notifications are checked through the control itself.
#include "win/controls/ListViewRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace win {
namespace {

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

}  // namespace
}  // namespace win
