// Message sequences and layout of the "SysTabControl32" class and CTabCtrl.
#include "win/Input.h"
#include "win/Screen.h"
#include "win/controls/CTabCtrl.h"
#include "win/controls/ControlRecorder_test.h"

#include <gtest/gtest.h>

namespace win::testing {
namespace {

constexpr int kId = 4001;

class TabControlTest : public ::testing::Test {
protected:
    HWND Make(std::initializer_list<LPCWSTR> texts)
    {
        HWND tabs = recorder.Create(L"SysTabControl32", 0, kId, RECT{0, 0, 549, 307});
        int index = 0;
        for (LPCWSTR text : texts)
            Insert(tabs, index++, text);
        return tabs;
    }
    static LRESULT Insert(HWND tabs, int index, LPCWSTR text)
    {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPWSTR>(text);
        return SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    static std::wstring Text(HWND tabs, int index)
    {
        wchar_t buffer[32] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = 32;
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    ControlRecorder recorder;
};

TEST_F(TabControlTest, TapSendsSelChangingThenSelChange)
{
    HWND tabs = Make({L"one", L"two", L"three"});
    LRESULT duringChanging = -2;
    LRESULT duringChange = -2;
    recorder.OnCode(TCN_SELCHANGING, [&] { duringChanging = SendMessageW(tabs, TCM_GETCURSEL, 0, 0); });
    recorder.OnCode(TCN_SELCHANGE, [&] { duringChange = SendMessageW(tabs, TCM_GETCURSEL, 0, 0); });
    ASSERT_EQ(TapPart(tabs, "tab", 2), InputResult::Posted);
    Pump();
    EXPECT_TRUE(recorder.Matches({Notify(kId, TCN_SELCHANGING), Notify(kId, TCN_SELCHANGE), Notify(kId, NM_CLICK)}));
    EXPECT_EQ(duringChanging, 0);
    EXPECT_EQ(duringChange, 2);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2);
}

TEST_F(TabControlTest, NonZeroSelChangingVetoesTheChange)
{
    HWND tabs = Make({L"one", L"two"});
    recorder.Answer(TCN_SELCHANGING, TRUE);
    TapPart(tabs, "tab", 1);
    Pump();
    EXPECT_TRUE(recorder.Matches({Notify(kId, TCN_SELCHANGING), Notify(kId, NM_CLICK)}));
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
}

TEST_F(TabControlTest, TapOnTheSelectedTabOrBesideTheTabsChangesNothing)
{
    HWND tabs = Make({L"one", L"two"});
    TapPart(tabs, "tab", 0);
    TapAt(tabs, POINT{500, 10});
    TapAt(tabs, POINT{10, 200});
    Pump();
    EXPECT_TRUE(recorder.Matches({Notify(kId, NM_CLICK), Notify(kId, NM_CLICK), Notify(kId, NM_CLICK)}));
    EXPECT_EQ(TapPart(tabs, "tab", 2), InputResult::NoSuchPart);
}

TEST_F(TabControlTest, SetCurSelIsSilentAndAnswersThePreviousSelection)
{
    HWND tabs = Make({L"one", L"two", L"three"});
    EXPECT_EQ(SendMessageW(tabs, TCM_SETCURSEL, 2, 0), 0);
    EXPECT_EQ(SendMessageW(tabs, TCM_SETCURSEL, 1, 0), 2);
    EXPECT_EQ(SendMessageW(tabs, TCM_SETCURSEL, 3, 0), -1);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(TabControlTest, InsertionBeyondTheCountAppendsAndKeepsTheSelectedTab)
{
    HWND tabs = Make({});
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), -1);
    // The system dialog's order: indexes 0, 2, 4, 1, 3, 5.
    EXPECT_EQ(Insert(tabs, 0, L"A"), 0);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);  // the first tab is selected
    EXPECT_EQ(Insert(tabs, 2, L"C"), 1);
    EXPECT_EQ(Insert(tabs, 4, L"E"), 2);
    EXPECT_EQ(Insert(tabs, 1, L"B"), 1);
    EXPECT_EQ(Insert(tabs, 3, L"D"), 3);
    EXPECT_EQ(Insert(tabs, 5, L"F"), 5);
    EXPECT_EQ(Insert(tabs, -1, L"bad"), -1);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 6);
    for (int index = 0; index < 6; ++index)
        EXPECT_EQ(Text(tabs, index), std::wstring(1, static_cast<wchar_t>(L'A' + index)));
    SendMessageW(tabs, TCM_SETCURSEL, 3, 0);
    Insert(tabs, 0, L"front");
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 4);
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(TabControlTest, DeletingTheSelectedTabLeavesNoneSelected)
{
    HWND tabs = Make({L"one", L"two", L"three"});
    SendMessageW(tabs, TCM_SETCURSEL, 2, 0);
    EXPECT_TRUE(SendMessageW(tabs, TCM_DELETEITEM, 0, 0));
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(SendMessageW(tabs, TCM_DELETEITEM, 1, 0));
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), -1);
    EXPECT_FALSE(SendMessageW(tabs, TCM_DELETEITEM, 5, 0));
    EXPECT_TRUE(SendMessageW(tabs, TCM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(TabControlTest, ItemsAreAsWideAsTheirTextOrTheSetWidth)
{
    HWND tabs = Make({L"測定モード", L"ab"});
    // Width 10 and height 32, as the system dialog sets them.
    LRESULT previous = SendMessageW(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(10, 32));
    EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(previous)), 0);
    EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(previous)), 20);
    RECT first{};
    RECT second{};
    ASSERT_TRUE(SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)));
    ASSERT_TRUE(SendMessageW(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second)));
    EXPECT_EQ(first.left, 2);
    EXPECT_EQ(first.top, 2);
    EXPECT_EQ(first.bottom, 34);
    EXPECT_EQ(first.right - first.left, 5 * 12 + 12);  // five full-width characters and padding
    EXPECT_EQ(second.left, first.right);
    EXPECT_EQ(second.right - second.left, 2 * 6 + 12);
    SendMessageW(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(100, 0));
    SendMessageW(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(second.right - second.left, 100);
    EXPECT_EQ(second.bottom - second.top, 32);  // a zero height keeps the height
    RECT missing{};
    EXPECT_FALSE(SendMessageW(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&missing)));
}

TEST_F(TabControlTest, AdjustRectConvertsBetweenWindowAndDisplayArea)
{
    HWND tabs = Make({L"one"});
    SendMessageW(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(10, 32));
    RECT rect{0, 0, 549, 307};
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.left, 4);
    EXPECT_EQ(rect.top, 4 + 32);
    EXPECT_EQ(rect.right, 545);
    EXPECT_EQ(rect.bottom, 303);
    SendMessageW(tabs, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 549);
    EXPECT_EQ(rect.bottom, 307);
    EXPECT_EQ(SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, 0), -1);
}

TEST_F(TabControlTest, ItemDataAndStateRoundTrip)
{
    HWND tabs = Make({L"one"});
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM | TCIF_STATE;
    item.pszText = const_cast<LPWSTR>(L"renamed");
    item.lParam = 42;
    item.dwState = TCIS_HIGHLIGHTED;
    item.dwStateMask = TCIS_HIGHLIGHTED;
    EXPECT_TRUE(SendMessageW(tabs, TCM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_FALSE(SendMessageW(tabs, TCM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
    TCITEMW read{};
    read.mask = TCIF_PARAM | TCIF_STATE;
    read.dwStateMask = 0xFF;
    ASSERT_TRUE(SendMessageW(tabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&read)));
    EXPECT_EQ(read.lParam, 42);
    EXPECT_EQ(read.dwState, TCIS_HIGHLIGHTED);
    EXPECT_EQ(Text(tabs, 0), L"renamed");
}

TEST_F(TabControlTest, ParentMayDeleteTheTabsWhileTheSelectionIsChanging)
{
    HWND tabs = Make({L"one", L"two"});
    recorder.OnCode(TCN_SELCHANGING, [&] { SendMessageW(tabs, TCM_DELETEALLITEMS, 0, 0); });
    TapPart(tabs, "tab", 1);
    Pump();
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), -1);
    EXPECT_TRUE(recorder.Matches({Notify(kId, TCN_SELCHANGING), Notify(kId, NM_CLICK)}));
}

TEST_F(TabControlTest, ScreenShowsTabsAndCurrent)
{
    HWND tabs = Make({L"one", L"two"});
    SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
    ScreenControl described = DescribeControl(tabs);
    EXPECT_EQ(described.className, "tab");
    EXPECT_EQ(described.tabs, (std::vector<std::wstring>{L"one", L"two"}));
    EXPECT_EQ(described.current, 1);
}

TEST_F(TabControlTest, WrapperDrivesTheTabControl)
{
    CTabCtrl tabs;
    CWnd parent;
    ASSERT_TRUE(parent.Attach(recorder.Parent()));
    ASSERT_TRUE(tabs.Create(WS_VISIBLE, RECT{0, 0, 400, 300}, &parent, kId));
    parent.Detach();
    EXPECT_TRUE(tabs.DeleteAllItems());
    SIZE size;
    size.cx = 10;
    size.cy = 32;
    SIZE previous = tabs.SetItemSize(size);
    EXPECT_EQ(previous.cy, 20);
    EXPECT_EQ(tabs.InsertItem(0, L"first"), 0);
    EXPECT_EQ(tabs.InsertItem(9, L"second"), 1);
    EXPECT_EQ(tabs.GetItemCount(), 2);
    RECT item{};
    ASSERT_TRUE(tabs.GetItemRect(0, &item));
    RECT display{};
    tabs.GetClientRect(&display);
    display.top += item.bottom;
    tabs.AdjustRect(FALSE, &display);
    EXPECT_EQ(display.top, 34 + 4 + 32);
    EXPECT_EQ(tabs.SetCurSel(1), 0);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    TCHITTESTINFO hit{};
    hit.pt = POINT{item.left + 1, item.top + 1};
    EXPECT_EQ(tabs.HitTest(&hit), 0);
    EXPECT_EQ(hit.flags, TCHT_ONITEM);
    EXPECT_TRUE(recorder.Matches({}));
}

}  // namespace
}  // namespace win::testing
