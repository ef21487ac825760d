#include "host/dialogs/CDateTimeDlg.h"
#include "host/dialogs/CTimerDlg.h"
#include "host/dialogs/DateTimeFields.h"
#include "tests/harness/DialogTestHelpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

using host::DateTimeFields;
using host::IDD_HOST_DATETIME;
using host::IDD_HOST_TIMER;
using testing_support::ControlText;
using testing_support::ScriptedOperator;

namespace {

// A SYSTEMTIME has the weekday third.
SYSTEMTIME Time(int year, int month, int day, int hour, int minute, int second)
{
    return SYSTEMTIME{WORD(year), WORD(month), 0, WORD(day), WORD(hour), WORD(minute), WORD(second), 0};
}

// "2024/02/29 10:20:29" for comparing whole times at once.
std::string Text(const SYSTEMTIME& time)
{
    char text[48];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
                  time.wMinute, time.wSecond);
    return text;
}

}  // namespace

TEST(DateTimeFields, StepsWrapExceptTheYearAndOddValuesAreClamped)
{
    DateTimeFields fields;
    fields.Set(Time(2099, 12, 31, 23, 59, 59));
    for (auto field : {DateTimeFields::Year, DateTimeFields::Month, DateTimeFields::Day, DateTimeFields::Hour,
                       DateTimeFields::Minute, DateTimeFields::Second})
        fields.Step(field, 1);
    EXPECT_EQ("2099/01/01 00:00:00", Text(fields.Get()));
    fields.Step(DateTimeFields::Day, -1);
    fields.Step(DateTimeFields::Month, -13);
    EXPECT_EQ("2099/12/31 00:00:00", Text(fields.Get()));
    fields.Set(Time(1970, 0, 0, 25, 61, 99));
    SYSTEMTIME clamped = fields.Get();
    EXPECT_EQ(DateTimeFields::kMinYear, clamped.wYear);
    EXPECT_EQ("01/01 23:59:59", Text(clamped).substr(5));
}

TEST(DateTimeFields, ValidityLeapYearsAndWeekdays)
{
    const std::tuple<int, int, int> days[] = {{2024, 2, 29}, {2100, 2, 28}, {2000, 2, 29}, {2023, 4, 30}};
    for (const auto& [year, month, count] : days)
        EXPECT_EQ(count, DateTimeFields::DaysInMonth(year, month)) << year << "/" << month;
    EXPECT_EQ(0, DateTimeFields::DayOfWeek(2023, 1, 1));  // a Sunday
    EXPECT_EQ(6, DateTimeFields::DayOfWeek(2000, 1, 1));  // a Saturday
    DateTimeFields fields;
    fields.Set(Time(2023, 2, 29, 0, 0, 0));
    EXPECT_FALSE(fields.IsValid());
}

// Cancel keeps the time: the timer dialog's story, on the same base.
TEST(CDateTimeDlg, RefusesADayTheMonthDoesNotHave)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Do(IDD_HOST_DATETIME, "fields shown", [](HWND dialog) {
        EXPECT_EQ(L"31 30", ControlText(dialog, DateEntryDialog::kValueId + 2) + L" " +
                                ControlText(dialog, DateEntryDialog::kValueId + 5));
    });
    script.Tap(IDD_HOST_DATETIME, DateEntryDialog::kUpId + 1);  // February 31st
    script.Answer(IDOK);
    script.Do(IDD_HOST_DATETIME, "refused", [](HWND dialog) {
        EXPECT_EQ(L"日付が正しくありません", ControlText(dialog, DateEntryDialog::kMessageId));
    });
    script.Tap(IDD_HOST_DATETIME, DateEntryDialog::kDownId + 2).Tap(IDD_HOST_DATETIME, DateEntryDialog::kDownId + 2);
    script.Do(IDD_HOST_DATETIME, "message cleared", [](HWND dialog) {
        EXPECT_EQ(L"", ControlText(dialog, DateEntryDialog::kMessageId));
        EXPECT_EQ(L"29", ControlText(dialog, DateEntryDialog::kValueId + 2));
    });
    script.Tap(IDD_HOST_DATETIME, DateEntryDialog::kDownId + 5);
    script.Answer(IDOK);
    CDateTimeDlg dialog(nullptr, true);
    dialog.SetConfigData(Time(2024, 1, 31, 10, 20, 30));
    EXPECT_EQ(1, dialog.DoModal());
    SYSTEMTIME chosen;
    ASSERT_TRUE(dialog.GetDateTime(&chosen));
    EXPECT_EQ("2024/02/29 10:20:29", Text(chosen));
    EXPECT_EQ(4, chosen.wDayOfWeek);
    EXPECT_FALSE(dialog.GetDateTime(nullptr));
}

// The repeat mode and the time reaching the recording page are checked there;
// here what the page cannot reach: cancel and the partial read-outs.
TEST(CTimerDlg, CancelKeepsModeAndTimeAndEitherMayBeReadAlone)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Do(IDD_HOST_TIMER, "no seconds field", [](HWND dialog) {
        EXPECT_EQ(nullptr, GetDlgItem(dialog, DateEntryDialog::kValueId + 5));
    });
    script.Tap(IDD_HOST_TIMER, CTimerDlg::kRepeatId + 3).Tap(IDD_HOST_TIMER, DateEntryDialog::kUpId + 4);
    script.Answer(IDCANCEL);
    CTimerDlg timer(nullptr);
    timer.SetConfigData(Time(2024, 3, 1, 8, 59, 45), 1);
    EXPECT_EQ(IDCANCEL, timer.DoModal());
    SYSTEMTIME start;
    int repeat = -1;
    ASSERT_TRUE(timer.GetDateTime(&start, &repeat));
    EXPECT_EQ(1, repeat);
    EXPECT_EQ("08:59:45", Text(start).substr(11));
    timer.SetConfigData(Time(2024, 3, 1, 8, 59, 45), 3);
    EXPECT_TRUE(timer.GetDateTime(nullptr, &repeat));
    EXPECT_EQ(3, repeat);
    EXPECT_FALSE(timer.GetDateTime(nullptr, nullptr));
}
