// The small "手" button beside a value that opens the host's input dialog
// for it. Attached to a dialog button; a tap sends the parent
// WM_COMMAND / BN_CLICKED as a push button does.
#pragma once

#include "host/widgets/TouchWidget.h"

class CHandButton : public TouchWidget {
public:
    DECLARE_DYNAMIC(CHandButton)

    CHandButton() = default;

protected:
    void OnTap(POINT point) override;
    void Describe(win::ScreenControl& control) const override;
};
