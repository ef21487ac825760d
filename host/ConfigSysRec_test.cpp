#include "host/ConfigSysMeas.h"
#include "host/ConfigSysRec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

struct Report {
    const CONFIG_BASE* object;
    DWORD changes;
};

// Installs a recording change hook for the test's lifetime.
class HookRecorder {
public:
    HookRecorder()
    {
        previous_ = CONFIG_BASE::SetChangeHook(
            [this](CONFIG_BASE& object, DWORD changes) { reports.push_back({&object, changes}); });
    }
    ~HookRecorder() { CONFIG_BASE::SetChangeHook(previous_); }

    std::vector<Report> reports;

private:
    CONFIG_BASE::ChangeHook previous_;
};

} // namespace

TEST(ConfigObjects, TextsAreCutAtTheirLimitAndIndexesChecked)
{
    auto rec = std::make_unique<CONFIG_SYSREC>();
    rec->SetAnnotationText(107, std::wstring(100, L'あ').c_str());
    EXPECT_EQ(rec->GetAnnotationText(107), std::wstring(79, L'あ'));
    rec->SetMeasInfoText(0, std::wstring(40, L'x').c_str());
    EXPECT_EQ(rec->GetMeasInfoText(0).GetLength(), 30);
    // 30 characters outside the basic plane need 60 UTF-16 units; the
    // 32-unit field keeps whole pairs only.
    rec->SetSigLabelText(0, 0, std::wstring(30, L'\U0001F600').c_str());
    EXPECT_EQ(rec->GetSigLabelText(0, 0), std::wstring(15, L'\U0001F600'));
    rec->SetSigLabelText(0, 0, nullptr);
    EXPECT_EQ(rec->GetSigLabelText(0, 0), L"");

    HookRecorder hook;
    rec->SetSigLabelText(16, 0, L"x");
    rec->SetSigLabelText(0, 8, L"x");
    rec->SetAnnotationText(-1, L"x");
    rec->SetMeasInfoText(108, L"x");
    rec->SetSpeedPen(2, SPEED_TABLE{1, 1, 1});
    EXPECT_TRUE(hook.reports.empty());
    EXPECT_EQ(rec->GetSigLabelText(16, 0), L"");
    EXPECT_EQ(rec->GetSpeedMem(-1).value, 0);
}

TEST(ConfigObjects, SettersReportOnlyRealChanges)
{
    CONFIG_SYSMEAS meas;
    auto rec = std::make_unique<CONFIG_SYSREC>();
    HookRecorder hook;
    meas.SetMode(meas.GetMode());
    rec->SetGrid(rec->GetGrid());
    rec->SetStartTime(rec->GetStartTime());
    EXPECT_TRUE(hook.reports.empty());

    meas.SetMode(4);
    rec->SetTimeScale(2);
    rec->SetAnnotationText(3, L"annotation");
    ASSERT_EQ(hook.reports.size(), 3u);
    const CONFIG_BASE* objects[] = {&meas, rec.get(), rec.get()};
    const DWORD changes[] = {CONFIG_SYSMEAS::CHANGE_MODE, CONFIG_SYSREC::CHANGE_RECORD_FORMAT,
                             CONFIG_SYSREC::CHANGE_PRINT_TEXT};
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(hook.reports[i].object == objects[i] && hook.reports[i].changes == changes[i]) << "report " << i;
}

TEST(ConfigObjects, PendingControlHoldsReportsUntilTheLastHolderEnds)
{
    auto rec = std::make_unique<CONFIG_SYSREC>();
    HookRecorder hook;
    {
        CONFIG_AUTOPENDINGCTRL outer(rec.get());
        rec->SetAnnotationText(0, L"a");
        {
            CONFIG_AUTOPENDINGCTRL inner(rec.get());
            rec->SetGrid(4);
        }
        EXPECT_TRUE(hook.reports.empty());
        rec->SetAnnotationText(1, L"b");
        EXPECT_EQ(rec->GetHeldChanges(), DWORD(CONFIG_SYSREC::CHANGE_PRINT_TEXT | CONFIG_SYSREC::CHANGE_PRINT_FORMAT));
    }
    ASSERT_EQ(hook.reports.size(), 1u);
    EXPECT_EQ(hook.reports[0].changes, DWORD(CONFIG_SYSREC::CHANGE_PRINT_TEXT | CONFIG_SYSREC::CHANGE_PRINT_FORMAT));

    // Holding without a change reports nothing; a null object is accepted.
    { CONFIG_AUTOPENDINGCTRL idle(rec.get()); }
    { CONFIG_AUTOPENDINGCTRL none(nullptr); }
    EXPECT_EQ(hook.reports.size(), 1u);
}

TEST(ConfigObjects, ParamsRoundTripAndTheCounterIsReported)
{
    auto rec = std::make_unique<CONFIG_SYSREC>();
    rec->SetDataNo(41);
    HookRecorder hook;
    auto params = std::make_unique<CONFIG_SYSREC::PARAMS>(rec->GetParams());
    EXPECT_EQ(params->dwDataNo, 41u);
    const DWORD before = params->dwDataRecordCounter;
    params->dwDataRecordCounter++;
    rec->SetParams(*params);
    ASSERT_EQ(hook.reports.size(), 1u);
    EXPECT_EQ(hook.reports[0].changes, DWORD(CONFIG_SYSREC::CHANGE_PARAMS));
    CONFIG_SYSREC::PARAMS again;
    rec->GetParams(again);
    EXPECT_EQ(again.dwDataRecordCounter, before + 1);
    EXPECT_EQ(rec->GetDataNo(), 41u);
    rec->SetParams(again);
    EXPECT_EQ(hook.reports.size(), 1u);
}

TEST(ConfigObjects, HookMayBeReplacedFromInsideItself)
{
    CONFIG_SYSMEAS meas;
    int calls = 0;
    auto previous = CONFIG_BASE::SetChangeHook([&](CONFIG_BASE&, DWORD) {
        ++calls;
        CONFIG_BASE::SetChangeHook(nullptr);
    });
    meas.SetMode(1);
    meas.SetMode(2);
    EXPECT_EQ(calls, 1);
    CONFIG_BASE::SetChangeHook(previous);
}
