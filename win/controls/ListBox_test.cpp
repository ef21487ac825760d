// Message sequences of the "ListBox" class and its CListBox wrapper.
#include "win/Input.h"
#include "win/Screen.h"
#include "win/controls/ControlRecorder_test.h"
#include "win/controls/ControlMetrics.h"

#include <gtest/gtest.h>

namespace win::testing {
namespace {

constexpr int kId = 3001;

LRESULT Send(HWND list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendMessageW(list, message, wParam, lParam);
}

LRESULT Add(HWND list, LPCWSTR text) { return Send(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }

class ListBoxTest : public ::testing::Test {
protected:
    // Five rows of 16 pixels fit; ten rows are added.
    HWND Make(DWORD style, int id = kId)
    {
        HWND list = recorder.Create(L"ListBox", style, id, RECT{10, 10, 210, 10 + 5 * kRowHeight});
        for (int row = 0; row < 10; ++row)
            Add(list, (L"row " + std::to_wstring(row)).c_str());
        return list;
    }
    void TapRow(HWND list, int row, WPARAM keys = 0)
    {
        ASSERT_EQ(TapPart(list, "row", row, keys), InputResult::Posted);
        Pump();
    }
    static std::vector<int> Selected(HWND list)
    {
        std::vector<int> rows(10);
        int count = static_cast<int>(Send(list, LB_GETSELITEMS, 10, reinterpret_cast<LPARAM>(rows.data())));
        rows.resize(static_cast<size_t>(std::max(count, 0)));
        return rows;
    }
    ControlRecorder recorder;
};

TEST_F(ListBoxTest, TapSelectsOnPressAndNotifiesOnReleaseOnlyWithNotifyStyle)
{
    HWND list = Make(LBS_NOTIFY);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, kRowHeight + 2));
    Pump();
    EXPECT_EQ(Send(list, LB_GETCURSEL), 1);
    EXPECT_TRUE(recorder.Matches({}));
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(5, kRowHeight + 2));
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(kId, LBN_SELCHANGE, list)}));
    recorder.Clear();
    ASSERT_EQ(TapPart(list, "row", 4, 0, true), InputResult::Posted);
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(kId, LBN_SELCHANGE, list), Command(kId, LBN_DBLCLK, list)}));

    HWND silent = Make(0, kId + 1);
    recorder.Clear();
    TapRow(silent, 2);
    EXPECT_EQ(Send(silent, LB_GETCURSEL), 2);
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(ListBoxTest, TapBelowTheLastRowLandsOnTheLastRow)
{
    HWND list = recorder.Create(L"ListBox", LBS_NOTIFY, kId, RECT{0, 0, 100, 100});
    Add(list, L"a");
    Add(list, L"b");
    TapAt(list, POINT{5, 90});
    Pump();
    EXPECT_EQ(Send(list, LB_GETCURSEL), 1);
}

// Multiple selection toggles on each tap; extended selection follows Control
// and Shift; each mode refuses the other's messages.
TEST_F(ListBoxTest, SelectionModes)
{
    HWND multiple = Make(LBS_NOTIFY | LBS_MULTIPLESEL);
    TapRow(multiple, 1);
    TapRow(multiple, 3);
    TapRow(multiple, 1);
    EXPECT_EQ(Selected(multiple), std::vector<int>{3});
    EXPECT_EQ(Send(multiple, LB_GETCURSEL), 1);  // the caret
    EXPECT_EQ(recorder.Log().size(), 3u);
    EXPECT_EQ(Send(multiple, LB_SETCURSEL), LB_ERR);
    EXPECT_EQ(Send(multiple, LB_SETSEL, FALSE, -1), 0);
    EXPECT_EQ(Send(multiple, LB_GETSELCOUNT), 0);

    HWND extended = Make(LBS_EXTENDEDSEL, kId + 1);
    TapRow(extended, 1);
    TapRow(extended, 3, MK_CONTROL);
    EXPECT_EQ(Selected(extended), (std::vector<int>{1, 3}));
    TapRow(extended, 4, MK_SHIFT);
    EXPECT_EQ(Selected(extended), (std::vector<int>{3, 4}));

    HWND single = Make(0, kId + 2);
    EXPECT_EQ(Send(single, LB_SETSEL, TRUE, 1), LB_ERR);
    EXPECT_EQ(Send(single, LB_GETSELCOUNT), LB_ERR);
}

TEST_F(ListBoxTest, TapPartScrollsTheRowIntoView)
{
    HWND list = Make(0);
    EXPECT_EQ(Send(list, LB_GETTOPINDEX), 0);
    TapRow(list, 8);
    EXPECT_EQ(Send(list, LB_GETTOPINDEX), 4);
    EXPECT_EQ(Send(list, LB_GETCURSEL), 8);
    EXPECT_EQ(TapPart(list, "row", 10), InputResult::NoSuchPart);
    EXPECT_EQ(TapPart(list, "column", 0), InputResult::NoSuchPart);
}

// Changes from code send nothing; the selection stays on its row or goes with it.
TEST_F(ListBoxTest, SetCurSelInsertAndDeleteAreSilentAndCheckTheirIndex)
{
    HWND list = Make(LBS_NOTIFY);
    EXPECT_EQ(Send(list, LB_SETCURSEL, 5), 5);
    EXPECT_EQ(Send(list, LB_SETCURSEL, 10), LB_ERR);
    EXPECT_EQ(Send(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"new")), 0);
    EXPECT_EQ(Send(list, LB_GETCURSEL), 6);
    EXPECT_EQ(Send(list, LB_INSERTSTRING, 99, reinterpret_cast<LPARAM>(L"x")), LB_ERR);
    EXPECT_EQ(Send(list, LB_DELETESTRING, 6), 10);
    EXPECT_EQ(Send(list, LB_GETCURSEL), LB_ERR);
    Send(list, LB_SETCURSEL, 3);
    EXPECT_EQ(Send(list, LB_SETCURSEL, static_cast<WPARAM>(-1)), LB_ERR);
    EXPECT_EQ(Send(list, LB_GETCURSEL), LB_ERR);
    Send(list, LB_RESETCONTENT);
    EXPECT_EQ(Send(list, LB_GETCOUNT), 0);
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(ListBoxTest, ScreenShowsRowsAndSelection)
{
    HWND list = Make(LBS_MULTIPLESEL);
    SendMessageW(list, LB_SETSEL, TRUE, 2);
    SendMessageW(list, LB_SETSEL, TRUE, 7);
    ScreenControl described = DescribeControl(list);
    EXPECT_EQ(described.className, "listbox");
    ASSERT_EQ(described.rows.size(), 10u);
    EXPECT_EQ(described.rows[7], std::vector<std::wstring>{L"row 7"});
    EXPECT_EQ(described.selectedRows, (std::vector<int>{2, 7}));
    EXPECT_EQ(described.topRow, 0);
}

}  // namespace
}  // namespace win::testing
