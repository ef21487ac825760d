#include "win/DialogTemplate.h"

#include "win/DebugLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

using win::ControlClass;
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
    ok.controlClass = ControlClass::Button;
    ok.cx = 40;
    ok.cy = 14;
    dialog.controls.push_back(ok);
    return dialog;
}

TEST(DialogTemplateRegistry, FindsWhatWasRegisteredAndNothingElse)
{
    ASSERT_TRUE(win::RegisterDialogTemplate(MakeTemplate(kTestId, L"一")));
    const DialogTemplate* found = win::FindDialogTemplate(kTestId);
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(L"一", found->caption);
    ASSERT_EQ(1u, found->controls.size());
    EXPECT_EQ(IDOK, found->controls[0].id);
    EXPECT_EQ(nullptr, win::FindDialogTemplate(kTestId + 999));
    auto ids = win::RegisteredDialogTemplateIds();
    EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), kTestId));
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
}

TEST(DialogTemplateRegistry, ReRegisteringReplacesButKeepsTheOldOneReadable)
{
    ASSERT_TRUE(win::RegisterDialogTemplate(MakeTemplate(kTestId + 1, L"old")));
    const DialogTemplate* old = win::FindDialogTemplate(kTestId + 1);
    ASSERT_TRUE(win::RegisterDialogTemplate(MakeTemplate(kTestId + 1, L"new")));
    const DialogTemplate* current = win::FindDialogTemplate(kTestId + 1);
    ASSERT_NE(nullptr, current);
    EXPECT_EQ(L"new", current->caption);
    EXPECT_EQ(L"old", old->caption) << "a dialog being built from the old template keeps it";
}

TEST(DialogTemplateRegistry, RejectsDuplicateControlIdsButNotRepeatedMinusOne)
{
    win::DebugLog::Clear();
    DialogTemplate duplicate = MakeTemplate(kTestId + 2, L"dup");
    duplicate.controls.push_back(duplicate.controls[0]);
    EXPECT_FALSE(win::RegisterDialogTemplate(duplicate));
    EXPECT_EQ(nullptr, win::FindDialogTemplate(kTestId + 2));
    EXPECT_TRUE(win::DebugLog::Contains(L"duplicate control id 1"));

    DialogTemplate labels = MakeTemplate(kTestId + 2, L"labels");
    ControlTemplate label;
    label.id = -1;
    labels.controls.push_back(label);
    labels.controls.push_back(label);
    EXPECT_TRUE(win::RegisterDialogTemplate(labels));
}

TEST(DialogTemplateRegistry, RejectedTemplateLeavesTheEarlierOneInPlace)
{
    ASSERT_TRUE(win::RegisterDialogTemplate(MakeTemplate(kTestId + 3, L"good")));
    DialogTemplate bad = MakeTemplate(kTestId + 3, L"bad");
    bad.controls[0].cy = -1;
    EXPECT_FALSE(win::RegisterDialogTemplate(bad));
    EXPECT_EQ(L"good", win::FindDialogTemplate(kTestId + 3)->caption);
}

TEST(DialogTemplateRegistry, RejectsNegativeDialogSize)
{
    win::DebugLog::Clear();
    DialogTemplate bad = MakeTemplate(kTestId + 4, L"bad");
    bad.cx = -10;
    EXPECT_FALSE(win::RegisterDialogTemplate(bad));
    EXPECT_TRUE(win::DebugLog::Contains(L"negative dialog size"));
    DialogTemplate empty = MakeTemplate(kTestId + 4, L"empty");
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

TEST(DialogUnits, SystemDialogFitsThePanel)
{
    const win::DialogBaseUnits units = win::BaseUnitsForFont(9);
    RECT rect = win::DialogUnitsToPixels(units, 0, 0, 378, 346);
    EXPECT_EQ(567, rect.right);
    EXPECT_EQ(433, rect.bottom) << "346 * 10 / 8 = 432.5 rounds up, as MulDiv does";
}

TEST(DialogUnits, PositionAndSizeConvertSeparately)
{
    const win::DialogBaseUnits units = win::BaseUnitsForFont(9);
    RECT rect = win::DialogUnitsToPixels(units, 6, 60, 366, 246);
    EXPECT_EQ(9, rect.left);
    EXPECT_EQ(75, rect.top);
    EXPECT_EQ(9 + 549, rect.right);
    EXPECT_EQ(75 + 308, rect.bottom);
    // 1 and 3 units across: 1.5 and 4.5 pixels, each rounded on its own.
    RECT odd = win::DialogUnitsToPixels(units, 1, 1, 3, 3);
    EXPECT_EQ(2, odd.left);
    EXPECT_EQ(1, odd.top);
    EXPECT_EQ(2 + 5, odd.right);
    EXPECT_EQ(1 + 4, odd.bottom);
}

TEST(DialogUnits, NegativeCoordinatesRoundAwayFromZero)
{
    RECT rect = win::DialogUnitsToPixels(win::BaseUnitsForFont(9), -1, -4, 0, 0);
    EXPECT_EQ(-2, rect.left);
    EXPECT_EQ(-5, rect.top);
}

TEST(DialogUnits, BaseUnitsScaleWithThePointSize)
{
    EXPECT_EQ(6, win::BaseUnitsForFont(9).x);
    EXPECT_EQ(10, win::BaseUnitsForFont(9).y);
    EXPECT_EQ(12, win::BaseUnitsForFont(18).x);
    EXPECT_EQ(20, win::BaseUnitsForFont(18).y);
    EXPECT_EQ(8, win::BaseUnitsForFont(12).x);
    EXPECT_EQ(13, win::BaseUnitsForFont(12).y);
    EXPECT_EQ(6, win::BaseUnitsForFont(0).x) << "a template without a size uses the 9-point cell";
    EXPECT_EQ(10, win::BaseUnitsForFont(-3).y);
}

}  // namespace
