// The panel's capture: windows that did not change are not described again,
// hidden pages cost nothing, and lists bring the rows in view.
#include "win/Dialog.h"
#include "win/Screen.h"
#include "win/Window.h"
#include "win/controls/CommCtrl.h"
#include "win/controls/ControlMetrics.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

namespace win {
namespace {

constexpr int kRows = 1000;
constexpr int kRowsInView = 6;  // five whole rows and half of the sixth

// A reader that keeps every window and control it was given described, at
// the version it was described at, as the touch panel does with their texts.
class Keeper : public ScreenReuse {
public:
    bool HoldsWindow(HWND window, unsigned long long version) override { return Holds(window, version); }
    bool HoldsControl(HWND control, unsigned long long version) override { return Holds(control, version); }

    // Captures and returns what was described afresh (windows and controls).
    std::set<HWND> Capture()
    {
        std::set<HWND> described;
        for (const ScreenWindow& window : CaptureScreen(this))
            Keep(window, described);
        return described;
    }

private:
    bool Holds(HWND hwnd, unsigned long long version) const
    {
        auto found = m_held.find(hwnd);
        return found != m_held.end() && found->second == version;
    }
    void Keep(const ScreenWindow& window, std::set<HWND>& described)
    {
        if (window.reused || !window.visible)
            return;
        described.insert(window.hwnd);
        m_held[window.hwnd] = window.version;
        for (const ScreenControl& control : window.controls) {
            if (!control.reused)
                m_held[*described.insert(control.hwnd).first] = control.version;
        }
        for (const ScreenWindow& child : window.children)
            Keep(child, described);
    }

    std::map<HWND, unsigned long long> m_held;  // handles are never given out twice
};

class ScreenCaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterDialogClass();
        frame = Make(L"#32770", L"frame", WS_POPUP | WS_VISIBLE, nullptr, 0, RECT{0, 0, 400, 300});
        frameButton = Make(L"Button", L"close", WS_VISIBLE, frame, 1, RECT{0, 0, 80, 20});
        page = Make(L"#32770", L"page", WS_VISIBLE, frame, 0, RECT{0, 30, 400, 300});
        pageButton = Make(L"Button", L"copy", WS_VISIBLE, page, 2, RECT{0, 0, 80, 20});
        hiddenPage = Make(L"#32770", L"other page", 0, frame, 0, RECT{0, 30, 400, 300});
        Make(L"Button", L"hidden", WS_VISIBLE, hiddenPage, 3, RECT{0, 0, 80, 20});
        // Five rows below the header, and half of a sixth.
        list = Make(L"SysListView32", L"", WS_VISIBLE | LVS_REPORT, page, 4,
                    RECT{0, 30, 300, 30 + kHeaderHeight + 5 * kRowHeight + kRowHeight / 2});
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<LPWSTR>(L"name");
        column.cx = 100;
        SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        for (int row = 0; row < kRows; ++row) {
            std::wstring text = L"file " + std::to_wstring(row);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = text.data();
            SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    void TearDown() override { DestroyWindow(frame); }

    static HWND Make(const wchar_t* className, const wchar_t* text, DWORD style, HWND parent, int id, RECT rect)
    {
        return CreateWindowExW(0, className, text, style | (parent ? WS_CHILD : 0), rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent, id, nullptr, nullptr);
    }
    static ScreenWindow Find(const std::vector<ScreenWindow>& windows, HWND hwnd)
    {
        for (const ScreenWindow& window : windows) {
            if (window.hwnd == hwnd)
                return window;
            ScreenWindow inside = Find(window.children, hwnd);
            if (inside.hwnd)
                return inside;
        }
        return {};
    }
    ScreenControl ListOnScreen() const
    {
        for (const ScreenControl& control : Find(CaptureScreen(), page).controls)
            if (control.hwnd == list)
                return control;
        return {};
    }
    static void Select(HWND list, int row, bool selected)
    {
        LVITEMW item{};
        item.state = selected ? LVIS_SELECTED : 0;
        item.stateMask = LVIS_SELECTED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    static std::vector<std::wstring> FirstCells(const ScreenControl& control)
    {
        std::vector<std::wstring> cells;
        for (const auto& row : control.rows)
            cells.push_back(row.at(0));
        return cells;
    }

    HWND frame = nullptr;
    HWND frameButton = nullptr;
    HWND page = nullptr;
    HWND pageButton = nullptr;
    HWND hiddenPage = nullptr;
    HWND list = nullptr;
};

TEST_F(ScreenCaptureTest, OnlyWhatChangedIsDescribedAgain)
{
    Keeper keeper;
    std::set<HWND> first = keeper.Capture();
    EXPECT_EQ(first, (std::set<HWND>{frame, frameButton, page, pageButton, list}));

    struct Step {
        const char* what;
        std::function<void()> act;
        std::set<HWND> described;
    };
    const Step steps[] = {
        {"nothing changed", [] {}, {}},
        {"a button's text", [&] { SetWindowTextW(pageButton, L"move"); }, {frame, page, pageButton}},
        {"a row selected", [&] { Select(list, 3, true); }, {frame, page, list}},
        {"the focus taken", [&] { SetFocus(frameButton); }, {frame, frameButton}},
        {"the focus moved on", [&] { SetFocus(pageButton); }, {frame, frameButton, page, pageButton}},
        {"a bare invalidation", [&] { InvalidateRect(frameButton, nullptr, TRUE); }, {frame, frameButton}},
        {"the other page shown", [&] { ShowWindow(hiddenPage, SW_SHOW); },
         {frame, hiddenPage, GetDlgItem(hiddenPage, 3)}},
        {"a control destroyed", [&] { DestroyWindow(pageButton); }, {frame, page}},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(keeper.Capture(), step.described) << step.what;
    }
}

TEST_F(ScreenCaptureTest, AHiddenPageIsCapturedWithoutItsContentsAndDescribedInFull)
{
    ScreenWindow captured = Find(CaptureScreen(), hiddenPage);
    EXPECT_EQ(captured.caption, L"other page");
    EXPECT_TRUE(captured.controls.empty());
    EXPECT_EQ(DescribeWindow(hiddenPage).controls.at(0).text, L"hidden");
}

TEST_F(ScreenCaptureTest, AListBringsTheRowsInViewWithItsCountAndSelection)
{
    Select(list, 2, true);
    Select(list, 500, true);
    ScreenControl shown = ListOnScreen();
    EXPECT_EQ(shown.rowCount, kRows);
    EXPECT_EQ(shown.firstRow, 0);
    EXPECT_EQ(FirstCells(shown), (std::vector<std::wstring>{L"file 0", L"file 1", L"file 2", L"file 3", L"file 4",
                                                            L"file 5"}));
    EXPECT_EQ(shown.selectedRows, std::vector<int>{2});
    EXPECT_EQ(shown.selectedCount, 2);

    // Scrolled to the end, the view holds the last whole rows.
    SendMessageW(list, LVM_ENSUREVISIBLE, kRows - 1, FALSE);
    shown = ListOnScreen();
    EXPECT_EQ(shown.topRow, kRows - 5);
    EXPECT_EQ(shown.firstRow, kRows - 5);
    EXPECT_EQ(shown.rows.size(), 5u);
    EXPECT_EQ(shown.rows.back().at(0), L"file 999");
    EXPECT_TRUE(shown.selectedRows.empty());

    // Sorted the other way round, the same view shows the first rows.
    SendMessageW(list, LVM_SORTITEMSEX, 0,
                 reinterpret_cast<LPARAM>(+[](LPARAM a, LPARAM b, LPARAM) -> int { return a < b ? 1 : -1; }));
    shown = ListOnScreen();
    EXPECT_EQ(shown.rows.back().at(0), L"file 0");
    EXPECT_EQ(shown.rows.front().at(0), L"file 4");
    EXPECT_EQ(shown.selectedRows, std::vector<int>{kRows - 3});

    // A row out of view changed: the rows shown are the same, the revision
    // tells that kept rows went stale.
    LVITEMW renamed{};
    renamed.pszText = const_cast<LPWSTR>(L"renamed");
    SendMessageW(list, LVM_SETITEMTEXTW, 100, reinterpret_cast<LPARAM>(&renamed));
    const ScreenControl after = ListOnScreen();
    EXPECT_EQ(FirstCells(after), FirstCells(shown));
    EXPECT_NE(after.rowsRevision, shown.rowsRevision);

    // The full description still holds every row.
    EXPECT_EQ(DescribeControl(list).rows.size(), static_cast<size_t>(kRows));
}

TEST_F(ScreenCaptureTest, RowRangesStopAtTheEndOfTheList)
{
    struct Case {
        int first;
        int count;
        int firstRow;
        std::vector<std::wstring> cells;
    };
    const Case cases[] = {
        {0, 2, 0, {L"file 0", L"file 1"}},
        {998, 10, 998, {L"file 998", L"file 999"}},
        {kRows, 5, kRows, {}},
        {kRows + 50, 5, kRows, {}},
        {-4, 1, 0, {L"file 0"}},
    };
    for (const Case& range : cases) {
        std::optional<ScreenControl> rows = DescribeRows(list, range.first, range.count);
        ASSERT_TRUE(rows) << range.first;
        EXPECT_EQ(rows->firstRow, range.firstRow) << range.first;
        EXPECT_EQ(rows->rowCount, kRows);
        EXPECT_EQ(FirstCells(*rows), range.cells) << range.first << "+" << range.count;
    }
    EXPECT_FALSE(DescribeRows(pageButton, 0, 5));
    EXPECT_FALSE(DescribeRows(nullptr, 0, 5));
}

}  // namespace
}  // namespace win
