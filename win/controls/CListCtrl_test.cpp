// The CListCtrl wrapper as the file page uses it: columns, rows, the
// selection walk with POSITION, sorting through a callback.
#include "win/Input.h"
#include "win/controls/CListCtrl.h"
#include "win/controls/ControlMetrics.h"
#include "win/controls/ControlRecorder_test.h"

#include <gtest/gtest.h>

namespace win::testing {
namespace {

constexpr int kId = 6001;

class CListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CWnd parent;
        ASSERT_TRUE(parent.Attach(recorder.Parent()));
        ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, RECT{0, 0, 400, 100}, &parent, kId));
        parent.Detach();
        ASSERT_EQ(list.InsertColumn(0, L"ファイル名", LVCFMT_LEFT, 120), 0);
        ASSERT_EQ(list.InsertColumn(1, L"サイズ", LVCFMT_RIGHT, 140), 1);
        ASSERT_EQ(list.InsertColumn(2, L"日時", LVCFMT_RIGHT, 400 - 276), 2);
        const wchar_t* names[] = {L"b.txt", L"a.txt", L"c.txt", L"data"};
        const wchar_t* sizes[] = {L"20", L"100", L"3", L"<DIR>"};
        for (int row = 0; row < 4; ++row) {
            ASSERT_EQ(list.InsertItem(row, names[row]), row);
            ASSERT_TRUE(list.SetItemText(row, 1, sizes[row]));
            ASSERT_TRUE(list.SetItemData(row, static_cast<DWORD_PTR>(row)));
        }
    }
    std::vector<int> SelectedRows() const
    {
        std::vector<int> rows;
        POSITION position = list.GetFirstSelectedItemPosition();
        while (position)
            rows.push_back(list.GetNextSelectedItem(position));
        return rows;
    }

    ControlRecorder recorder;
    CListCtrl list;
};

TEST_F(CListCtrlTest, ColumnsAndTextsReadBack)
{
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(list.GetItemText(1, 0), L"a.txt");
    EXPECT_EQ(list.GetItemText(3, 1), L"<DIR>");
    EXPECT_EQ(list.GetItemText(3, 2), L"");
    EXPECT_EQ(list.GetItemText(9, 0), L"");
    EXPECT_EQ(list.GetItemData(2), 2u);
    EXPECT_EQ(list.GetColumnWidth(2), 124);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT;
    ASSERT_TRUE(list.GetColumn(1, &column));
    EXPECT_EQ(column.fmt, LVCFMT_RIGHT);
    ASSERT_TRUE(list.DeleteColumn(0));
    EXPECT_EQ(list.InsertColumn(0, L"ﾒﾓﾘﾌﾞﾛｯｸ番号", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(list.GetItemText(0, 0), L"b.txt");
}

TEST_F(CListCtrlTest, LongTextsComeBackWhole)
{
    std::wstring longText(1000, L'漢');
    ASSERT_TRUE(list.SetItemText(0, 2, longText.c_str()));
    EXPECT_EQ(list.GetItemText(0, 2).GetLength(), 1000);
    EXPECT_EQ(list.GetItemText(0, 2), longText.c_str());
}

TEST_F(CListCtrlTest, SelectedRowsAreWalkedWithPositions)
{
    EXPECT_EQ(list.GetFirstSelectedItemPosition(), nullptr);
    EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_TRUE(list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.GetSelectedCount(), 2u);
    EXPECT_EQ(list.GetItemState(3, LVIS_SELECTED | LVIS_FOCUSED), static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(list.GetNextItem(1, LVNI_SELECTED), 3);
    // Select all and clear all, as the file page's buttons do.
    EXPECT_TRUE(list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(list.GetSelectedCount(), 4u);
    EXPECT_TRUE(list.SetItemState(-1, 0, LVIS_SELECTED));
    EXPECT_EQ(list.GetSelectedCount(), 0u);
}

TEST_F(CListCtrlTest, ControlTapsAddRowsToTheSelection)
{
    // The file page marks every tap with Ctrl so rows add up on the panel.
    for (int row : {0, 2, 3})
        ASSERT_EQ(TapPart(list.m_hWnd, "row", row, MK_CONTROL), InputResult::Posted);
    Pump();
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 2, 3}));
    ASSERT_EQ(TapPart(list.m_hWnd, "row", 2, MK_CONTROL), InputResult::Posted);
    Pump();
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 3}));
}

int CompareNames(LPARAM first, LPARAM second, LPARAM sort)
{
    // Row data is the row's index when the sort began; `sort` holds the list.
    auto* list = reinterpret_cast<CListCtrl*>(sort);
    return list->GetItemText(static_cast<int>(first), 0).Compare(list->GetItemText(static_cast<int>(second), 0));
}

TEST_F(CListCtrlTest, SortItemsWithACallbackThatReadsTheRows)
{
    ASSERT_TRUE(list.SortItems(&CompareNames, reinterpret_cast<DWORD_PTR>(&list)));
    std::vector<std::wstring> names;
    for (int row = 0; row < list.GetItemCount(); ++row)
        names.push_back(list.GetItemText(row, 0).GetStdString());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"a.txt", L"b.txt", L"c.txt", L"data"}));
    EXPECT_EQ(list.GetItemData(0), 1u);
}

TEST_F(CListCtrlTest, ViewQueries)
{
    EXPECT_EQ(list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES), 0u);
    EXPECT_EQ(list.GetExtendedStyle(), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    EXPECT_EQ(list.GetCountPerPage(), (100 - kHeaderHeight) / kRowHeight);
    for (int row = 0; row < 20; ++row)
        list.InsertItem(list.GetItemCount(), L"more");
    EXPECT_TRUE(list.EnsureVisible(20, FALSE));
    EXPECT_EQ(list.GetTopIndex(), 20 - list.GetCountPerPage() + 1);
    RECT rect{};
    ASSERT_TRUE(list.GetItemRect(20, &rect, LVIR_BOUNDS));
    EXPECT_EQ(rect.right, 120 + 140 + 124);  // the columns, not the client width
    UINT flags = 0;
    EXPECT_EQ(list.HitTest(POINT{300, rect.top + 1}, &flags), 20);
    EXPECT_EQ(flags, LVHT_ONITEMLABEL);
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = L"c.txt";
    EXPECT_EQ(list.FindItem(&find), 2);
    EXPECT_TRUE(list.SetColumnWidth(0, 80));
    EXPECT_EQ(list.GetColumnWidth(0), 80);
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

}  // namespace
}  // namespace win::testing
