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
    EXPECT_LE(calls, 1000 * 10);  // n log n comparisons at most
}

}  // namespace
}  // namespace win
