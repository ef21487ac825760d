// Message sequences of the "ListBox" class and its CListBox wrapper.
#include "win/Input.h"
#include "win/Screen.h"
#include "win/controls/CListBox.h"
#include "win/controls/ControlRecorder_test.h"
#include "win/controls/ControlMetrics.h"

#include <gtest/gtest.h>

namespace win::testing {
namespace {

constexpr int kId = 3001;

class ListBoxTest : public ::testing::Test {
protected:
    // Five rows of 16 pixels fit; ten rows are added.
    HWND Make(DWORD style)
    {
        HWND list = recorder.Create(L"ListBox", style, kId, RECT{10, 10, 210, 10 + 5 * kRowHeight});
        for (int row = 0; row < 10; ++row)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"row " + std::to_wstring(row)).c_str()));
        return list;
    }
    void TapRow(HWND list, int row, WPARAM keys = 0)
    {
        ASSERT_EQ(TapPart(list, "row", row, keys), InputResult::Posted);
        Pump();
    }
    std::vector<int> Selected(HWND list)
    {
        std::vector<int> rows(10);
        int count = static_cast<int>(SendMessageW(list, LB_GETSELITEMS, 10, reinterpret_cast<LPARAM>(rows.data())));
        rows.resize(static_cast<size_t>(std::max(count, 0)));
        return rows;
    }
    ControlRecorder recorder;
};

TEST_F(ListBoxTest, TapSelectsTheRowAndNotifiesOnRelease)
{
    HWND list = Make(LBS_NOTIFY);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, kRowHeight + 2));
    Pump();
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(recorder.Matches({}));
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(5, kRowHeight + 2));
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(kId, LBN_SELCHANGE, list)}));
}

TEST_F(ListBoxTest, WithoutNotifyStyleTapsAreSilent)
{
    HWND list = Make(0);
    TapRow(list, 2);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(ListBoxTest, SetCurSelIsSilentAndChecksItsIndex)
{
    HWND list = Make(LBS_NOTIFY);
    EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, 3, 0), 3);
    EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, 10, 0), LB_ERR);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(ListBoxTest, TapBelowTheLastRowLandsOnTheLastRow)
{
    HWND list = recorder.Create(L"ListBox", LBS_NOTIFY, kId, RECT{0, 0, 100, 100});
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"a"));
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"b"));
    TapAt(list, POINT{5, 90});
    Pump();
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
}

TEST_F(ListBoxTest, DoubleTapSendsSelChangeThenDoubleClick)
{
    HWND list = Make(LBS_NOTIFY);
    ASSERT_EQ(TapPart(list, "row", 4, 0, true), InputResult::Posted);
    Pump();
    EXPECT_TRUE(recorder.Matches({Command(kId, LBN_SELCHANGE, list), Command(kId, LBN_DBLCLK, list)}));
}

TEST_F(ListBoxTest, MultipleSelectionTapsToggle)
{
    HWND list = Make(LBS_NOTIFY | LBS_MULTIPLESEL);
    TapRow(list, 1);
    TapRow(list, 3);
    TapRow(list, 1);
    EXPECT_EQ(Selected(list), std::vector<int>{3});
    EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);  // the caret
    EXPECT_EQ(recorder.Log().size(), 3u);
}

TEST_F(ListBoxTest, ExtendedSelectionFollowsControlAndShift)
{
    HWND list = Make(LBS_EXTENDEDSEL);
    TapRow(list, 1);
    TapRow(list, 3, MK_CONTROL);
    EXPECT_EQ(Selected(list), (std::vector<int>{1, 3}));
    TapRow(list, 3, MK_CONTROL);
    EXPECT_EQ(Selected(list), std::vector<int>{1});
    TapRow(list, 4, MK_SHIFT);
    EXPECT_EQ(Selected(list), (std::vector<int>{3, 4}));
    TapRow(list, 0);
    EXPECT_EQ(Selected(list), std::vector<int>{0});
}

TEST_F(ListBoxTest, SelectionMessagesBelongToTheirMode)
{
    HWND single = Make(0);
    HWND multiple = recorder.Create(L"ListBox", LBS_MULTIPLESEL, kId + 1);
    EXPECT_EQ(SendMessageW(single, LB_SETSEL, TRUE, 1), LB_ERR);
    EXPECT_EQ(SendMessageW(single, LB_GETSELCOUNT, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageW(multiple, LB_SETCURSEL, 0, 0), LB_ERR);
    SendMessageW(multiple, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"a"));
    SendMessageW(multiple, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"b"));
    EXPECT_EQ(SendMessageW(multiple, LB_SETSEL, TRUE, -1), 0);
    EXPECT_EQ(SendMessageW(multiple, LB_GETSELCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(multiple, LB_SETSEL, FALSE, 1), 0);
    EXPECT_EQ(SendMessageW(multiple, LB_GETSEL, 1, 0), 0);
    EXPECT_EQ(SendMessageW(multiple, LB_GETSEL, 5, 0), LB_ERR);
}

TEST_F(ListBoxTest, TapPartScrollsTheRowIntoView)
{
    HWND list = Make(0);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
    TapRow(list, 8);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 4);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 8);
    EXPECT_EQ(TapPart(list, "row", 10), InputResult::NoSuchPart);
    EXPECT_EQ(TapPart(list, "column", 0), InputResult::NoSuchPart);
}

TEST_F(ListBoxTest, InsertAndDeleteKeepTheSelectionOnItsRow)
{
    HWND list = Make(0);
    SendMessageW(list, LB_SETCURSEL, 5, 0);
    EXPECT_EQ(SendMessageW(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(L"new")), 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 6);
    EXPECT_EQ(SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"end")), 11);
    EXPECT_EQ(SendMessageW(list, LB_INSERTSTRING, 99, reinterpret_cast<LPARAM>(L"x")), LB_ERR);
    EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, 6, 0), 11);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, 11, 0), LB_ERR);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(ListBoxTest, SortedListBoxPlacesAddedStrings)
{
    HWND list = recorder.Create(L"ListBox", LBS_SORT, kId);
    for (LPCWSTR text : {L"pear", L"Apple", L"banana"})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    wchar_t buffer[16];
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer));
    EXPECT_STREQ(buffer, L"Apple");
    SendMessageW(list, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(buffer));
    EXPECT_STREQ(buffer, L"pear");
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

TEST_F(ListBoxTest, WrapperCoversTheListBoxMessages)
{
    CListBox list;
    CWnd parent;
    ASSERT_TRUE(parent.Attach(recorder.Parent()));
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_EXTENDEDSEL, RECT{0, 0, 100, 100}, &parent, 9));
    parent.Detach();
    EXPECT_EQ(list.AddString(L"one"), 0);
    EXPECT_EQ(list.AddString(L"three"), 1);
    EXPECT_EQ(list.InsertString(1, L"two"), 1);
    EXPECT_EQ(list.GetCount(), 3);
    CString text;
    list.GetText(2, text);
    EXPECT_EQ(text, L"three");
    list.GetText(7, text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(list.GetTextLen(1), 3);
    EXPECT_EQ(list.SetItemData(1, 0xBEEF), 0);
    EXPECT_EQ(list.GetItemData(1), 0xBEEFu);
    EXPECT_EQ(list.SetSel(0), 0);
    EXPECT_EQ(list.SetSel(2), 0);
    EXPECT_EQ(list.GetSel(2), 1);
    EXPECT_EQ(list.GetSelCount(), 2);
    int items[3] = {};
    EXPECT_EQ(list.GetSelItems(3, items), 2);
    EXPECT_EQ(items[1], 2);
    EXPECT_EQ(list.DeleteString(0), 2);
    EXPECT_EQ(list.GetSelCount(), 1);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.SetCurSel(0), LB_ERR);
}

}  // namespace
}  // namespace win::testing
