// Message sequences of the "SysListView32" class: taps, state changes,
// insertion and deletion, sorting and scrolling.
#include "win/Input.h"
#include "win/Screen.h"
#include "win/controls/ControlMetrics.h"
#include "win/controls/ControlRecorder_test.h"

#include <gtest/gtest.h>

namespace win::testing {
namespace {

constexpr int kId = 5001;
constexpr UINT kFocused = LVIS_FOCUSED;
constexpr UINT kSelected = LVIS_SELECTED;
constexpr UINT kBoth = LVIS_FOCUSED | LVIS_SELECTED;

std::wstring Text(HWND list, int index, int subItem = 0)
{
    wchar_t buffer[64] = {};
    LVITEMW item{};
    item.iSubItem = subItem;
    item.pszText = buffer;
    item.cchTextMax = 64;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

class ListViewTest : public ::testing::Test {
protected:
    // Two columns of 100 pixels; the header and five rows fit.
    HWND Make(DWORD style, int rows = 10)
    {
        HWND list = recorder.Create(L"SysListView32", LVS_REPORT | style, kId,
                                    RECT{0, 0, 300, kHeaderHeight + 5 * kRowHeight});
        AddColumn(list, 0, L"name", 100);
        AddColumn(list, 1, L"size", 100);
        for (int row = 0; row < rows; ++row)
            AddRow(list, row, L"row " + std::to_wstring(row), row * 10);
        recorder.Clear();
        return list;
    }
    static void AddColumn(HWND list, int index, LPCWSTR text, int width)
    {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<LPWSTR>(text);
        column.cx = width;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
    }
    static LRESULT AddRow(HWND list, int index, const std::wstring& text, LPARAM lParam)
    {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = index;
        item.pszText = const_cast<LPWSTR>(text.c_str());
        item.lParam = lParam;
        return SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    static BOOL SetState(HWND list, int index, UINT state, UINT mask)
    {
        LVITEMW item{};
        item.state = state;
        item.stateMask = mask;
        return static_cast<BOOL>(SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    }
    static UINT State(HWND list, int index)
    {
        return static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(index), kBoth));
    }
    static LPARAM Param(HWND list, int index)
    {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = index;
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return item.lParam;
    }
    static std::vector<int> Selected(HWND list)
    {
        std::vector<int> rows;
        for (int row = -1; (row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0;)
            rows.push_back(row);
        return rows;
    }
    void TapRow(HWND list, int row, WPARAM keys = 0, bool twice = false)
    {
        ASSERT_EQ(TapPart(list, "row", row, keys, twice), InputResult::Posted);
        Pump();
    }
    ControlRecorder recorder;
};

// ---------------------------------------------------------------------------
// Taps.

TEST_F(ListViewTest, TapSequences)
{
    struct Tap {
        int row;           // -1: below the rows
        WPARAM keys = 0;
    };
    const struct {
        const char* story;
        DWORD style;
        DWORD extended;
        std::vector<Tap> before;  // taps whose notifications are not checked
        Tap tap;
        bool twice;
        POINT at;                 // when the tap is not on a row's first column
        std::vector<Logged> sent;
        std::vector<int> selected;
    } cases[] = {
        {"first tap: focus, selection, click", LVS_SINGLESEL, 0, {}, {2}, false, {},
         {Notify(kId, NM_SETFOCUS), StateNotify(kId, LVN_ITEMCHANGING, 2, kBoth, 0),
          StateNotify(kId, LVN_ITEMCHANGED, 2, kBoth, 0), ClickNotify(kId, NM_CLICK, 2, 0)},
         {2}},
        {"single selection: Ctrl does not add; selection moves, then the focus", LVS_SINGLESEL, 0, {{2}},
         {4, MK_CONTROL}, false, {},
         {StateNotify(kId, LVN_ITEMCHANGING, 2, kFocused, kBoth), StateNotify(kId, LVN_ITEMCHANGED, 2, kFocused, kBoth),
          StateNotify(kId, LVN_ITEMCHANGING, 4, kBoth, 0), StateNotify(kId, LVN_ITEMCHANGING, 2, 0, kFocused),
          StateNotify(kId, LVN_ITEMCHANGED, 2, 0, kFocused), StateNotify(kId, LVN_ITEMCHANGED, 4, kBoth, 0),
          ClickNotify(kId, NM_CLICK, 4, 0)},
         {4}},
        {"multiple selection: Ctrl adds the row", 0, 0, {{1}}, {3, MK_CONTROL}, false, {},
         {StateNotify(kId, LVN_ITEMCHANGING, 3, kBoth, 0), StateNotify(kId, LVN_ITEMCHANGING, 1, kSelected, kBoth),
          StateNotify(kId, LVN_ITEMCHANGED, 1, kSelected, kBoth), StateNotify(kId, LVN_ITEMCHANGED, 3, kBoth, 0),
          ClickNotify(kId, NM_CLICK, 3, 0)},
         {1, 3}},
        {"below the rows: the selection goes, the click names no item", 0, 0, {{0}, {1, MK_CONTROL}}, {-1}, false,
         {10, kHeaderHeight + 4 * kRowHeight},
         {StateNotify(kId, LVN_ITEMCHANGING, 0, 0, kSelected), StateNotify(kId, LVN_ITEMCHANGED, 0, 0, kSelected),
          StateNotify(kId, LVN_ITEMCHANGING, 1, kFocused, kBoth), StateNotify(kId, LVN_ITEMCHANGED, 1, kFocused, kBoth),
          ClickNotify(kId, NM_CLICK, -1, 0)},
         {}},
        {"beside column 0 without full-row select: no row", 0, 0, {}, {-1}, false, {150, kHeaderHeight + 1},
         {Notify(kId, NM_SETFOCUS), ClickNotify(kId, NM_CLICK, -1, 0)}, {}},
        {"beside column 0 with full-row select: the row", 0, LVS_EX_FULLROWSELECT, {}, {-1}, false,
         {150, kHeaderHeight + 1},
         {Notify(kId, NM_SETFOCUS), StateNotify(kId, LVN_ITEMCHANGING, 0, kBoth, 0),
          StateNotify(kId, LVN_ITEMCHANGED, 0, kBoth, 0), ClickNotify(kId, NM_CLICK, 0, 1)},
         {0}},
        {"double tap: click, double click, activation", 0, 0, {}, {2}, true, {},
         {Notify(kId, NM_SETFOCUS), StateNotify(kId, LVN_ITEMCHANGING, 2, kBoth, 0),
          StateNotify(kId, LVN_ITEMCHANGED, 2, kBoth, 0), ClickNotify(kId, NM_CLICK, 2, 0),
          ClickNotify(kId, NM_DBLCLK, 2, 0), ClickNotify(kId, LVN_ITEMACTIVATE, 2, 0)},
         {2}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.story);
        HWND list = Make(test.style, 2 + 3 * static_cast<int>(test.at.y == 0));
        SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, test.extended);
        for (const Tap& tap : test.before)
            TapRow(list, tap.row, tap.keys);
        recorder.Clear();
        if (test.tap.row >= 0) {
            TapRow(list, test.tap.row, test.tap.keys, test.twice);
        } else {
            TapAt(list, test.at);
            Pump();
        }
        EXPECT_TRUE(recorder.Matches(test.sent));
        EXPECT_EQ(Selected(list), test.selected);
        EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), static_cast<LRESULT>(test.selected.size()));
        DestroyWindow(list);
    }
}

TEST_F(ListViewTest, CtrlTogglesShiftSelectsFromTheMarkAPlainTapSelectsOne)
{
    HWND list = Make(0);
    TapRow(list, 1);
    TapRow(list, 3, MK_CONTROL);
    TapRow(list, 1, MK_CONTROL);
    EXPECT_EQ(Selected(list), std::vector<int>{3});
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 1);
    TapRow(list, 0);
    EXPECT_EQ(Selected(list), std::vector<int>{0});
    TapRow(list, 2, MK_SHIFT);
    EXPECT_EQ(Selected(list), (std::vector<int>{0, 1, 2}));
    TapRow(list, 1, MK_SHIFT);
    EXPECT_EQ(Selected(list), (std::vector<int>{0, 1}));
}

TEST_F(ListViewTest, ClickCarriesTheKeysAndTheItemData)
{
    HWND list = Make(0);
    NMITEMACTIVATE seen{};
    recorder.OnNotify(NM_CLICK, [&](const NMHDR& header) { seen = reinterpret_cast<const NMITEMACTIVATE&>(header); });
    TapRow(list, 3, MK_CONTROL);
    EXPECT_EQ(seen.hdr.hwndFrom, list);
    EXPECT_EQ(seen.hdr.idFrom, static_cast<UINT_PTR>(kId));
    EXPECT_EQ(seen.iItem, 3);
    EXPECT_EQ(seen.lParam, 30);
    EXPECT_EQ(seen.uKeyFlags, LVKF_CONTROL);
    EXPECT_EQ(seen.ptAction.y, kHeaderHeight + 3 * kRowHeight + kRowHeight / 2);
}

TEST_F(ListViewTest, HeaderTapSendsColumnClickOnlyWhenReleasedOnTheCellOfASortingHeader)
{
    HWND list = Make(0);
    ASSERT_EQ(TapPart(list, "column", 1), InputResult::Posted);
    Pump();
    EXPECT_TRUE(recorder.Matches({ColumnClick(kId, 1)}));  // no NM_SETFOCUS: the header takes no focus
    EXPECT_NE(GetFocus(), list);
    EXPECT_EQ(TapPart(list, "column", 2), InputResult::NoSuchPart);
    recorder.Clear();
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(150, 5));  // released over another cell
    Pump();
    HWND unsorted = Make(LVS_NOSORTHEADER);
    TapPart(unsorted, "column", 0);
    Pump();
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(ListViewTest, TapPartScrollsTheRowIntoViewAndADisabledListTakesNoTaps)
{
    HWND list = Make(0, 50);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0), 5);
    TapRow(list, 40);
    EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 36);
    EXPECT_EQ(Selected(list), std::vector<int>{40});
    TapRow(list, 3);
    EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 3);
    EXPECT_EQ(TapPart(list, "row", 50), InputResult::NoSuchPart);
    EnableWindow(list, FALSE);
    recorder.Clear();
    EXPECT_EQ(TapPart(list, "row", 1), InputResult::Disabled);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, kHeaderHeight + 2));
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(10, kHeaderHeight + 2));
    Pump();
    EXPECT_TRUE(recorder.Matches({}));
}

// ---------------------------------------------------------------------------
// State changes from code.

TEST_F(ListViewTest, SetItemStateNotifiesLikeATapAndRefusesWhatWindowsRefuses)
{
    HWND list = Make(0, 3);
    EXPECT_TRUE(SetState(list, 1, kSelected, kSelected));
    EXPECT_TRUE(SetState(list, 1, kSelected, kSelected));  // no change, no notification
    EXPECT_TRUE(recorder.Matches({
        StateNotify(kId, LVN_ITEMCHANGING, 1, kSelected, 0),
        StateNotify(kId, LVN_ITEMCHANGED, 1, kSelected, 0),
    }));
    recorder.Clear();
    EXPECT_TRUE(SetState(list, -1, kSelected, kSelected));
    EXPECT_TRUE(recorder.Matches({
        StateNotify(kId, LVN_ITEMCHANGING, 0, kSelected, 0),
        StateNotify(kId, LVN_ITEMCHANGED, 0, kSelected, 0),
        StateNotify(kId, LVN_ITEMCHANGING, 2, kSelected, 0),
        StateNotify(kId, LVN_ITEMCHANGED, 2, kSelected, 0),
    }));
    EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 3);
    EXPECT_TRUE(SetState(list, -1, 0, kSelected));
    EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    EXPECT_EQ(recorder.Log().size(), 10u);

    HWND single = Make(LVS_SINGLESEL, 3);
    EXPECT_FALSE(SetState(single, -1, kSelected, kSelected));
    EXPECT_FALSE(SetState(single, -1, kFocused, kFocused));
    EXPECT_FALSE(SetState(single, 3, kSelected, kSelected));
    EXPECT_TRUE(recorder.Matches({}));
    SetState(single, 0, kSelected, kSelected);
    SetState(single, 2, kSelected, kSelected);
    EXPECT_EQ(Selected(single), std::vector<int>{2}) << "selecting from code deselects the other row";
}

TEST_F(ListViewTest, NonZeroItemChangingVetoesTheChange)
{
    HWND list = Make(0, 3);
    recorder.Answer(LVN_ITEMCHANGING, TRUE);
    EXPECT_FALSE(SetState(list, 1, kSelected, kSelected));
    EXPECT_EQ(State(list, 1), 0u);
    EXPECT_TRUE(recorder.Matches({StateNotify(kId, LVN_ITEMCHANGING, 1, kSelected, 0)}));
    recorder.Clear();
    recorder.Ignore(NM_SETFOCUS);
    TapRow(list, 2);
    EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    EXPECT_TRUE(recorder.Matches({StateNotify(kId, LVN_ITEMCHANGING, 2, kBoth, 0), ClickNotify(kId, NM_CLICK, 2, 0)}));
}

TEST_F(ListViewTest, ItemTextChangeOfTheItemNotifiesSubItemsDoNot)
{
    HWND list = Make(0, 2);
    LVITEMW item{};
    item.iSubItem = 1;
    item.pszText = const_cast<LPWSTR>(L"12 KB");
    EXPECT_TRUE(SendMessageW(list, LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_TRUE(recorder.Matches({}));
    item.iSubItem = 0;
    item.pszText = const_cast<LPWSTR>(L"renamed");
    EXPECT_TRUE(SendMessageW(list, LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_TRUE(recorder.Matches({ItemNotify(kId, LVN_ITEMCHANGING, 0, "changed 1"),
                                  ItemNotify(kId, LVN_ITEMCHANGED, 0, "changed 1")}));
    EXPECT_EQ(Text(list, 0), L"renamed");
    EXPECT_EQ(Text(list, 0, 1), L"12 KB");
    EXPECT_FALSE(SendMessageW(list, LVM_SETITEMTEXTW, 5, reinterpret_cast<LPARAM>(&item)));
}

TEST_F(ListViewTest, ParentMayEmptyTheListWhileAStateChangesOrDestroyItOnAClick)
{
    HWND list = Make(0, 3);
    recorder.OnCode(LVN_ITEMCHANGING, [&] { SendMessageW(list, LVM_DELETEALLITEMS, 0, 0); });
    EXPECT_FALSE(SetState(list, 1, kSelected, kSelected));
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    HWND other = Make(0, 3);
    recorder.OnCode(NM_CLICK, [&] { DestroyWindow(other); });
    TapRow(other, 1, 0, true);
    EXPECT_FALSE(IsWindow(other));
}

// ---------------------------------------------------------------------------
// Insertion and deletion.

TEST_F(ListViewTest, InsertionBeyondTheCountAppendsAndStatesStayOnTheirRows)
{
    HWND list = Make(0, 3);
    TapRow(list, 1);
    recorder.Clear();
    EXPECT_EQ(AddRow(list, 100, L"last", 7), 3);
    EXPECT_EQ(AddRow(list, 0, L"front", 8), 0);
    EXPECT_EQ(AddRow(list, -1, L"bad", 9), -1);
    LVITEMW sub{};
    sub.mask = LVIF_TEXT;
    sub.iSubItem = 1;
    EXPECT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&sub)), -1);
    EXPECT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, 0), -1);
    EXPECT_TRUE(recorder.Matches({ItemNotify(kId, LVN_INSERTITEM, 3), ItemNotify(kId, LVN_INSERTITEM, 0)}));
    EXPECT_EQ(Text(list, 4), L"last");
    EXPECT_EQ(Param(list, 4), 7);
    EXPECT_EQ(Selected(list), std::vector<int>{2});
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 2);
    EXPECT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), 2);
}

TEST_F(ListViewTest, DeletionNotifiesBeforeTheRowsGoFromTheLastUnlessSuppressed)
{
    HWND list = Make(0, 3);
    SetState(list, 1, kBoth, kBoth);
    recorder.Clear();
    LPARAM paramDuringNotification = -1;
    recorder.OnCode(LVN_DELETEITEM, [&] { paramDuringNotification = Param(list, 1); });
    EXPECT_TRUE(SendMessageW(list, LVM_DELETEITEM, 1, 0));
    EXPECT_TRUE(recorder.Matches({ItemNotify(kId, LVN_DELETEITEM, 1)}));
    EXPECT_EQ(paramDuringNotification, 10);
    EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), -1);
    EXPECT_EQ(Text(list, 1), L"row 2");
    EXPECT_FALSE(SendMessageW(list, LVM_DELETEITEM, 2, 0));
    recorder.OnCode(LVN_DELETEITEM, [] {});
    recorder.Clear();
    EXPECT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_TRUE(recorder.Matches({ItemNotify(kId, LVN_DELETEALLITEMS, -1), ItemNotify(kId, LVN_DELETEITEM, 1),
                                  ItemNotify(kId, LVN_DELETEITEM, 0)}));
    for (int row = 0; row < 3; ++row)
        AddRow(list, row, L"again", row);
    recorder.Clear();
    recorder.Answer(LVN_DELETEALLITEMS, TRUE);
    EXPECT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_TRUE(recorder.Matches({ItemNotify(kId, LVN_DELETEALLITEMS, -1)}));
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

// ---------------------------------------------------------------------------
// Sorting.

std::vector<std::wstring> Texts(HWND list)
{
    std::vector<std::wstring> texts;
    for (int row = 0; row < SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); ++row)
        texts.push_back(Text(list, row));
    return texts;
}

HWND sortedList = nullptr;

// Orders rows by the first character of their text, read by index while the
// sort runs: the rows still stand as they did when it began. A negative sort
// parameter reverses the order.
int CompareFirstCharacters(LPARAM first, LPARAM second, LPARAM direction)
{
    const std::vector<std::wstring> texts = Texts(sortedList);
    const int order = texts[static_cast<size_t>(first)][0] - texts[static_cast<size_t>(second)][0];
    return direction < 0 ? -order : order;
}

int ThrowingCompare(LPARAM, LPARAM, LPARAM) { throw std::runtime_error("comparison failed"); }

TEST_F(ListViewTest, SortItemsExOrdersByTheCallbackStablySilentlyAndNotAtAllWhenItThrows)
{
    HWND list = Make(0, 0);
    for (LPCWSTR text : {L"3a", L"1b", L"2c", L"1d", L"3e"})
        AddRow(list, 99, text, 0);
    SetState(list, 0, kBoth, kBoth);
    recorder.Clear();
    sortedList = list;
    const auto sort = [list](PFNLVCOMPARE compare, LPARAM direction) {
        return SendMessageW(list, LVM_SORTITEMSEX, static_cast<WPARAM>(direction), reinterpret_cast<LPARAM>(compare));
    };
    EXPECT_FALSE(sort(&ThrowingCompare, 1));
    EXPECT_EQ(Texts(list), (std::vector<std::wstring>{L"3a", L"1b", L"2c", L"1d", L"3e"}));
    EXPECT_TRUE(sort(&CompareFirstCharacters, 1));
    EXPECT_EQ(Texts(list), (std::vector<std::wstring>{L"1b", L"1d", L"2c", L"3a", L"3e"}));
    EXPECT_EQ(Selected(list), std::vector<int>{3}) << "the selection and the focus move with their row";
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 3);
    EXPECT_TRUE(sort(&CompareFirstCharacters, -1));
    EXPECT_EQ(Texts(list), (std::vector<std::wstring>{L"3a", L"3e", L"2c", L"1b", L"1d"}));
    sortedList = nullptr;
    EXPECT_TRUE(recorder.Matches({}));
    EXPECT_FALSE(sort(nullptr, 1));
}

// ---------------------------------------------------------------------------
// Queries and geometry.

TEST_F(ListViewTest, GetNextItemFindsTheNextRowInTheState)
{
    HWND list = Make(0, 6);
    SetState(list, 1, kSelected, kSelected);
    SetState(list, 4, kBoth, kBoth);
    const struct {
        int start;
        UINT flags;
        LRESULT found;
    } walks[] = {
        {-1, LVNI_ALL, 0}, {5, LVNI_ALL, -1}, {-1, LVNI_SELECTED, 1}, {1, LVNI_SELECTED, 4},
        {4, LVNI_SELECTED, -1}, {-1, LVNI_FOCUSED | LVNI_SELECTED, 4}, {4, LVNI_FOCUSED, -1},
    };
    for (const auto& walk : walks)
        EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(walk.start), walk.flags), walk.found)
            << walk.start << " " << walk.flags;
}

// The touch panel draws rows at the height the row rectangle gives.
TEST_F(ListViewTest, ScrollingMovesTheRowRectanglesAndDeletedRowsNeverLeaveTheViewPastTheEnd)
{
    HWND list = Make(0, 10);
    EXPECT_TRUE(SendMessageW(list, LVM_ENSUREVISIBLE, 7, FALSE));
    EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 3);
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(rect.top, kHeaderHeight + kRowHeight);
    EXPECT_EQ(rect.bottom - rect.top, kRowHeight);
    EXPECT_FALSE(SendMessageW(list, LVM_ENSUREVISIBLE, 10, FALSE));
    for (int row = 9; row >= 2; --row)
        SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 0);
}

TEST_F(ListViewTest, ColumnsMoveSubItemTextsAsWindowsDoes)
{
    HWND list = Make(0, 1);
    AddColumn(list, 2, L"date", 80);
    LVITEMW item{};
    for (int sub = 1; sub <= 2; ++sub) {
        std::wstring text = L"cell " + std::to_wstring(sub);
        item.iSubItem = sub;
        item.pszText = text.data();
        SendMessageW(list, LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    }
    EXPECT_TRUE(SendMessageW(list, LVM_DELETECOLUMN, 1, 0));
    EXPECT_EQ(Text(list, 0, 1), L"cell 2");
    AddColumn(list, 1, L"size", 60);
    EXPECT_EQ(Text(list, 0, 1), L"");
    EXPECT_EQ(Text(list, 0, 2), L"cell 2");
    // Deleting column 0 takes the header only; the item texts stay.
    EXPECT_TRUE(SendMessageW(list, LVM_DELETECOLUMN, 0, 0));
    EXPECT_EQ(Text(list, 0), L"row 0");
    EXPECT_FALSE(SendMessageW(list, LVM_DELETECOLUMN, 5, 0));

    wchar_t buffer[16] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = buffer;
    column.cchTextMax = 16;
    ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(buffer, L"size");
    EXPECT_EQ(column.cx, 60);
    EXPECT_FALSE(SendMessageW(list, LVM_GETCOLUMNW, 2, reinterpret_cast<LPARAM>(&column)));
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(ListViewTest, ScreenShowsColumnsScrollAndStyles)
{
    HWND list = Make(0, 8);
    SetState(list, 6, kBoth, kBoth);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    ScreenControl described = DescribeControl(list);
    EXPECT_EQ(described.className, "listview");
    EXPECT_EQ(described.columns, (std::vector<std::wstring>{L"name", L"size"}));
    EXPECT_EQ(described.topRow, 2);  // focusing row 6 scrolled it into view
    auto extra = [&](const std::string& key) {
        for (const auto& [name, value] : described.extra)
            if (name == key)
                return value;
        return std::wstring(L"(none)");
    };
    EXPECT_EQ(extra("columnWidths"), L"100,100");
    EXPECT_EQ(extra("columnFormats"), L"left,left");
    EXPECT_EQ(extra("focusedRow"), L"6");
    EXPECT_EQ(extra("gridLines"), L"1");
}

}  // namespace
}  // namespace win::testing
