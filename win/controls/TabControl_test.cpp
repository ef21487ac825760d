// Message sequences and layout of the "SysTabControl32" class and CTabCtrl.
#include "win/Input.h"
#include "win/controls/CTabCtrl.h"
#include "win/controls/ControlRecorder_test.h"

#include <gtest/gtest.h>

#include <array>

namespace win::testing {
namespace {

constexpr int kId = 4001;

LRESULT Send(HWND tabs, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendMessageW(tabs, message, wParam, lParam);
}

LRESULT Insert(HWND tabs, int index, LPCWSTR text)
{
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(text);
    return Send(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

using Edges = std::array<LONG, 4>;
Edges EdgesOf(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

std::wstring Texts(HWND tabs)
{
    std::wstring texts;
    for (int index = 0; index < Send(tabs, TCM_GETITEMCOUNT); ++index) {
        wchar_t buffer[32] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = 32;
        Send(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        texts += buffer + std::wstring(L"|");
    }
    return texts;
}

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
    ControlRecorder recorder;
};

TEST_F(TabControlTest, TapSendsSelChangingThenSelChange)
{
    HWND tabs = Make({L"one", L"two", L"three"});
    LRESULT duringChanging = -2;
    LRESULT duringChange = -2;
    recorder.OnCode(TCN_SELCHANGING, [&] { duringChanging = Send(tabs, TCM_GETCURSEL); });
    recorder.OnCode(TCN_SELCHANGE, [&] { duringChange = Send(tabs, TCM_GETCURSEL); });
    ASSERT_EQ(TapPart(tabs, "tab", 2), InputResult::Posted);
    Pump();
    EXPECT_TRUE(recorder.Matches({Notify(kId, TCN_SELCHANGING), Notify(kId, TCN_SELCHANGE), Notify(kId, NM_CLICK)}));
    EXPECT_EQ(duringChanging, 0);
    EXPECT_EQ(duringChange, 2);
    EXPECT_EQ(Send(tabs, TCM_GETCURSEL), 2);
}

TEST_F(TabControlTest, TapsThatChangeNothing)
{
    const Logged changing = Notify(kId, TCN_SELCHANGING);
    const Logged click = Notify(kId, NM_CLICK);
    const struct {
        const char* name;
        std::function<void(HWND)> act;
        std::vector<Logged> heard;
        LRESULT selected;
    } cases[] = {
        {"a non-zero answer to TCN_SELCHANGING vetoes",
         [&](HWND tabs) { recorder.Answer(TCN_SELCHANGING, TRUE), TapPart(tabs, "tab", 1); }, {changing, click}, 0},
        {"the parent deletes the tabs while the selection changes",
         [&](HWND tabs) {
             recorder.OnCode(TCN_SELCHANGING, [tabs] { Send(tabs, TCM_DELETEALLITEMS); });
             TapPart(tabs, "tab", 1);
         },
         {changing, click}, -1},
        {"taps on the selected tab, beside and below the tabs",
         [](HWND tabs) { TapPart(tabs, "tab", 0), TapAt(tabs, POINT{500, 10}), TapAt(tabs, POINT{10, 200}); },
         {click, click, click}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND tabs = Make({L"one", L"two"});
        recorder.Clear();
        c.act(tabs);
        Pump();
        EXPECT_TRUE(recorder.Matches(c.heard));
        EXPECT_EQ(Send(tabs, TCM_GETCURSEL), c.selected);
        EXPECT_EQ(TapPart(tabs, "tab", 2), InputResult::NoSuchPart);
        recorder.Answer(TCN_SELCHANGING, FALSE);
        recorder.OnCode(TCN_SELCHANGING, nullptr);
        DestroyWindow(tabs);
    }
}

// The system dialog inserts its tabs out of order; the frame's tests read the
// strip that results.
TEST_F(TabControlTest, InsertDeleteAndSetCurSelKeepTheSelectedTabAndAreSilent)
{
    HWND tabs = Make({});
    EXPECT_EQ(Send(tabs, TCM_GETCURSEL), -1);
    EXPECT_EQ(Insert(tabs, 0, L"A"), 0);
    EXPECT_EQ(Send(tabs, TCM_GETCURSEL), 0);  // the first tab is selected
    EXPECT_EQ(Insert(tabs, 2, L"C"), 1);
    EXPECT_EQ(Insert(tabs, -1, L"bad"), -1);
    EXPECT_EQ(Send(tabs, TCM_SETCURSEL, 1), 0);  // answers the previous selection
    EXPECT_EQ(Send(tabs, TCM_SETCURSEL, 2), -1);
    Insert(tabs, 0, L"front");
    EXPECT_EQ(Send(tabs, TCM_GETCURSEL), 2);
    EXPECT_EQ(Texts(tabs), L"front|A|C|");
    EXPECT_TRUE(Send(tabs, TCM_DELETEITEM, 2));
    EXPECT_EQ(Send(tabs, TCM_GETCURSEL), -1) << "deleting the selected tab leaves none selected";
    EXPECT_FALSE(Send(tabs, TCM_DELETEITEM, 5));
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(TabControlTest, ItemsAreAsWideAsTheirTextOrTheSetWidth)
{
    HWND tabs = Make({L"測定モード", L"ab"});
    // Width 10 and height 32, as the system dialog sets them.
    LRESULT previous = Send(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(10, 32));
    EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(previous)), 0);
    EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(previous)), 20);
    RECT first{};
    RECT second{};
    ASSERT_TRUE(Send(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)));
    ASSERT_TRUE(Send(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second)));
    // Five full-width characters and padding, then two half-width ones.
    EXPECT_EQ(EdgesOf(first), (Edges{2, 2, 2 + 5 * 12 + 12, 34}));
    EXPECT_EQ(EdgesOf(second), (Edges{first.right, 2, first.right + 2 * 6 + 12, 34}));
    Send(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(100, 0));
    Send(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(second.right - second.left, 100);
    EXPECT_EQ(second.bottom - second.top, 32);  // a zero height keeps the height
    RECT missing{};
    EXPECT_FALSE(Send(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&missing)));

    RECT rect{0, 0, 549, 307};
    Send(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(10, 32));
    Send(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(EdgesOf(rect), (Edges{4, 4 + 32, 545, 303}));
    Send(tabs, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(EdgesOf(rect), (Edges{0, 0, 549, 307}));
    EXPECT_EQ(Send(tabs, TCM_ADJUSTRECT, FALSE, 0), -1);
}

// The layout the system dialog computes through the wrapper.
TEST_F(TabControlTest, WrapperDrivesTheTabControl)
{
    CTabCtrl tabs;
    CWnd parent;
    ASSERT_TRUE(parent.Attach(recorder.Parent()));
    ASSERT_TRUE(tabs.Create(WS_VISIBLE, RECT{0, 0, 400, 300}, &parent, kId));
    parent.Detach();
    EXPECT_EQ(tabs.SetItemSize(SIZE{10, 32}).cy, 20);
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
    EXPECT_TRUE(recorder.Matches({}));
}

}  // namespace
}  // namespace win::testing
