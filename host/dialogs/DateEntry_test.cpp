#include "host/dialogs/CDateTimeDlg.h"
#include "host/dialogs/CTimerDlg.h"
#include "host/dialogs/DateTimeFields.h"
#include "tests/harness/ScriptedOperator.h"

#include <gtest/gtest.h>

using host::DateTimeFields;
using host::IDD_HOST_DATETIME;
using host::IDD_HOST_TIMER;
using testing_support::ScriptedOperator;

namespace {

SYSTEMTIME Time(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME time;
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    return time;
}

std::wstring Shown(HWND dialog, int id) { return GetWindowTextString(GetDlgItem(dialog, id)); }

}  // namespace

TEST(DateTimeFields, StepsWrapExceptTheYear)
{
    DateTimeFields fields;
    fields.Set(Time(2099, 12, 31, 23, 59, 59));
    fields.Step(DateTimeFields::Year, 1);
    fields.Step(DateTimeFields::Month, 1);
    fields.Step(DateTimeFields::Day, 1);
    fields.Step(DateTimeFields::Hour, 1);
    fields.Step(DateTimeFields::Minute, 1);
    fields.Step(DateTimeFields::Second, 1);
    SYSTEMTIME time = fields.Get();
    EXPECT_EQ(2099, time.wYear);
    EXPECT_EQ(1, time.wMonth);
    EXPECT_EQ(1, time.wDay);
    EXPECT_EQ(0, time.wHour);
    EXPECT_EQ(0, time.wMinute);
    EXPECT_EQ(0, time.wSecond);
    fields.Step(DateTimeFields::Day, -1);
    EXPECT_EQ(31, fields.Value(DateTimeFields::Day));
    fields.Step(DateTimeFields::Month, -13);
    EXPECT_EQ(12, fields.Value(DateTimeFields::Month));
}

TEST(DateTimeFields, ValidityLeapYearsAndWeekdays)
{
    EXPECT_EQ(29, DateTimeFields::DaysInMonth(2024, 2));
    EXPECT_EQ(28, DateTimeFields::DaysInMonth(2100, 2));
    EXPECT_EQ(29, DateTimeFields::DaysInMonth(2000, 2));
    EXPECT_EQ(30, DateTimeFields::DaysInMonth(2023, 4));
    EXPECT_EQ(0, DateTimeFields::DayOfWeek(2023, 1, 1));  // a Sunday
    EXPECT_EQ(4, DateTimeFields::DayOfWeek(2024, 2, 29)); // a Thursday
    EXPECT_EQ(6, DateTimeFields::DayOfWeek(2000, 1, 1));  // a Saturday
    DateTimeFields fields;
    fields.Set(Time(2023, 2, 29, 0, 0, 0));
    EXPECT_FALSE(fields.IsValid());
    fields.Set(Time(1970, 0, 0, 25, 61, 99));
    SYSTEMTIME clamped = fields.Get();
    EXPECT_EQ(DateTimeFields::kMinYear, clamped.wYear);
    EXPECT_EQ(1, clamped.wMonth);
    EXPECT_EQ(1, clamped.wDay);
    EXPECT_EQ(23, clamped.wHour);
    EXPECT_EQ(59, clamped.wMinute);
    EXPECT_EQ(59, clamped.wSecond);
}

TEST(CDateTimeDlg, RefusesADayTheMonthDoesNotHave)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Do(IDD_HOST_DATETIME, "fields shown", [](HWND dialog) {
        EXPECT_EQ(L"時計設定", GetWindowTextString(dialog));
        EXPECT_EQ(L"2024", Shown(dialog, DateEntryDialog::kValueId + 0));
        EXPECT_EQ(L"01", Shown(dialog, DateEntryDialog::kValueId + 1));
        EXPECT_EQ(L"31", Shown(dialog, DateEntryDialog::kValueId + 2));
        EXPECT_EQ(L"30", Shown(dialog, DateEntryDialog::kValueId + 5));
    });
    script.Tap(IDD_HOST_DATETIME, DateEntryDialog::kUpId + 1);  // February 31st
    script.Answer(IDOK);
    script.Do(IDD_HOST_DATETIME, "refused", [](HWND dialog) {
        EXPECT_EQ(L"日付が正しくありません", Shown(dialog, DateEntryDialog::kMessageId));
    });
    script.Tap(IDD_HOST_DATETIME, DateEntryDialog::kDownId + 2);
    script.Tap(IDD_HOST_DATETIME, DateEntryDialog::kDownId + 2);
    script.Do(IDD_HOST_DATETIME, "message cleared", [](HWND dialog) {
        EXPECT_EQ(L"", Shown(dialog, DateEntryDialog::kMessageId));
        EXPECT_EQ(L"29", Shown(dialog, DateEntryDialog::kValueId + 2));
    });
    script.Tap(IDD_HOST_DATETIME, DateEntryDialog::kDownId + 5);
    script.Answer(IDOK);
    CDateTimeDlg dialog(nullptr, true);
    dialog.SetConfigData(Time(2024, 1, 31, 10, 20, 30));
    dialog.SetCaptionText(L"時計設定");
    EXPECT_EQ(1, dialog.DoModal());
    SYSTEMTIME chosen;
    ASSERT_TRUE(dialog.GetDateTime(&chosen));
    EXPECT_EQ(2024, chosen.wYear);
    EXPECT_EQ(2, chosen.wMonth);
    EXPECT_EQ(29, chosen.wDay);
    EXPECT_EQ(4, chosen.wDayOfWeek);
    EXPECT_EQ(10, chosen.wHour);
    EXPECT_EQ(20, chosen.wMinute);
    EXPECT_EQ(29, chosen.wSecond);
    EXPECT_FALSE(dialog.GetDateTime(nullptr));
}

TEST(CDateTimeDlg, CancelKeepsTheTimeHandedIn)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Tap(IDD_HOST_DATETIME, DateEntryDialog::kUpId + 0);
    script.Answer(IDCANCEL);
    CDateTimeDlg dialog(nullptr, true);
    dialog.SetConfigData(Time(2024, 5, 6, 7, 8, 9));
    EXPECT_EQ(2, dialog.DoModal());
    SYSTEMTIME kept;
    ASSERT_TRUE(dialog.GetDateTime(&kept));
    EXPECT_EQ(2024, kept.wYear);
    EXPECT_EQ(9, kept.wSecond);
}

TEST(CTimerDlg, RepeatModeAndTimeComeBackTogether)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Do(IDD_HOST_TIMER, "mode 7 shows as once, no seconds field", [](HWND dialog) {
        EXPECT_TRUE(win::DescribeControl(GetDlgItem(dialog, CTimerDlg::kRepeatId)).selected.value_or(false));
        EXPECT_EQ(nullptr, GetDlgItem(dialog, DateEntryDialog::kValueId + 5));
        EXPECT_EQ(L"開始時刻", GetWindowTextString(dialog));
    });
    script.Tap(IDD_HOST_TIMER, CTimerDlg::kRepeatId + 2);
    script.Tap(IDD_HOST_TIMER, DateEntryDialog::kUpId + 4);  // 59 -> 00
    script.Do(IDD_HOST_TIMER, "every day selected", [](HWND dialog) {
        EXPECT_FALSE(win::DescribeControl(GetDlgItem(dialog, CTimerDlg::kRepeatId)).selected.value_or(true));
        EXPECT_TRUE(win::DescribeControl(GetDlgItem(dialog, CTimerDlg::kRepeatId + 2)).selected.value_or(false));
        EXPECT_EQ(L"00", Shown(dialog, DateEntryDialog::kValueId + 4));
    });
    script.Answer(IDOK);
    CTimerDlg timer(nullptr);
    timer.SetConfigData(Time(2024, 3, 1, 8, 59, 45), 7);
    timer.SetCaptionText(L"開始時刻");
    EXPECT_EQ(1, timer.DoModal());
    SYSTEMTIME start;
    int repeat = -1;
    ASSERT_TRUE(timer.GetDateTime(&start, &repeat));
    EXPECT_EQ(2, repeat);
    EXPECT_EQ(8, start.wHour);
    EXPECT_EQ(0, start.wMinute);
    EXPECT_EQ(45, start.wSecond) << "seconds pass through";
    int onlyMode = -1;
    EXPECT_TRUE(timer.GetDateTime(nullptr, &onlyMode));
    EXPECT_EQ(2, onlyMode);
    EXPECT_FALSE(timer.GetDateTime(nullptr, nullptr));
}

TEST(CTimerDlg, CancelKeepsModeAndTime)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Tap(IDD_HOST_TIMER, CTimerDlg::kRepeatId + 3);
    script.Answer(IDCANCEL);
    CTimerDlg timer(nullptr);
    timer.SetConfigData(Time(2024, 3, 1, 8, 30, 0), 1);
    EXPECT_EQ(2, timer.DoModal());
    SYSTEMTIME start;
    int repeat = -1;
    timer.GetDateTime(&start, &repeat);
    EXPECT_EQ(1, repeat);
    EXPECT_EQ(30, start.wMinute);
}
