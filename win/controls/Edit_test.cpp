// Message sequences of the "Edit" and "Static" classes.
#include "win/Input.h"
#include "win/Screen.h"
#include "win/controls/ControlRecorder_test.h"

#include <gtest/gtest.h>

namespace win::testing {
namespace {

constexpr int kId = 2001;

class EditTest : public ::testing::Test {
protected:
    HWND Make(DWORD style, LPCWSTR text = L"") { return recorder.Create(L"Edit", style, kId, RECT{10, 10, 210, 40}, text); }
    static void Type(HWND edit, std::wstring_view text)
    {
        for (wchar_t character : text)
            SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(character), 1);
    }
    ControlRecorder recorder;
};

// Typed characters by kind of edit: the text left and one EN_CHANGE per change.
TEST_F(EditTest, TypingByKindOfEdit)
{
    const struct {
        DWORD style;
        LPCWSTR before;
        std::wstring_view typed;
        LPCWSTR after;
        size_t changes;
    } cases[] = {
        {0, L"ab", L"c1", L"abc1", 2},
        {0, L"x", L"\b\b", L"", 1},                   // nothing to remove the second time
        {0, L"a", L"\r\t\x1B\x7F", L"a", 0},          // control characters and Enter do nothing
        {ES_MULTILINE, L"a", L"\rb", L"a\r\nb", 2},    // Enter breaks the line
        {ES_MULTILINE, L"a\r\nb", L"\b\b", L"a", 2},  // a line break goes whole
        {ES_READONLY, L"fixed", L"x\b", L"fixed", 0},
        {ES_NUMBER, L"", L"1a2", L"12", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.before) + L" + " + std::wstring(c.typed)));
        HWND edit = Make(c.style, c.before);
        recorder.Clear();
        Type(edit, c.typed);
        EXPECT_EQ(GetWindowTextString(edit), c.after);
        EXPECT_TRUE(recorder.Matches(std::vector<Logged>(c.changes, Command(kId, EN_CHANGE, edit))));
        DestroyWindow(edit);
    }
}

TEST_F(EditTest, TapGivesTheFocusSoTypedTextArrives)
{
    HWND other = Make(0);
    HWND edit = recorder.Create(L"Edit", 0, kId + 1, RECT{10, 50, 210, 80});
    SetFocus(other);
    Tap(edit);
    Pump();
    EXPECT_EQ(GetFocus(), edit);
    TypeText(recorder.Parent(), L"ok");
    Pump();
    EXPECT_EQ(GetWindowTextString(edit), L"ok");
    EXPECT_EQ(GetWindowTextString(other), L"");
}

TEST_F(EditTest, ScreenShowsReadOnlyAndMultiline)
{
    HWND edit = Make(ES_READONLY | ES_MULTILINE, L"t");
    ScreenControl described = DescribeControl(edit);
    EXPECT_EQ(described.className, "edit");
    EXPECT_EQ(described.text, L"t");
    EXPECT_EQ(described.extra.size(), 2u);
}

TEST_F(EditTest, StaticNotifiesOnlyWithNotifyStyle)
{
    HWND silent = recorder.Create(L"Static", SS_CENTER, 1, RECT{0, 0, 50, 20}, L"a");
    HWND notifying = recorder.Create(L"Static", SS_NOTIFY, 2, RECT{0, 30, 50, 50}, L"b");
    Tap(silent);
    DoubleTap(notifying);
    Pump();
    // The press of the first tap, then the double click; releases send nothing.
    EXPECT_TRUE(recorder.Matches({Command(2, STN_CLICKED, notifying), Command(2, STN_DBLCLK, notifying)}));
}

TEST_F(EditTest, StaticKeepsItsAlignmentOnTheScreen)
{
    auto align = [](HWND hwnd) {
        for (const auto& [key, value] : DescribeControl(hwnd).extra)
            if (key == "align")
                return value;
        return std::wstring();
    };
    HWND right = recorder.Create(L"Static", SS_RIGHT, 1, RECT{0, 0, 50, 20}, L"r");
    EXPECT_EQ(align(right) + L"|" + align(recorder.Create(L"Static", SS_CENTER, 2)), L"right|center");
    EXPECT_EQ(DescribeControl(right).className, "static");
}

}  // namespace
}  // namespace win::testing
