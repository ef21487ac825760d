#include "host/widgets/CChoiceChannel.h"
#include "host/widgets/WidgetHost_test.h"
#include "win/Input.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace widget_tests;

namespace {

constexpr UINT kPanelMessage = 1124;
constexpr UINT kPanelWParam = 14000;

struct PanelFixture {
    WidgetHost host;
    CChoiceChannel panel;

    PanelFixture()
    {
        host.watched = kPanelMessage;
        panel.ShowExtButtons(true);
        panel.SetNotify(kPanelMessage, kPanelWParam, reinterpret_cast<LPARAM>(&panel), nullptr);
        EXPECT_TRUE(panel.Create(&host));
        panel.SetChoiceMode(CChoiceChannel::ChoiceMultiple);
    }

    win::InputResult TapItem(int index, const char* part = "item")
    {
        win::InputResult result = win::TapPart(panel.m_hWnd, part, index);
        Pump();
        return result;
    }
};

}  // namespace

// Toggling channels and its notices are the recording page's story; here the
// taps that change nothing.
TEST(CChoiceChannel, DisabledAndMissingItemsChangeNothing)
{
    PanelFixture fixture;
    CChoiceChannel& panel = fixture.panel;
    panel.EnableItem(3, false);
    fixture.TapItem(3);
    EXPECT_EQ(0u, panel.m_dwSelectMask);
    EXPECT_TRUE(fixture.host.notices.empty());
    EXPECT_EQ(win::InputResult::NoSuchPart, fixture.TapItem(18));
    EXPECT_EQ(win::InputResult::NoSuchPart, fixture.TapItem(-1));
}

// The extra buttons select every enabled channel or none.
TEST(CChoiceChannel, ExtraButtonsSelectAllEnabledOrNone)
{
    PanelFixture fixture;
    CChoiceChannel& panel = fixture.panel;
    for (int slot = 4; slot < 16; ++slot)
        panel.EnableItem(slot, false);
    fixture.TapItem(0, "ext");
    EXPECT_EQ(0x3000Fu, panel.m_dwSelectMask);
    fixture.TapItem(1, "ext");
    EXPECT_EQ(0u, panel.m_dwSelectMask);
    fixture.TapItem(1, "ext");
    EXPECT_EQ(2u, fixture.host.notices.size()) << "clearing an empty selection is no change";
}

TEST(CChoiceChannel, DescribesLabelsSelectionAndDisabledItems)
{
    PanelFixture fixture;
    CChoiceChannel& panel = fixture.panel;
    panel.SetLabel(0, L"電圧");
    panel.SetLabel(1, L"--");
    panel.EnableItem(1, false);
    panel.SetLabel(16, nullptr);
    panel.SetLabel(99, L"ignored");
    panel.m_dwSelectMask = (1u << 0) | (1u << 16);
    panel.Redraw();
    win::ScreenControl shown = win::DescribeControl(panel.m_hWnd);
    EXPECT_EQ("channels", shown.className);
    ASSERT_EQ(18u, shown.rows.size());
    EXPECT_EQ(L"電圧 -- CH3 EVENT EXT", shown.rows[0][0] + L" " + shown.rows[1][0] + L" " + shown.rows[2][0] + L" " +
                                            shown.rows[16][0] + L" " + shown.rows[17][0]);
    EXPECT_EQ((std::vector<int>{0, 16}), shown.selectedRows);
    const std::pair<std::string, std::wstring> disabled{"disabled", L"1"};
    EXPECT_NE(std::find(shown.extra.begin(), shown.extra.end(), disabled), shown.extra.end());
    // Changes from code are not reported.
    EXPECT_TRUE(fixture.host.notices.empty());
}

TEST(CChoiceChannel, CreateNeedsAParentAndHappensOnce)
{
    CChoiceChannel orphan;
    EXPECT_FALSE(orphan.Create(nullptr));
    WidgetHost host;
    CChoiceChannel panel(&host);
    EXPECT_TRUE(panel.Create(nullptr)) << "the constructor's parent is used";
    EXPECT_FALSE(panel.Create(&host));
}
