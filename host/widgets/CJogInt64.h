// Jog over a signed 64-bit value, attached to a dialog static (AutoLoad).
// Same stepping and range rules as CJogNumCtrl (see JogWidget); steps
// saturate instead of overflowing.
//
// The extra bools: SetValue(value, notify) also reports the change to the
// parent (JN_CHANGE) when `notify` is true and the value changed;
// GetValue(deselect) also clears the operator's selection when `deselect`
// is true, for a caller that takes the value over.
#pragma once

#include "host/widgets/JogWidget.h"

class CJogInt64 : public JogWidget {
public:
    DECLARE_DYNAMIC(CJogInt64)

    CJogInt64();

    void SetMaxMinValue(__int64 maximum, __int64 minimum);
    // The coarse step first, then the fine step.
    void SetStep(__int64 coarse, __int64 fine);
    bool SetValue(__int64 value, bool notify);
    __int64 GetValue(bool deselect);
    __int64 GetMaxValue() const { return m_maximum; }
    __int64 GetMinValue() const { return m_minimum; }

protected:
    explicit CJogInt64(std::wstring defaultFormat);

    bool Step(int direction, bool coarse) override;
    std::wstring FormatValue() const override;
    bool AcceptsFormat(const std::wstring& format) const override;

    __int64 m_value = 0;
    __int64 m_maximum;
    __int64 m_minimum;
    __int64 m_coarseStep = 10;
    __int64 m_fineStep = 1;
};
