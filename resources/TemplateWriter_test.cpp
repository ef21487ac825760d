#include "resources/TemplateWriter.h"

#include "resources/EmbeddedTemplates.h"
#include "resources/TemplateParser.h"

#include <gtest/gtest.h>

namespace {

using resources::FormatDialogTemplate;
using resources::ParseDialogTemplate;

void ExpectSameTemplate(const win::DialogTemplate& expected, const win::DialogTemplate& actual)
{
    EXPECT_EQ(expected.id, actual.id);
    EXPECT_EQ(expected.caption, actual.caption);
    EXPECT_EQ(expected.fontName, actual.fontName);
    EXPECT_EQ(expected.fontSize, actual.fontSize);
    EXPECT_EQ(expected.style, actual.style);
    EXPECT_EQ(expected.x, actual.x);
    EXPECT_EQ(expected.y, actual.y);
    EXPECT_EQ(expected.cx, actual.cx);
    EXPECT_EQ(expected.cy, actual.cy);
    ASSERT_EQ(expected.controls.size(), actual.controls.size());
    for (std::size_t i = 0; i < expected.controls.size(); ++i) {
        const win::ControlTemplate& e = expected.controls[i];
        const win::ControlTemplate& a = actual.controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(e.id));
        EXPECT_EQ(e.id, a.id);
        EXPECT_EQ(e.controlClass, a.controlClass);
        EXPECT_EQ(e.className, a.className);
        EXPECT_EQ(e.style, a.style);
        EXPECT_EQ(e.exStyle, a.exStyle);
        EXPECT_EQ(e.x, a.x);
        EXPECT_EQ(e.y, a.y);
        EXPECT_EQ(e.cx, a.cx);
        EXPECT_EQ(e.cy, a.cy);
        EXPECT_EQ(e.text, a.text);
    }
}

win::ControlTemplate Control(int id, win::ControlClass controlClass, const wchar_t* className, DWORD style)
{
    win::ControlTemplate control;
    control.id = id;
    control.controlClass = controlClass;
    control.className = className;
    control.style = WS_CHILD | style;
    control.x = id;
    control.y = -id;
    control.cx = 2 * (id < 0 ? -id : id);
    control.cy = 3 * (id < 0 ? -id : id);
    return control;
}

TEST(TemplateWriter, WritesWhatTheParserReadsBack)
{
    win::DialogTemplate dialog;
    dialog.id = 4242;
    dialog.caption = L"タブ\t\"引用\" \\ 改行\n# not a comment";
    dialog.fontName = L"ＭＳ ゴシック";
    dialog.fontSize = 11;
    dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | 0x2;  // a bit no keyword names
    dialog.x = -3;
    dialog.y = 7;
    dialog.cx = 300;
    dialog.cy = 200;
    dialog.controls = {
        Control(1, win::ControlClass::Button, L"Button", WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP),
        Control(2, win::ControlClass::Button, L"Button", BS_CHECKBOX | BS_PUSHLIKE),  // hidden, manual check box
        Control(3, win::ControlClass::Button, L"Button", WS_VISIBLE | BS_OWNERDRAW | BS_MULTILINE | BS_NOTIFY),
        Control(4, win::ControlClass::Static, L"Static", WS_VISIBLE | SS_CENTER | 0x1000 | 0x40),
        Control(5, win::ControlClass::Edit, L"Edit", WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL),
        Control(6, win::ControlClass::ListView, L"SysListView32", WS_VISIBLE | 0x1 | 0x8 | WS_BORDER),
        Control(7, win::ControlClass::ListBox, L"ListBox", WS_VISIBLE | LBS_NOTIFY | LBS_EXTENDEDSEL),
        Control(8, win::ControlClass::TabControl, L"SysTabControl32", WS_VISIBLE | 0x400 | WS_DISABLED),
        Control(9, win::ControlClass::Custom, L"Custom", WS_VISIBLE | WS_GROUP),
        Control(-1, win::ControlClass::Static, L"Static", WS_VISIBLE),
    };
    dialog.controls[0].text = L"実行";
    dialog.controls[3].exStyle = 0x200 | 0x4;
    dialog.controls[9].text = L"a\\b\r\n";

    const std::string text = FormatDialogTemplate(dialog);
    auto parsed = ParseDialogTemplate(text, "written.dlg");
    ASSERT_TRUE(parsed.ok()) << testing::PrintToString(parsed.error) << "\n" << text;
    ExpectSameTemplate(dialog, *parsed.dialog);
}

TEST(TemplateWriter, UsesKeywordsRatherThanNumbersWhereTheyExist)
{
    auto parsed = ParseDialogTemplate("dialog 9\nstyle popup caption\nsize 5 5\n"
                                      "3 checkbox hidden multiline 1 2 3 4 \"x\"\n"
                                      "4 listview report singlesel 1 2 3 4\n",
                                      "k.dlg");
    ASSERT_TRUE(parsed.ok());
    const std::string text = FormatDialogTemplate(*parsed.dialog);
    EXPECT_NE(std::string::npos, text.find("style popup caption\n")) << text;
    EXPECT_NE(std::string::npos, text.find("3 checkbox hidden multiline 1 2 3 4 \"x\"\n")) << text;
    EXPECT_NE(std::string::npos, text.find("4 listview report singlesel 1 2 3 4\n")) << text;
    EXPECT_EQ(std::string::npos, text.find("style:")) << text;
}

TEST(TemplateWriter, EveryEmbeddedTemplateSurvivesARoundTrip)
{
    ASSERT_FALSE(resources::EmbeddedTemplateFiles().empty());
    for (const auto& file : resources::EmbeddedTemplateFiles()) {
        SCOPED_TRACE(std::string(file.name));
        auto first = ParseDialogTemplate(file.text, file.name);
        ASSERT_TRUE(first.ok()) << testing::PrintToString(first.error);
        auto second = ParseDialogTemplate(FormatDialogTemplate(*first.dialog), file.name);
        ASSERT_TRUE(second.ok()) << testing::PrintToString(second.error);
        ExpectSameTemplate(*first.dialog, *second.dialog);
    }
}

}  // namespace
