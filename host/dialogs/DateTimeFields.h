// The fields of a date and time as the date and timer dialogs edit them:
// each field steps up and down within its own range and wraps round (the
// year stops at its limits instead). Fields are stepped one at a time, so
// the day may be past the end of its month until the operator confirms;
// IsValid tells.
#pragma once

#include "win/Win32Types.h"

namespace host {

class DateTimeFields {
public:
    enum Field { Year, Month, Day, Hour, Minute, Second, FieldCount };
    static constexpr int kMinYear = 1980;
    static constexpr int kMaxYear = 2099;

    // Takes the fields of `time`, each brought into its range.
    void Set(const SYSTEMTIME& time);
    // The fields with the day of the week worked out; milliseconds 0.
    SYSTEMTIME Get() const;

    void Step(Field field, int delta);
    int Value(Field field) const { return m_values[field]; }
    static int Minimum(Field field);
    static int Maximum(Field field);
    // The day exists in its month and year.
    bool IsValid() const;

    static int DaysInMonth(int year, int month);
    // 0 = Sunday.
    static int DayOfWeek(int year, int month, int day);

private:
    int m_values[FieldCount] = {2000, 1, 1, 0, 0, 0};
};

}  // namespace host
