// The library's own templates as the window layer sees them after start-up.
#include "resources/EmbeddedTemplates.h"
#include "resources/TemplateParser.h"
#include "resources/TemplateRegistration.h"
#include "win/DebugLog.h"
#include "win/DialogTemplate.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The pixel size of a template's rectangle.
SIZE PixelSize(const win::DialogTemplate& dialog, int cx, int cy)
{
    RECT rect = win::DialogUnitsToPixels(win::BaseUnitsForFont(dialog.fontSize), 0, 0, cx, cy);
    return {rect.right, rect.bottom};
}

const win::ControlTemplate* FindControl(const win::DialogTemplate& dialog, int id)
{
    for (const win::ControlTemplate& control : dialog.controls) {
        if (control.id == id)
            return &control;
    }
    return nullptr;
}

std::vector<const win::DialogTemplate*> LibraryTemplates()
{
    std::vector<const win::DialogTemplate*> templates;
    for (UINT id : win::RegisteredDialogTemplateIds()) {
        if (id >= 17000 && id <= 17019)
            templates.push_back(win::FindDialogTemplate(id));
    }
    return templates;
}

TEST(Templates, AllEmbeddedFilesAreRegisteredAtStartUp)
{
    // The static initializer has already run; this call only reports it.
    EXPECT_TRUE(resources::RegisterAllTemplates());
    for (const auto& file : resources::EmbeddedTemplateFiles()) {
        const UINT id = static_cast<UINT>(std::stoul(std::string(file.name)));
        EXPECT_EQ(std::string(file.name), std::to_string(id) + ".dlg") << "one file per template, named by id";
        const win::DialogTemplate* dialog = win::FindDialogTemplate(id);
        ASSERT_NE(nullptr, dialog) << file.name;
        EXPECT_EQ(id, dialog->id);
    }
    for (UINT id = 17000; id <= 17006; ++id)
        EXPECT_NE(nullptr, win::FindDialogTemplate(id)) << id;
}

TEST(Templates, RegisteringAgainChangesNothing)
{
    const win::DialogTemplate* before = win::FindDialogTemplate(17000);
    ASSERT_NE(nullptr, before);
    EXPECT_TRUE(resources::RegisterAllTemplates());
    EXPECT_EQ(before, win::FindDialogTemplate(17000));
}

TEST(Templates, MalformedTextIsReportedWithFileAndLineAndNotRegistered)
{
    win::DebugLog::Clear();
    EXPECT_FALSE(resources::RegisterTemplateText("dialog 17950\nsize 10 10\n1 buton 0 0 1 1\n", "17950.dlg"));
    EXPECT_EQ(nullptr, win::FindDialogTemplate(17950));
    EXPECT_TRUE(win::DebugLog::Contains(L"17950.dlg:3: unknown control class 'buton'"));

    EXPECT_TRUE(resources::RegisterTemplateText("dialog 17951\nsize 10 10\n", "17951.dlg"));
    EXPECT_NE(nullptr, win::FindDialogTemplate(17951));
}

TEST(Templates, EveryControlHasAUniqueIdAndFitsInsideItsDialog)
{
    const auto templates = LibraryTemplates();
    ASSERT_FALSE(templates.empty());
    for (const win::DialogTemplate* dialog : templates) {
        SCOPED_TRACE("template " + std::to_string(dialog->id));
        std::set<int> ids;
        for (const win::ControlTemplate& control : dialog->controls) {
            if (control.id != -1) {
                EXPECT_TRUE(ids.insert(control.id).second) << "control " << control.id << " twice";
            }
            EXPECT_GE(control.x, 0) << control.id;
            EXPECT_GE(control.y, 0) << control.id;
            EXPECT_LE(control.x + control.cx, dialog->cx) << control.id;
            EXPECT_LE(control.y + control.cy, dialog->cy) << control.id;
            EXPECT_GT(control.cx, 0) << control.id;
            EXPECT_GT(control.cy, 0) << control.id;
        }
    }
}

TEST(Templates, EveryTemplateUsesTheSystemFont)
{
    for (const win::DialogTemplate* dialog : LibraryTemplates()) {
        EXPECT_EQ(L"ＭＳ ゴシック", dialog->fontName) << dialog->id;
        EXPECT_EQ(9, dialog->fontSize) << dialog->id;
    }
}

TEST(Templates, SystemDialogIsTheFrameTable)
{
    const win::DialogTemplate* dialog = win::FindDialogTemplate(17000);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(L"システム", dialog->caption);
    EXPECT_EQ(WS_POPUP | WS_CAPTION | DS_MODALFRAME, dialog->style);
    EXPECT_EQ(378, dialog->cx);
    EXPECT_EQ(346, dialog->cy);

    struct Expected {
        int id;
        win::ControlClass controlClass;
        int x, y, cx, cy;
        const wchar_t* text;
    };
    const Expected table[] = {
        {17000, win::ControlClass::TabControl, 6, 60, 366, 246, L""},
        {17005, win::ControlClass::Button, 6, 6, 102, 24, L"終了処理"},
        {17002, win::ControlClass::Button, 126, 6, 102, 24, L"USBドライブ切り離し"},
        {17040, win::ControlClass::Button, 270, 6, 102, 24, L"アプリ終了\n(デバッグ用)"},
        {17045, win::ControlClass::Button, 282, 312, 90, 24, L"閉じる"},
    };
    EXPECT_EQ(std::size(table), dialog->controls.size());
    for (const Expected& e : table) {
        const win::ControlTemplate* control = FindControl(*dialog, e.id);
        ASSERT_NE(nullptr, control) << e.id;
        EXPECT_EQ(e.controlClass, control->controlClass) << e.id;
        EXPECT_EQ(e.x, control->x) << e.id;
        EXPECT_EQ(e.y, control->y) << e.id;
        EXPECT_EQ(e.cx, control->cx) << e.id;
        EXPECT_EQ(e.cy, control->cy) << e.id;
        EXPECT_EQ(e.text, control->text) << e.id;
    }
    const win::ControlTemplate* appExit = FindControl(*dialog, 17040);
    EXPECT_TRUE(appExit->style & BS_MULTILINE);
    EXPECT_FALSE(appExit->style & WS_VISIBLE) << "the application-exit button is never visible";
    EXPECT_EQ(BS_PUSHBUTTON, FindControl(*dialog, 17045)->style & BS_TYPEMASK);
}

TEST(Templates, SystemDialogFitsThePanel)
{
    const win::DialogTemplate* dialog = win::FindDialogTemplate(17000);
    ASSERT_NE(nullptr, dialog);
    SIZE size = PixelSize(*dialog, dialog->cx, dialog->cy);
    EXPECT_EQ(567, size.cx);
    EXPECT_EQ(433, size.cy);
}

// The frame's tab control is 366 by 246 units with 32-pixel tabs; a page sits
// under the tabs. The recording page keeps the instrument's own 357 by 225
// layout, whose bottom row reaches a few pixels under the tab's edge.
TEST(Templates, PagesAreChildDialogsThatFitTheTabPageArea)
{
    const win::DialogTemplate* frame = win::FindDialogTemplate(17000);
    ASSERT_NE(nullptr, frame);
    const win::ControlTemplate* tab = FindControl(*frame, 17000);
    ASSERT_NE(nullptr, tab);
    const SIZE tabSize = PixelSize(*frame, tab->cx, tab->cy);
    const SIZE area = {tabSize.cx - 4, tabSize.cy - 32 - 4};

    for (UINT id = 17001; id <= 17006; ++id) {
        const win::DialogTemplate* page = win::FindDialogTemplate(id);
        ASSERT_NE(nullptr, page) << id;
        EXPECT_TRUE(page->style & WS_CHILD) << id;
        EXPECT_FALSE(page->style & (WS_POPUP | WS_CAPTION)) << id;
        EXPECT_TRUE(page->caption.empty()) << id;
        const SIZE size = PixelSize(*page, page->cx, page->cy);
        EXPECT_LE(size.cx, area.cx) << id;
        if (id != 17005) {
            EXPECT_LE(size.cy, area.cy) << id;
        }
    }
    const win::DialogTemplate* recording = win::FindDialogTemplate(17005);
    EXPECT_EQ(357, recording->cx);
    EXPECT_EQ(225, recording->cy);
}

TEST(Templates, SpeedTablePageFitsItsTabControl)
{
    const win::DialogTemplate* dialog = win::FindDialogTemplate(17013);
    const win::DialogTemplate* page = win::FindDialogTemplate(17014);
    ASSERT_NE(nullptr, dialog);
    ASSERT_NE(nullptr, page);
    const win::ControlTemplate* tab = FindControl(*dialog, 17000);
    ASSERT_NE(nullptr, tab);
    EXPECT_EQ(win::ControlClass::TabControl, tab->controlClass);
    EXPECT_TRUE(page->style & WS_CHILD);
    const SIZE tabSize = PixelSize(*dialog, tab->cx, tab->cy);
    const SIZE pageSize = PixelSize(*page, page->cx, page->cy);
    EXPECT_LE(pageSize.cx, tabSize.cx - 4);
    EXPECT_LE(pageSize.cy, tabSize.cy - 32 - 4);
}

TEST(Templates, ModalDialogsFitThePanelWithTheirCaption)
{
    for (const win::DialogTemplate* dialog : LibraryTemplates()) {
        if (dialog->style & WS_CHILD)
            continue;
        SCOPED_TRACE("template " + std::to_string(dialog->id));
        EXPECT_TRUE(dialog->style & WS_POPUP);
        EXPECT_TRUE(dialog->style & WS_CAPTION);
        const SIZE size = PixelSize(*dialog, dialog->cx, dialog->cy);
        EXPECT_LE(size.cx, 640);
        EXPECT_LE(size.cy + 24, 480) << "a caption bar of 24 pixels above the client area";
    }
}

}  // namespace
