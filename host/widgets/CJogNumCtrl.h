// Numeric jog over a double, attached to a dialog static (AutoLoad). See
// JogWidget for how the operator steps it.
//
// The range starts unbounded and the value at 0. Narrowing the range moves
// the value to the nearest limit silently; SetValue refuses a value outside
// the range (false, value unchanged).
#pragma once

#include "host/widgets/JogWidget.h"

class CJogNumCtrl : public JogWidget {
public:
    DECLARE_DYNAMIC(CJogNumCtrl)

    CJogNumCtrl();

    // Maximum first. Swapped limits are put in order; NaN is refused (logged).
    void SetMaxMinValue(double maximum, double minimum);
    // The coarse step (outer zones) first, then the fine step (inner zones).
    void SetStep(double coarse, double fine);
    bool SetValue(double value);
    double GetValue() const { return m_value; }
    double GetMaxValue() const { return m_maximum; }
    double GetMinValue() const { return m_minimum; }

protected:
    bool Step(int direction, bool coarse) override;
    std::wstring FormatValue() const override;
    bool AcceptsFormat(const std::wstring& format) const override;

private:
    double m_value = 0.0;
    double m_maximum;
    double m_minimum;
    double m_coarseStep = 10.0;
    double m_fineStep = 1.0;
};
