// Message sequences of the "Edit" and "Static" classes and their wrappers.
#include "win/Input.h"
#include "win/Screen.h"
#include "win/controls/CEdit.h"
#include "win/controls/CStatic.h"
#include "win/controls/ControlRecorder_test.h"

#include <gtest/gtest.h>

namespace win::testing {
namespace {

constexpr int kId = 2001;

class EditTest : public ::testing::Test {
protected:
    HWND Make(DWORD style, LPCWSTR text = L"") { return recorder.Create(L"Edit", style, kId, RECT{10, 10, 210, 40}, text); }
    void Type(HWND edit, std::wstring_view text)
    {
        for (wchar_t character : text)
            SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(character), 1);
    }
    ControlRecorder recorder;
};

TEST_F(EditTest, TypingAppendsAndReportsEachChange)
{
    HWND edit = Make(0, L"ab");
    Type(edit, L"c1");
    EXPECT_EQ(GetWindowTextString(edit), L"abc1");
    EXPECT_TRUE(recorder.Matches({Command(kId, EN_CHANGE, edit), Command(kId, EN_CHANGE, edit)}));
}

TEST_F(EditTest, BackspaceRemovesTheLastCharacterAndNothingOnEmptyText)
{
    HWND edit = Make(0, L"x");
    Type(edit, L"\b");
    EXPECT_EQ(GetWindowTextString(edit), L"");
    Type(edit, L"\b");
    EXPECT_TRUE(recorder.Matches({Command(kId, EN_CHANGE, edit)}));
}

TEST_F(EditTest, ControlCharactersAndEnterDoNothingInASingleLineEdit)
{
    HWND edit = Make(0, L"a");
    Type(edit, L"\r\t\x1B\x7F");
    EXPECT_EQ(GetWindowTextString(edit), L"a");
    EXPECT_TRUE(recorder.Matches({}));
}

TEST_F(EditTest, MultiLineEditBreaksLinesAndRemovesABreakWhole)
{
    HWND edit = Make(ES_MULTILINE, L"a");
    Type(edit, L"\rb");
    EXPECT_EQ(GetWindowTextString(edit), L"a\r\nb");
    Type(edit, L"\b\b");
    EXPECT_EQ(GetWindowTextString(edit), L"a");
    EXPECT_EQ(recorder.Log().size(), 4u);
}

TEST_F(EditTest, ReadOnlyEditIgnoresTypingUntilMadeWritable)
{
    HWND edit = Make(ES_READONLY, L"fixed");
    Type(edit, L"x\b");
    EXPECT_EQ(GetWindowTextString(edit), L"fixed");
    EXPECT_TRUE(recorder.Matches({}));
    EXPECT_EQ(SendMessageW(edit, EM_SETREADONLY, FALSE, 0), TRUE);
    Type(edit, L"!");
    EXPECT_EQ(GetWindowTextString(edit), L"fixed!");
    SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
    EXPECT_TRUE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY);
}

TEST_F(EditTest, NumberEditTakesDigitsOnly)
{
    HWND edit = Make(ES_NUMBER);
    Type(edit, L"1a2");
    EXPECT_EQ(GetWindowTextString(edit), L"12");
}

TEST_F(EditTest, SetTextFromCodeIsSilent)
{
    HWND edit = Make(0);
    SetWindowTextW(edit, L"from code");
    EXPECT_EQ(GetWindowTextString(edit), L"from code");
    EXPECT_TRUE(recorder.Matches({}));
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

TEST_F(EditTest, WrapperSetsReadOnly)
{
    CEdit edit;
    CWnd parent;
    ASSERT_TRUE(parent.Attach(recorder.Parent()));
    ASSERT_TRUE(edit.Create(WS_VISIBLE, RECT{0, 0, 100, 20}, &parent, 55));
    parent.Detach();
    EXPECT_TRUE(edit.SetReadOnly());
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    edit.SetWindowText(L"text");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, L"text");
    EXPECT_TRUE(edit.SetReadOnly(FALSE));
    EXPECT_FALSE(edit.GetStyle() & ES_READONLY);
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
    HWND right = recorder.Create(L"Static", SS_RIGHT, 1, RECT{0, 0, 50, 20}, L"r");
    CStatic wrapper;
    CWnd parent;
    ASSERT_TRUE(parent.Attach(recorder.Parent()));
    ASSERT_TRUE(wrapper.Create(L"c", WS_VISIBLE | SS_CENTER, RECT{0, 30, 50, 50}, &parent, 2));
    parent.Detach();
    auto align = [](HWND hwnd) {
        for (const auto& [key, value] : DescribeControl(hwnd).extra)
            if (key == "align")
                return value;
        return std::wstring();
    };
    EXPECT_EQ(align(right), L"right");
    EXPECT_EQ(align(wrapper.m_hWnd), L"center");
    EXPECT_EQ(DescribeControl(right).className, "static");
}

}  // namespace
}  // namespace win::testing
