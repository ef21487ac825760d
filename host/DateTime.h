// The host's date formatter. Format takes a pattern such as
// "%04Y/%02M/%02D %02h:%02m:%02s" and a display mask.
//
// Codes: %Y year, %M month, %D day, %h hour, %m minute, %s second, each
// with printf-like flags and width ("%04Y", "%2D", "%-3M"); "%%" is a
// percent sign; any other '%' sequence is copied as it stands.
//
// The display mask leaves parts out; each bit hides one part:
//
//   bit   0x01  0x02   0x04  0x08    0x10  0x20
//   part  year  month  day   second  hour  minute
//
// The masks the recording page uses for the start timer, by repeat mode
// (0 once, 1 every month, 2 every day, 3 every hour):
//
//   mask 8   hides the second                 "2024/05/14 09:30"
//   mask 11  hides year, month and second     "14 09:30"
//   mask 15  hides the whole date and second  "09:30"
//   mask 31  leaves only the minute           "30"
//
// Mask 0 shows everything (the file page's dates). Text between parts
// follows the parts: a separator is kept before each shown part that is not
// the first shown; the pattern's leading text only when its first part is
// shown, its trailing text only when its last part is shown.
#pragma once

#include "win/CString.h"
#include "win/Win32Types.h"

class CDateTime {
public:
    enum DisplayMask : unsigned {
        HIDE_YEAR = 0x01,
        HIDE_MONTH = 0x02,
        HIDE_DAY = 0x04,
        HIDE_SECOND = 0x08,
        HIDE_HOUR = 0x10,
        HIDE_MINUTE = 0x20,
    };

    CDateTime() = default;   // all fields zero
    CDateTime(const SYSTEMTIME& time) : m_time(time) {}
    CDateTime& operator=(const SYSTEMTIME& time);

    const SYSTEMTIME& GetSystemTime() const { return m_time; }

    // A null format gives an empty text.
    CString Format(const wchar_t* format, unsigned mask = 0) const;

private:
    SYSTEMTIME m_time;
};
