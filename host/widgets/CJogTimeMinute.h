// A jog over a number of minutes, shown as hours and minutes ("h:mm",
// 90 -> "1:30", 46080 -> "768:00"). Everything else is CJogInt64's; the
// format string does not apply to this display.
#pragma once

#include "host/widgets/CJogInt64.h"

class CJogTimeMinute : public CJogInt64 {
public:
    DECLARE_DYNAMIC(CJogTimeMinute)

    CJogTimeMinute();

protected:
    std::wstring FormatValue() const override;
};
