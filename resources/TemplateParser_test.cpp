#include "resources/TemplateParser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

namespace {

using resources::ParseDialogTemplate;
using testing::HasSubstr;

constexpr const char* kGood = R"(# a comment line
dialog 17100
caption "設定 \"A\""
font "ＭＳ ゴシック" 12
style popup caption modalframe
position 10 20
size 200 100

# id  class                 x   y  cx  cy  text
1     defbutton tabstop    10  70  60  20  "実行"   # trailing comment
2     button               80  70  60  20  "閉じる"
-1    static right         10  10  50  12  "行1\n行2\\"
-1    groupbox              5   5 190  60
300   checkbox multiline hidden disabled 10 30 80 14 "Check"
301   edit multiline readonly vscroll  100 10 90 40
302   listview report singlesel showselalways nosortheader border 10 40 100 20
303   listbox notify multisel  120 40 60 20
304   tab fixedwidth multiline  0 0 10 10
305   ownerdraw pushlike  0 0 12 12 "手"
306   custom  1 1 2 2
307   static style:0x200 exstyle:0x20000  3 3 4 4
)";

TEST(TemplateParser, ReadsTheDialogAndItsControls)
{
    auto result = ParseDialogTemplate(kGood, "good.dlg");
    ASSERT_TRUE(result.ok()) << testing::PrintToString(result.error);
    EXPECT_TRUE(result.errorLine == 0 && result.error.empty());
    const win::DialogTemplate& dialog = *result.dialog;
    EXPECT_EQ(17100u, dialog.id);
    EXPECT_EQ(L"設定 \"A\"", dialog.caption);
    EXPECT_EQ(L"ＭＳ ゴシック", dialog.fontName);
    EXPECT_EQ(12, dialog.fontSize);
    EXPECT_EQ(WS_POPUP | WS_CAPTION | DS_MODALFRAME, dialog.style);
    EXPECT_EQ(std::make_tuple(10, 20, 200, 100), std::tie(dialog.x, dialog.y, dialog.cx, dialog.cy));

    const auto& c = dialog.controls;
    EXPECT_EQ(std::make_tuple(IDOK, std::wstring(L"実行"), 10, 70, 60, 20),
              std::tie(c[0].id, c[0].text, c[0].x, c[0].y, c[0].cx, c[0].cy));
    EXPECT_EQ(std::make_tuple(-1, std::wstring(L"行1\n行2\\")), std::tie(c[2].id, c[2].text));
    EXPECT_EQ(L"", c[3].text);
    EXPECT_EQ(0x20000u, c[11].exStyle);
    // Every control is a visible child unless it says hidden, and a keyword
    // means what its class means by it.
    using win::ControlClass;
    using Read = std::tuple<ControlClass, std::wstring, DWORD>;
    const DWORD child = WS_CHILD | WS_VISIBLE;
    std::vector<Read> read;
    for (const win::ControlTemplate& control : c)
        read.emplace_back(control.controlClass, control.className, control.style);
    EXPECT_EQ(read, (std::vector<Read>{
                        {ControlClass::Button, L"Button", child | BS_DEFPUSHBUTTON | WS_TABSTOP},
                        {ControlClass::Button, L"Button", child | BS_PUSHBUTTON},
                        {ControlClass::Static, L"Static", child | SS_RIGHT},
                        {ControlClass::Button, L"Button", child | BS_GROUPBOX},
                        {ControlClass::Button, L"Button", WS_CHILD | BS_AUTOCHECKBOX | BS_MULTILINE | WS_DISABLED},
                        {ControlClass::Edit, L"Edit", child | ES_MULTILINE | ES_READONLY | WS_VSCROLL},
                        {ControlClass::ListView, L"SysListView32", child | WS_BORDER | 0x1u | 0x4u | 0x8u | 0x8000u},
                        {ControlClass::ListBox, L"ListBox", child | LBS_NOTIFY | LBS_MULTIPLESEL},
                        {ControlClass::TabControl, L"SysTabControl32", child | 0x400u | 0x200u},
                        {ControlClass::Button, L"Button", child | BS_OWNERDRAW | BS_PUSHLIKE},
                        {ControlClass::Custom, L"Custom", child},
                        {ControlClass::Static, L"Static", child | 0x200u},
                    }));
}

TEST(TemplateParser, AcceptsWindowsLineEndsAndAByteOrderMark)
{
    auto result = ParseDialogTemplate("\xEF\xBB\xBF" "dialog 5\r\nsize 1 2\r\n7 static 0 0 1 1 \"x\"\r\n", "crlf.dlg");
    ASSERT_TRUE(result.ok()) << testing::PrintToString(result.error);
    EXPECT_EQ(5u, result.dialog->id);
    EXPECT_EQ(L"x", result.dialog->controls[0].text);
    EXPECT_EQ(9, result.dialog->fontSize) << "without a font line the 9-point cell applies";
}

struct BadInput {
    const char* text;
    int line;
    const wchar_t* message;
};

class TemplateParserErrors : public testing::TestWithParam<BadInput> {};

TEST_P(TemplateParserErrors, NameTheFileAndTheLine)
{
    const BadInput& bad = GetParam();
    auto result = ParseDialogTemplate(bad.text, "bad.dlg");
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.dialog.has_value()) << "an error leaves no template";
    EXPECT_EQ(bad.line, result.errorLine) << testing::PrintToString(result.error);
    EXPECT_THAT(result.error, HasSubstr(L"bad.dlg:" + std::to_wstring(bad.line) + L": "));
    EXPECT_THAT(result.error, HasSubstr(bad.message));
}

INSTANTIATE_TEST_SUITE_P(
    BadTemplates, TemplateParserErrors,
    testing::Values(
        BadInput{"caption \"x\"\ndialog 1\n", 1, L"starts with \"dialog <id>\""},
        BadInput{"dialog\n", 1, L"expected dialog <id>"},
        BadInput{"dialog 0\n", 1, L"dialog id 0 is out of range"},
        BadInput{"dialog 1\nsize 10 10\n\n1 buton 0 0 1 1\n", 4, L"unknown control class 'buton'"},
        BadInput{"dialog 1\nsize 10 10\n1 static multiline 0 0 1 1\n", 3, L"'multiline' is not a style of a static"},
        BadInput{"dialog 1\nsize 10 10\n1 button 0 0 1\n", 3, L"needs x, y, width and height"},
        BadInput{"dialog 1\nsize 10 10\n1 button 0 0 -1 1\n", 3, L"width -1 is out of range"},
        BadInput{"dialog 1\nsize 10 10\n1 button 0 0 1 1 \"open\n", 3, L"closing quote"},
        BadInput{"dialog 1\nsize 10 10\n1 button 0 0 1 1 \"a\\q\"\n", 3, L"unknown escape"},
        BadInput{"dialog 1\nsize 10 10\n1 button 0 0 1 1 \"a\" \"b\"\n", 3, L"after the control's text"},
        BadInput{"dialog 1\nsize 10 10\n5 button 0 0 1 1\n6 button 0 0 1 1\n5 static 0 0 1 1\n", 5,
                 L"control id 5 used twice"},
        BadInput{"dialog 1\ncaption \"a\"\ncaption \"b\"\nsize 1 1\n", 3, L"\"caption\" given twice"},
        BadInput{"dialog 1\ncaption a\nsize 1 1\n", 2, L"must be in double quotes"},
        BadInput{"dialog 1\nstyle popup wobbly\nsize 1 1\n", 2, L"'wobbly' is not a dialog style"},
        BadInput{"dialog 1\nsize 1 1\nfont \"x\" big\n", 3, L"font size must be a number"},
        BadInput{"dialog 1\nsize 1 1\ncolour red\n", 3, L"unknown keyword 'colour'"},
        BadInput{"dialog 1\nsize 1 1\n1 static style:zz 0 0 1 1\n", 3, L"needs a number"},
        BadInput{"dialog 1\nsize 1 1\ndialog 2\n", 3, L"one template"},
        BadInput{"dialog 1\nsize 1 1\n\"text\" static 0 0 1 1\n", 3, L"not a text"},
        BadInput{"dialog 1\nsize 1 1\n1 static 0 0 1 1 \"\xFF\xFE\"\n", 3, L"not valid UTF-8"},
        BadInput{"dialog 1\ncaption \"no size\"\n", 2, L"no \"size <width> <height>\" line"},
        BadInput{"", 1, L"no \"dialog <id>\" line"}));

}  // namespace
