#include "host/widgets/CJogInt64.h"
#include "host/widgets/CJogNumCtrl.h"
#include "host/widgets/WidgetHost_test.h"
#include "win/Input.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

using namespace widget_tests;
using Zone = JogWidget::Zone;

namespace {

// Taps a jog in the middle of one of its zones.
void TapZone(HWND jog, Zone zone)
{
    RECT client{};
    GetClientRect(jog, &client);
    const LONG w = client.right, x[] = {w / 12, w / 4, w / 2, w * 3 / 4, w * 11 / 12};
    ASSERT_EQ(win::InputResult::Posted, win::TapAt(jog, POINT{x[static_cast<int>(zone)], client.bottom / 2}));
    Pump();
}

size_t Changes(const WidgetHost& host, int id)
{
    size_t count = 0;
    for (const Notice& notice : host.notices)
        if (notice.message == WM_COMMAND && notice.id == id && notice.code == JN_CHANGE)
            ++count;
    return count;
}

// Taps each zone in turn and checks the value after it.
void ExpectSteps(CJogNumCtrl& jog, std::initializer_list<std::pair<Zone, double>> steps)
{
    for (const auto& [zone, expected] : steps) {
        TapZone(jog.m_hWnd, zone);
        EXPECT_DOUBLE_EQ(expected, jog.GetValue()) << "after a tap in zone " << static_cast<int>(zone);
    }
}

}  // namespace

TEST(JogZones, SplitTheWidthIntoFiveZonesWithoutGaps)
{
    const std::tuple<int, int, Zone> rows[] = {
        {180, 0, Zone::CoarseDown}, {180, 29, Zone::CoarseDown}, {180, 30, Zone::FineDown}, {180, 59, Zone::FineDown},
        {180, 60, Zone::Middle},    {180, 119, Zone::Middle},    {180, 120, Zone::FineUp},  {180, 149, Zone::FineUp},
        {180, 150, Zone::CoarseUp}, {180, 179, Zone::CoarseUp},
        // A width that does not divide by six loses no pixel either.
        {100, 16, Zone::CoarseDown}, {100, 17, Zone::FineDown},
    };
    for (const auto& [width, x, zone] : rows)
        EXPECT_EQ(zone, JogWidget::ZoneAt(width, x)) << "x " << x << " of " << width;
}

// Taps step by the zone's step (negative steps turn the direction round) and
// stop at the limits; only a real change is reported.
TEST(CJogNumCtrl, StepsWithinTheRangeAndStopsAtTheLimits)
{
    WidgetHost host;
    CJogNumCtrl jog;
    ASSERT_TRUE(jog.AutoLoad(kJogId, &host));
    jog.SetMaxMinValue(100, 1);
    jog.SetStep(10, 1);
    ASSERT_TRUE(jog.SetValue(95));
    ExpectSteps(jog, {{Zone::FineUp, 96}, {Zone::CoarseUp, 100}, {Zone::CoarseUp, 100}, {Zone::FineUp, 100}});
    EXPECT_EQ(2u, Changes(host, kJogId)) << "no change at the limit, no notification";
    ASSERT_TRUE(jog.SetValue(5));
    ExpectSteps(jog, {{Zone::CoarseDown, 1}, {Zone::FineDown, 1}});
    EXPECT_EQ(3u, Changes(host, kJogId));
    EXPECT_EQ(reinterpret_cast<LPARAM>(jog.m_hWnd), host.notices.back().lParam);

    jog.SetMaxMinValue(999, 1);
    jog.SetStep(-10, -1);
    ASSERT_TRUE(jog.SetValue(500));
    ExpectSteps(jog, {{Zone::FineUp, 499}, {Zone::CoarseDown, 509}});
}

// Setters from code refuse what is out of range or the wrong format and send
// nothing; narrowing the range moves the value into it; a middle tap only
// toggles the selection; a disabled jog does not step.
TEST(CJogNumCtrl, SettersMiddleTapsAndDisabledJogsSendNothing)
{
    WidgetHost host;
    CJogNumCtrl jog;
    ASSERT_TRUE(jog.AutoLoad(kJogId, &host));
    jog.SetMaxMinValue(999, 1);
    ASSERT_TRUE(jog.SetValue(500));
    EXPECT_FALSE(jog.SetValue(1000) || jog.SetValue(0.5) || jog.SetValue(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_DOUBLE_EQ(500, jog.GetValue());
    jog.SetMaxMinValue(100, 1);
    EXPECT_DOUBLE_EQ(100, jog.GetValue());
    EXPECT_TRUE(jog.SetValue(jog.GetValue()));
    jog.SetMaxMinValue(1, 50);  // the wrong way round is put in order
    EXPECT_EQ(std::make_tuple(50.0, 1.0, 50.0), std::make_tuple(jog.GetMaxValue(), jog.GetMinValue(), jog.GetValue()));
    // A format for another kind of value is refused; the old one stays.
    jog.SetFormatString(L"%.1f");
    jog.SetFormatString(L"%s");
    jog.SetFormatString(L"%d");
    EXPECT_EQ(L"50.0", jog.GetValueText());

    TapZone(jog.m_hWnd, Zone::Middle);
    EXPECT_TRUE(jog.m_bSelected && win::DescribeControl(jog.m_hWnd).selected.value_or(false));
    TapZone(jog.m_hWnd, Zone::Middle);
    EXPECT_FALSE(jog.m_bSelected);
    EXPECT_DOUBLE_EQ(50, jog.GetValue());

    ::EnableWindow(jog.m_hWnd, FALSE);
    EXPECT_EQ(win::InputResult::Disabled, win::TapAt(jog.m_hWnd, POINT{170, 5}));
    PostMessageW(jog.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    PostMessageW(jog.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    Pump();
    EXPECT_DOUBLE_EQ(50, jog.GetValue());
    EXPECT_TRUE(host.notices.empty());
}

TEST(CJogInt64, StepsSaturateAndTheBoolsNotifyAndDeselect)
{
    WidgetHost host;
    CJogInt64 jog;
    ASSERT_TRUE(jog.AutoLoad(kJogId, &host));
    const __int64 top = std::numeric_limits<__int64>::max();
    jog.SetStep(top, 1);
    ASSERT_TRUE(jog.SetValue(top - 5, false));
    TapZone(jog.m_hWnd, Zone::CoarseUp);
    EXPECT_EQ(top, jog.GetValue(false)) << "no overflow past the largest value";
    ASSERT_TRUE(jog.SetValue(-5, false));
    TapZone(jog.m_hWnd, Zone::CoarseDown);
    EXPECT_EQ(std::numeric_limits<__int64>::min(), jog.GetValue(false)) << "nor past the smallest";
    EXPECT_EQ(2u, Changes(host, kJogId));
    EXPECT_TRUE(jog.SetValue(7, true) && jog.SetValue(7, true));
    EXPECT_EQ(3u, Changes(host, kJogId)) << "SetValue(value, true) reports a change, and only a change";
    EXPECT_EQ(L"7", jog.GetValueText());

    TapZone(jog.m_hWnd, Zone::Middle);
    EXPECT_EQ(7, jog.GetValue(false));
    EXPECT_TRUE(jog.m_bSelected);
    EXPECT_EQ(7, jog.GetValue(true));
    EXPECT_FALSE(jog.m_bSelected);
}
