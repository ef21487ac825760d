// Common part of the host's jog controls: a value display that the operator
// steps by tapping its ends. The widget is split into five zones across its
// width:
//
//   | x in the width w  | 0 .. w/6      | w/6 .. w/3  | w/3 .. 2w/3     | 2w/3 .. 5w/6 | 5w/6 .. w     |
//   | tap               | coarse down   | fine down   | select / deselect | fine up    | coarse up     |
//
// "Up" adds the step, "down" subtracts it; a negative step therefore turns
// the direction round (the sampling-interval jogs count down to the right).
// A step never leaves the range: it stops at the limit, and a tap at the
// limit changes nothing and sends nothing. Every change made by a tap is
// reported to the parent as WM_COMMAND with the jog's id and the
// notification code JN_CHANGE (3). Setters from code send nothing.
//
// The middle zone toggles the jog's selected state, the flag that pages read
// to know which jogs a unit button applies to.
#pragma once

#include "host/widgets/TouchWidget.h"

#include <string>

// Notification code of a jog change in WM_COMMAND.
constexpr UINT JN_CHANGE = 3;

class JogWidget : public TouchWidget {
public:
    DECLARE_DYNAMIC(JogWidget)

    // Selected by the operator (tap in the middle); read by the parent.
    bool m_bSelected = false;

    // Text shown after the value ("mm", "min", ...).
    void SetUnitString(LPCWSTR unit);
    // printf-like wide format of the value; a format that does not fit the
    // jog's value type is refused (logged) and the previous one kept.
    void SetFormatString(LPCWSTR format);
    // The value as shown, without the unit.
    std::wstring GetValueText() const { return FormatValue(); }
    const std::wstring& GetUnitString() const { return m_unit; }
    // Re-shows the value (after the parent changed the unit or selection).
    void Redraw();

    enum class Zone { CoarseDown, FineDown, Middle, FineUp, CoarseUp };
    static Zone ZoneAt(int width, int x);

protected:
    explicit JogWidget(std::wstring defaultFormat) : m_format(std::move(defaultFormat)) {}

    // Steps the value by the fine or coarse step in `direction` (+1 or -1)
    // within the range. True when the value changed.
    virtual bool Step(int direction, bool coarse) = 0;
    virtual std::wstring FormatValue() const = 0;
    // Whether `format` suits the value type.
    virtual bool AcceptsFormat(const std::wstring& format) const = 0;

    void OnTap(POINT point) override;
    void Describe(win::ScreenControl& control) const override;
    void OnAttached() override;

    // Shows the current value in the window's text and marks the change.
    void ShowValue();

    std::wstring m_format;
    std::wstring m_unit;
};
