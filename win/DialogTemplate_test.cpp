#include "win/DialogTemplate.h"

#include "win/DebugLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <functional>
#include <thread>

namespace {

using win::ControlTemplate;
using win::DialogTemplate;

// Ids well away from the system's 17000 to 17019, which the resources
// register at start-up in programs that link them.
constexpr UINT kTestId = 91000;

DialogTemplate MakeTemplate(UINT id, std::wstring caption)
{
    DialogTemplate dialog;
    dialog.id = id;
    dialog.caption = std::move(caption);
    dialog.cx = 100;
    dialog.cy = 50;
    ControlTemplate ok;
    ok.id = IDOK;
    ok.controlClass = win::ControlClass::Button;
    ok.cx = 40;
    ok.cy = 14;
    dialog.controls.push_back(ok);
    return dialog;
}

TEST(DialogTemplateRegistry, FindsWhatWasRegisteredAndReplacesButKeepsTheOldOneReadable)
{
    ASSERT_TRUE(win::RegisterDialogTemplate(MakeTemplate(kTestId, L"一")));
    const DialogTemplate* old = win::FindDialogTemplate(kTestId);
    ASSERT_NE(nullptr, old);
    EXPECT_EQ(L"一", old->caption);
    EXPECT_EQ(nullptr, win::FindDialogTemplate(kTestId + 999));
    auto ids = win::RegisteredDialogTemplateIds();
    EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), kTestId));
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));

    ASSERT_TRUE(win::RegisterDialogTemplate(MakeTemplate(kTestId, L"new")));
    EXPECT_EQ(L"new", win::FindDialogTemplate(kTestId)->caption);
    EXPECT_EQ(L"一", old->caption) << "a dialog being built from the old template keeps it";
}

// A malformed template is refused with a line in the debug log, and the
// template registered earlier under its id stays in place.
TEST(DialogTemplateRegistry, MalformedTemplatesAreRefused)
{
    const struct {
        const wchar_t* logged;
        std::function<void(DialogTemplate&)> spoil;
    } cases[] = {
        {L"duplicate control id 1", [](DialogTemplate& t) { t.controls.push_back(t.controls[0]); }},
        {L"negative", [](DialogTemplate& t) { t.controls[0].cy = -1; }},
        {L"negative dialog size", [](DialogTemplate& t) { t.cx = -10; }},
    };
    ASSERT_TRUE(win::RegisterDialogTemplate(MakeTemplate(kTestId + 1, L"good")));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.logged)));
        win::DebugLog::Clear();
        DialogTemplate bad = MakeTemplate(kTestId + 1, L"bad");
        c.spoil(bad);
        EXPECT_FALSE(win::RegisterDialogTemplate(bad));
        EXPECT_TRUE(win::DebugLog::Contains(c.logged));
        EXPECT_EQ(L"good", win::FindDialogTemplate(kTestId + 1)->caption);
    }

    DialogTemplate labels = MakeTemplate(kTestId + 2, L"labels");
    ControlTemplate label;
    label.id = -1;
    labels.controls.push_back(label);
    labels.controls.push_back(label);
    EXPECT_TRUE(win::RegisterDialogTemplate(labels)) << "repeated -1 ids are labels";
    DialogTemplate empty = MakeTemplate(kTestId + 3, L"empty");
    empty.cx = 0;
    empty.cy = 0;
    empty.controls.clear();
    EXPECT_TRUE(win::RegisterDialogTemplate(empty)) << "an empty template is not malformed";
}

TEST(DialogTemplateRegistry, ConcurrentRegistrationAndLookupSeeWholeTemplates)
{
    std::atomic<bool> bad{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &bad] {
            for (int i = 0; i < 200; ++i) {
                const UINT id = kTestId + 100 + static_cast<UINT>(i % 10);
                if (t % 2 == 0) {
                    win::RegisterDialogTemplate(MakeTemplate(id, L"v" + std::to_wstring(i)));
                } else if (const DialogTemplate* found = win::FindDialogTemplate(id)) {
                    if (found->id != id || found->controls.size() != 1 || found->caption.empty())
                        bad = true;
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_FALSE(bad);
    for (UINT id = kTestId + 100; id < kTestId + 110; ++id)
        EXPECT_NE(nullptr, win::FindDialogTemplate(id));
}

// Position and size round each on their own, away from zero, as MulDiv does.
TEST(DialogUnits, ConvertToPixels)
{
    const struct {
        int font, x, y, cx, cy;
        std::array<LONG, 4> pixels;  // left, top, right, bottom
    } cases[] = {
        {9, 0, 0, 378, 346, {0, 0, 567, 433}},  // the system dialog fits the panel; 432.5 rounds up
        {9, 6, 60, 366, 246, {9, 75, 9 + 549, 75 + 308}},
        {9, 1, 1, 3, 3, {2, 1, 2 + 5, 1 + 4}},  // 1.5 and 4.5 pixels
        {9, -1, -4, 0, 0, {-2, -5, -2, -5}},
        {18, 2, 8, 0, 0, {6, 20, 6, 20}},       // base units 12 by 20
        {12, 4, 8, 0, 0, {8, 13, 8, 13}},       // 8 by 13
        {0, 4, 8, 0, 0, {6, 10, 6, 10}},        // no size: the 9-point cell
        {-3, 4, 8, 0, 0, {6, 10, 6, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.font << " pt: " << c.x << "," << c.y << " " << c.cx << "x" << c.cy);
        RECT rect = win::DialogUnitsToPixels(win::BaseUnitsForFont(c.font), c.x, c.y, c.cx, c.cy);
        EXPECT_EQ((std::array<LONG, 4>{rect.left, rect.top, rect.right, rect.bottom}), c.pixels);
    }
}

}  // namespace
