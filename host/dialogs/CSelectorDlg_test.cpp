#include "host/dialogs/CSelectorDlg.h"
#include "host/dialogs/HostTemplate.h"
#include "tests/harness/ScriptedOperator.h"

#include <gtest/gtest.h>

using host::IDD_HOST_SELECTOR;
using testing_support::ScriptedOperator;

namespace {

const wchar_t* const kDelimiters[] = {L"CR", L"LF", L"CR+LF"};

bool ShownSelected(HWND dialog, int index)
{
    win::ScreenControl shown = win::DescribeControl(GetDlgItem(dialog, CSelectorDlg::kFirstItemId + index));
    return shown.selected.value_or(false);
}

}  // namespace

// Without a preselection OK waits for a choice; a tap moves the selection;
// cancel keeps the preselection.
TEST(CSelectorDlg, ReturnsTheTappedChoiceAndCancelKeepsThePreselection)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Do(IDD_HOST_SELECTOR, "OK disabled", [](HWND dialog) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    });
    script.Tap(IDD_HOST_SELECTOR, CSelectorDlg::kFirstItemId + 1);
    script.Do(IDD_HOST_SELECTOR, "OK enabled", [](HWND dialog) {
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    });
    script.Answer(IDOK);
    script.Do(IDD_HOST_SELECTOR, "the preselection shows", [](HWND dialog) {
        EXPECT_EQ(L"デリミタ", GetWindowTextString(dialog));
        EXPECT_TRUE(!ShownSelected(dialog, 0) && ShownSelected(dialog, 1));
    });
    script.Tap(IDD_HOST_SELECTOR, CSelectorDlg::kFirstItemId + 2);
    script.Do(IDD_HOST_SELECTOR, "the tap moved the selection", [](HWND dialog) {
        EXPECT_TRUE(!ShownSelected(dialog, 1) && ShownSelected(dialog, 2));
    });
    script.Answer(IDOK);
    script.Tap(IDD_HOST_SELECTOR, CSelectorDlg::kFirstItemId).Answer(IDCANCEL);
    CSelectorDlg selector(nullptr);
    selector.Initialize(3, kDelimiters, 3, 2, 80, 40);
    selector.SetTitleText(L"デリミタ");
    selector.SetSelect(7);  // out of range: nothing preselected
    EXPECT_EQ(-1, selector.GetSelectedValue());
    EXPECT_EQ(1, selector.DoModal());
    EXPECT_EQ(1, selector.GetSelectedValue());
    EXPECT_EQ(1, selector.DoModal());
    EXPECT_EQ(2, selector.GetSelectedValue());
    EXPECT_EQ(2, selector.DoModal());
    EXPECT_EQ(2, selector.GetSelectedValue()) << "cancel keeps the preselection";
}

TEST(CSelectorDlg, OddLayoutValuesAreBroughtIntoTouchSizes)
{
    testing_support::Watchdog watchdog;
    const wchar_t* labels[] = {L"a", nullptr, L"c", L"d", L"e"};
    ScriptedOperator script;
    script.Do(IDD_HOST_SELECTOR, "layout", [](HWND dialog) {
        RECT first{};
        RECT second{};
        RECT fourth{};
        GetWindowRect(GetDlgItem(dialog, CSelectorDlg::kFirstItemId), &first);
        GetWindowRect(GetDlgItem(dialog, CSelectorDlg::kFirstItemId + 1), &second);
        GetWindowRect(GetDlgItem(dialog, CSelectorDlg::kFirstItemId + 3), &fourth);
        EXPECT_EQ(40, first.right - first.left) << "width raised to 40";
        EXPECT_EQ(120, first.bottom - first.top) << "height cut to 120";
        EXPECT_EQ(first.top, second.top) << "three columns when none are given";
        EXPECT_GT(second.left, first.left);
        EXPECT_EQ(first.left, fourth.left) << "the fourth choice starts the second row";
        EXPECT_GT(fourth.top, first.top);
        EXPECT_EQ(L"", GetWindowTextString(GetDlgItem(dialog, CSelectorDlg::kFirstItemId + 1)));
        RECT whole{};
        GetWindowRect(dialog, &whole);
        EXPECT_LE(whole.bottom - whole.top, 480);
    });
    script.Answer(IDCANCEL);
    CSelectorDlg selector(nullptr);
    selector.Initialize(5, labels, 0, -1, 10, 500);
    EXPECT_EQ(2, selector.DoModal());
}
