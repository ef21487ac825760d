#include "win/WindowPlacement.h"

#include "win/controls/StandardControls.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowPlacementTest, MinimiseAndRestoreKeepTheWindowAndItsRectangle)
{
    win::RegisterStandardControls();
    HWND window = CreateWindowExW(0, L"Static", L"top", WS_POPUP | WS_VISIBLE, 10, 20, 100, 50, nullptr, 0, nullptr,
                                  nullptr);
    ASSERT_NE(window, nullptr);
    WINDOWPLACEMENT placement{};
    EXPECT_FALSE(GetWindowPlacement(window, &placement)) << "the length must be set";
    placement.length = sizeof placement;
    ASSERT_TRUE(GetWindowPlacement(window, &placement));
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWNORMAL));

    struct Step { int showCmd; bool iconic, visible; };
    const Step steps[] = {{SW_MINIMIZE, true, true}, {SW_RESTORE, false, true}, {SW_SHOWMINIMIZED, true, true},
                          {SW_HIDE, true, false},    {SW_RESTORE, false, true}};
    for (const Step& step : steps) {
        placement.showCmd = static_cast<UINT>(step.showCmd);
        ASSERT_TRUE(SetWindowPlacement(window, &placement)) << step.showCmd;
        EXPECT_EQ(IsIconic(window) != FALSE, step.iconic) << step.showCmd;
        EXPECT_EQ(IsWindowVisible(window) != FALSE, step.visible) << step.showCmd;
        RECT rect{};
        GetWindowRect(window, &rect);
        EXPECT_EQ(rect.left + rect.top + rect.right + rect.bottom, 10 + 20 + 110 + 70) << step.showCmd;
    }
    WINDOWPLACEMENT shortRecord = placement;
    shortRecord.length = 4;
    EXPECT_FALSE(SetWindowPlacement(window, &shortRecord));
    DestroyWindow(window);
    EXPECT_FALSE(SetWindowPlacement(window, &placement));
    EXPECT_FALSE(IsIconic(window));
}

}  // namespace
