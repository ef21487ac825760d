// The CListCtrl wrapper as the file page uses it: columns, rows, the
// selection. Sorting is the list view's own story.
#include "win/Input.h"
#include "win/controls/CListCtrl.h"
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
        }
    }
    std::vector<int> SelectedRows() const
    {
        std::vector<int> rows;
        for (int row = -1; (row = list.GetNextItem(row, LVNI_SELECTED)) >= 0;)
            rows.push_back(row);
        return rows;
    }

    ControlRecorder recorder;
    CListCtrl list;
};

// Texts go through the wrapper's own buffers: a long one must come back whole.
TEST_F(CListCtrlTest, TextsColumnsAndStylesGoThroughToTheList)
{
    EXPECT_EQ(list.GetItemText(1, 0), L"a.txt");
    EXPECT_EQ(list.GetItemText(3, 1), L"<DIR>");
    EXPECT_EQ(list.GetItemText(9, 0), L"");
    const std::wstring longText(1000, L'漢');
    ASSERT_TRUE(list.SetItemText(0, 2, longText.c_str()));
    EXPECT_EQ(list.GetItemText(0, 2), longText.c_str());
    ASSERT_TRUE(list.DeleteColumn(0));
    EXPECT_EQ(list.InsertColumn(0, L"ﾒﾓﾘﾌﾞﾛｯｸ番号", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(list.GetItemText(0, 0), L"b.txt");
    EXPECT_EQ(list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES), 0u);
    EXPECT_EQ(list.GetExtendedStyle(), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

// The file page marks every tap with Ctrl so rows add up on the panel, and
// its buttons select or clear every row.
TEST_F(CListCtrlTest, ControlTapsAddRowsAndTheButtonsSelectOrClearAll)
{
    for (int row : {0, 2, 3, 2})
        ASSERT_EQ(TapPart(list.m_hWnd, "row", row, MK_CONTROL), InputResult::Posted);
    Pump();
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 3}));
    EXPECT_TRUE(list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_TRUE(list.SetItemState(-1, 0, LVIS_SELECTED));
    EXPECT_TRUE(SelectedRows().empty());
}

}  // namespace
}  // namespace win::testing
