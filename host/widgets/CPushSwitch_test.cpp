#include "host/widgets/CHandButton.h"
#include "host/widgets/CPushSwitch.h"
#include "host/widgets/WidgetHost_test.h"
#include "win/Input.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace widget_tests;

namespace {

bool ShownSelected(HWND hwnd)
{
    win::ScreenControl control = win::DescribeControl(hwnd);
    EXPECT_EQ("pushswitch", control.className);
    return control.selected.value_or(false);
}

}  // namespace

TEST(CPushSwitch, CodeChangesTheStateSilentlyAndAControlTakesOneWidget)
{
    WidgetHost host;
    CPushSwitch sw;
    CPushSwitch second;
    EXPECT_FALSE(sw.AutoLoad(4711, &host) || sw.AutoLoad(kSwitchA, nullptr));
    ASSERT_TRUE(sw.AutoLoad(kSwitchA, &host));
    EXPECT_FALSE(second.AutoLoad(kSwitchA, &host));
    sw.Select(1);
    EXPECT_TRUE(ShownSelected(sw.m_hWnd));
    EXPECT_EQ(static_cast<LRESULT>(BST_CHECKED), SendMessageW(sw.m_hWnd, BM_GETCHECK, 0, 0));
    SendMessageW(sw.m_hWnd, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(0, sw.GetSelect());
    EXPECT_FALSE(ShownSelected(sw.m_hWnd));
    Pump();
    EXPECT_TRUE(host.notices.empty()) << "setting the state from code sends nothing";
}

// A tap shows the switch latched while the parent handles its one click;
// what the parent then selects (or leaves) is the state.
TEST(CPushSwitch, TapShowsLatchedWhileTheParentDecidesAndSendsOneClick)
{
    enum Parent { Confirms, DoesNothing, Releases };
    const std::tuple<int, Parent, int> rows[] = {
        {0, Confirms, 1}, {0, DoesNothing, 0}, {1, DoesNothing, 1}, {1, Releases, 0}};
    for (const auto& [before, parent, after] : rows) {
        SCOPED_TRACE("from " + std::to_string(before) + ", parent " + std::to_string(parent));
        WidgetHost host;
        CPushSwitch sw;
        ASSERT_TRUE(sw.AutoLoad(kSwitchA, &host));
        sw.Select(before);
        bool latchedDuringHandler = false;
        host.onNotice = [&, parent = parent](const Notice&) {
            latchedDuringHandler = sw.GetSelect() == 1;
            if (parent != DoesNothing)
                sw.Select(parent == Confirms ? 1 : 0);
        };
        ASSERT_EQ(win::InputResult::Posted, win::Tap(sw.m_hWnd));
        Pump();
        ASSERT_EQ(1u, host.notices.size()) << "the button underneath must not add a click of its own";
        const Notice& click = host.notices[0];
        EXPECT_TRUE(click.message == WM_COMMAND && click.id == kSwitchA && click.code == BN_CLICKED);
        EXPECT_EQ(reinterpret_cast<LPARAM>(sw.m_hWnd), click.lParam);
        EXPECT_TRUE(latchedDuringHandler);
        EXPECT_EQ(after, sw.GetSelect());
        EXPECT_EQ(after == 1, ShownSelected(sw.m_hWnd));
    }
}

TEST(CPushSwitch, ReleaseOutsideOrAfterDisablingIsNoTap)
{
    WidgetHost host;
    CPushSwitch sw;
    ASSERT_TRUE(sw.AutoLoad(kSwitchA, &host));
    // Pressed inside, released outside.
    PostMessageW(sw.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(sw.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
    Pump();
    EXPECT_TRUE(host.notices.empty());
    // Pressed, then disabled before the release.
    PostMessageW(sw.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Pump();
    ::EnableWindow(sw.m_hWnd, FALSE);
    PostMessageW(sw.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_TRUE(host.notices.empty());
    EXPECT_EQ(win::InputResult::Disabled, win::Tap(sw.m_hWnd));
    EXPECT_EQ(0, sw.GetSelect());
    // A release without a press is nothing either.
    ::EnableWindow(sw.m_hWnd, TRUE);
    PostMessageW(sw.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump();
    EXPECT_TRUE(host.notices.empty());
}

TEST(CPushSwitch, HandlerThatDestroysTheDialogIsSurvived)
{
    WidgetHost host;
    CPushSwitch sw;
    ASSERT_TRUE(sw.AutoLoad(kSwitchA, &host));
    HWND self = sw.m_hWnd;
    host.onNotice = [&](const Notice&) { host.DestroyWindow(); };
    win::Tap(self);
    Pump();
    EXPECT_EQ(1u, host.notices.size());
    EXPECT_FALSE(IsWindow(self));
    EXPECT_EQ(nullptr, sw.m_hWnd);
}

TEST(CHandButton, TapSendsOneClickAndShowsTheHand)
{
    WidgetHost host;
    CHandButton hand;
    ASSERT_TRUE(hand.AutoLoad(kHandId, &host));
    win::ScreenControl described = win::DescribeControl(hand.m_hWnd);
    EXPECT_EQ("hand", described.className);
    EXPECT_EQ(L"手", described.text);
    win::Tap(hand.m_hWnd);
    win::DoubleTap(hand.m_hWnd);
    Pump();
    ASSERT_EQ(3u, host.notices.size()) << "a tap and a double tap are three presses";
    for (const Notice& notice : host.notices) {
        EXPECT_EQ(kHandId, notice.id);
        EXPECT_EQ(BN_CLICKED, notice.code);
    }
    SendMessageW(hand.m_hWnd, BM_CLICK, 0, 0);
    EXPECT_EQ(4u, host.notices.size());
}
