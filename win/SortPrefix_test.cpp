#include "win/SortPrefix.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(SortPrefixTest, PrefixesOrderAsTheirTextsOrHoldTheWholeText)
{
    // order: of a's prefix against b's; 0 leaves the order to the whole texts
    // unless both are whole.
    const struct {
        const wchar_t* a;
        const wchar_t* b;
        bool fold;
        int order;
        bool wholeA;
        bool wholeB;
    } cases[] = {
        {L"abc", L"abd", false, -1, true, true},
        {L"ab", L"abc", false, -1, true, true},               // a shorter text first
        {L"", L"a", false, -1, true, true},
        {L"Zeta", L"apple", false, -1, true, true},           // 'Z' is below 'a'
        {L"Zeta", L"apple", true, 1, true, true},             // folded, "ZETA" is above "APPLE"
        {L"_x", L"ax", true, 1, true, true},                  // '_' is above every folded letter
        {L"Report.TXT", L"report.txt", true, 0, true, true},
        {L"abz", L"abé", false, -1, true, false},             // beyond ASCII: above it, never whole
        {L"abé", L"abü", false, 0, false, false},
        {L"長い.txt", L"短い.txt", false, 0, false, false},
        {L"0123456789abcdef", L"0123456789abcdefg", false, 0, true, false},  // 16 characters fit
        {L"0123456789abcdeX", L"0123456789abcdef", false, -1, true, true},  // the 16th counts
    };
    for (const auto& c : cases) {
        const win::SortPrefix a = win::PackSortPrefix(c.a, c.fold);
        const win::SortPrefix b = win::PackSortPrefix(c.b, c.fold);
        const auto keyA = std::tie(a.high, a.low);
        const auto keyB = std::tie(b.high, b.low);
        const int order = keyA < keyB ? -1 : (keyB < keyA ? 1 : 0);
        const std::string label = testing::PrintToString(std::wstring(c.a) + L" ~ " + c.b);
        EXPECT_EQ(order, c.order) << label;
        EXPECT_EQ(a.whole, c.wholeA) << label;
        EXPECT_EQ(b.whole, c.wholeB) << label;
    }
}

}  // namespace
