// The library's own templates as the window layer sees them after start-up.
#include "resources/EmbeddedTemplates.h"
#include "resources/TemplateParser.h"
#include "resources/TemplateRegistration.h"
#include "win/DebugLog.h"
#include "win/DialogTemplate.h"

#include <gtest/gtest.h>

#include <algorithm>


namespace {

// The pixel size of a template's rectangle.
SIZE PixelSize(const win::DialogTemplate& dialog, int cx, int cy)
{
    RECT rect = win::DialogUnitsToPixels(win::BaseUnitsForFont(dialog.fontSize), 0, 0, cx, cy);
    return {rect.right, rect.bottom};
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

TEST(Templates, AllEmbeddedFilesAreRegisteredOnceAtStartUp)
{
    const win::DialogTemplate* before = win::FindDialogTemplate(17000);
    // The static initializer has already run; this call only reports it.
    EXPECT_TRUE(resources::RegisterAllTemplates());
    EXPECT_EQ(before, win::FindDialogTemplate(17000)) << "registering again changes nothing";
    for (const auto& file : resources::EmbeddedTemplateFiles()) {
        const UINT id = static_cast<UINT>(std::stoul(std::string(file.name)));
        EXPECT_EQ(std::string(file.name), std::to_string(id) + ".dlg") << "one file per template, named by id";
        const win::DialogTemplate* dialog = win::FindDialogTemplate(id);
        ASSERT_NE(nullptr, dialog) << file.name;
        EXPECT_EQ(id, dialog->id);
    }
}

TEST(Templates, MalformedTextIsReportedWithFileAndLineAndNotRegistered)
{
    win::DebugLog::Clear();
    EXPECT_FALSE(resources::RegisterTemplateText("dialog 17950\nsize 10 10\n1 buton 0 0 1 1\n", "17950.dlg"));
    EXPECT_EQ(nullptr, win::FindDialogTemplate(17950));
    EXPECT_TRUE(win::DebugLog::Contains(L"17950.dlg:3: unknown control class 'buton'"));
}

// Ids used twice never get this far: the parser refuses them.
TEST(Templates, EveryControlFitsInsideItsDialogInTheSystemFont)
{
    const auto templates = LibraryTemplates();
    ASSERT_FALSE(templates.empty());
    for (const win::DialogTemplate* dialog : templates) {
        SCOPED_TRACE("template " + std::to_string(dialog->id));
        EXPECT_EQ(L"ＭＳ ゴシック", dialog->fontName);
        EXPECT_EQ(9, dialog->fontSize);
        for (const win::ControlTemplate& control : dialog->controls) {
            EXPECT_TRUE(control.x >= 0 && control.y >= 0 && control.cx > 0 && control.cy > 0 &&
                        control.x + control.cx <= dialog->cx && control.y + control.cy <= dialog->cy)
                << "control " << control.id << " at " << control.x << "," << control.y << " size " << control.cx
                << "x" << control.cy;
        }
    }
}

// Pages are child dialogs that fit under the tabs (32-pixel tabs) of their
// frame's tab control: the system dialog's six pages and the speed-table
// page. The recording page keeps the instrument's own 357 by 225 layout,
// whose bottom row reaches a few pixels under the tab's edge.
TEST(Templates, PagesAreChildDialogsThatFitTheTabPageArea)
{
    const std::pair<UINT, std::vector<UINT>> frames[] = {{17000, {17001, 17002, 17003, 17004, 17005, 17006}},
                                                         {17013, {17014}}};
    for (const auto& [frameId, pages] : frames) {
        const win::DialogTemplate* frame = win::FindDialogTemplate(frameId);
        ASSERT_NE(nullptr, frame) << frameId;
        const auto tab = std::find_if(frame->controls.begin(), frame->controls.end(),
                                      [](const win::ControlTemplate& control) { return control.id == 17000; });
        ASSERT_TRUE(tab != frame->controls.end() && tab->controlClass == win::ControlClass::TabControl) << frameId;
        const SIZE tabSize = PixelSize(*frame, tab->cx, tab->cy);
        for (UINT id : pages) {
            const win::DialogTemplate* page = win::FindDialogTemplate(id);
            ASSERT_NE(nullptr, page) << id;
            EXPECT_TRUE(page->style & WS_CHILD) << id;
            EXPECT_FALSE(page->style & (WS_POPUP | WS_CAPTION)) << id;
            EXPECT_TRUE(page->caption.empty()) << id;
            const SIZE size = PixelSize(*page, page->cx, page->cy);
            EXPECT_LE(size.cx, tabSize.cx - 4) << id;
            EXPECT_TRUE(id == 17005 || size.cy <= tabSize.cy - 32 - 4) << id;
        }
    }
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
