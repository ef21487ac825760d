// The latching push switch of the host's panels, attached to a dialog button.
//
// The parent owns the latched state; a tap only proposes it:
//
//   | state before | event                        | state during the    | state after     | parent gets          |
//   |              |                              | parent's handler    |                 |                      |
//   |--------------|------------------------------|---------------------|-----------------|----------------------|
//   | any          | Select(0) / BM_SETCHECK 0    | -                   | released        | nothing              |
//   | any          | Select(!0) / BM_SETCHECK !0  | -                   | latched         | nothing              |
//   | s            | tap, handler calls Select(x) | latched             | x               | WM_COMMAND BN_CLICKED|
//   | s            | tap, handler leaves it alone | latched             | s (restored)    | WM_COMMAND BN_CLICKED|
//
// So a switch shows itself latched from the operator's press until the
// parent has decided (a confirmation popup runs inside the handler), a
// confirmed choice stays latched because the parent selects it, and a
// cancelled one leaves the row of switches as it was. A switch used as a
// plain button (the parent never selects it) never stays latched.
#pragma once

#include "host/widgets/TouchWidget.h"

#include <cstddef>

class CPushSwitch : public TouchWidget {
public:
    DECLARE_DYNAMIC(CPushSwitch)

    CPushSwitch() = default;

    // Sets the latched state from code (non-zero: latched). Sends nothing.
    void Select(int select);
    // 1 while latched, 0 otherwise.
    int GetSelect() const { return m_selected ? 1 : 0; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnTap(POINT point) override;
    void Describe(win::ScreenControl& control) const override;

private:
    bool m_selected = false;
    bool m_selectedByParent = false;  // Select ran while the parent handled a tap
};

// Latches the switch at `index` of a row and releases the others; an index
// outside the row releases them all. Sends nothing.
template <std::size_t N>
void SelectOnly(CPushSwitch (&row)[N], int index)
{
    for (std::size_t position = 0; position < N; ++position)
        row[position].Select(static_cast<int>(position) == index ? 1 : 0);
}
