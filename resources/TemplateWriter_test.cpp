#include "resources/TemplateWriter.h"

#include "resources/EmbeddedTemplates.h"
#include "resources/TemplateParser.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using resources::FormatDialogTemplate;
using resources::ParseDialogTemplate;

void ExpectSameTemplate(const win::DialogTemplate& e, const win::DialogTemplate& a)
{
    EXPECT_EQ(std::tie(e.id, e.caption, e.fontName, e.fontSize, e.style, e.x, e.y, e.cx, e.cy),
              std::tie(a.id, a.caption, a.fontName, a.fontSize, a.style, a.x, a.y, a.cx, a.cy));
    ASSERT_EQ(e.controls.size(), a.controls.size());
    for (std::size_t i = 0; i < e.controls.size(); ++i) {
        const win::ControlTemplate& c = e.controls[i];
        const win::ControlTemplate& d = a.controls[i];
        EXPECT_EQ(std::tie(c.id, c.controlClass, c.className, c.style, c.exStyle, c.x, c.y, c.cx, c.cy, c.text),
                  std::tie(d.id, d.controlClass, d.className, d.style, d.exStyle, d.x, d.y, d.cx, d.cy, d.text))
            << "control " << i;
    }
}

win::ControlTemplate Control(int id, win::ControlClass controlClass, const wchar_t* className, DWORD style)
{
    const int size = id < 0 ? -id : id;
    return win::ControlTemplate{.id = id, .controlClass = controlClass, .className = className,
                                .style = WS_CHILD | style, .x = id, .y = -id, .cx = 2 * size, .cy = 3 * size,
                                .text = {}};
}

TEST(TemplateWriter, WritesWhatTheParserReadsBack)
{
    std::vector<win::ControlTemplate> controls = {
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
    controls[0].text = L"実行";
    controls[3].exStyle = 0x200 | 0x4;
    controls[9].text = L"a\\b\r\n";
    const win::DialogTemplate dialog{.id = 4242, .caption = L"タブ\t\"引用\" \\ 改行\n# not a comment",
                                     .fontName = L"ＭＳ ゴシック", .fontSize = 11,
                                     .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | 0x2,  // 0x2: unnamed
                                     .x = -3, .y = 7, .cx = 300, .cy = 200, .controls = controls};

    const std::string text = FormatDialogTemplate(dialog);
    auto parsed = ParseDialogTemplate(text, "written.dlg");
    ASSERT_TRUE(parsed.ok()) << testing::PrintToString(parsed.error) << "\n" << text;
    ExpectSameTemplate(dialog, *parsed.dialog);
    // Keywords where they exist, numbers only for the bits no keyword names.
    for (const char* line : {"\nstyle popup caption sysmenu modalframe style:0x2\n",
                             "\n4 static center sunken clientedge style:0x40 exstyle:0x4 4 -4 8 12\n",
                             "\n6 listview report showselalways border 6 -6 12 18\n"})
        EXPECT_NE(std::string::npos, text.find(line)) << line << text;
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
