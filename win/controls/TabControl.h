// The "SysTabControl32" window class: one row of tabs laid out left to right
// from 2 pixels in (the room Windows keeps for the selected tab to stand
// out), each as wide as its text needs (6 pixels of padding either side) or
// as the width set with TCM_SETITEMSIZE, whichever is larger, and as high as
// the set height. TCM_ADJUSTRECT converts between window and display area as
// Windows does: 2 pixels of border and 2 of padding on every side and the tab
// row at the top.
//
// A tap on another tab sends TCN_SELCHANGING (a non-zero result vetoes),
// selects the tab and sends TCN_SELCHANGE, all on button-down; button-up
// sends NM_CLICK. TCM_SETCURSEL sends nothing. The first tab inserted becomes
// the selected one; inserting before the selection moves it along; deleting
// the selected tab leaves none selected.
#pragma once

#include "win/controls/CommCtrl.h"
#include "win/controls/ControlMetrics.h"
#include "win/controls/ControlState.h"

#include <string>
#include <vector>

namespace win {

class TabControl : public ControlState {
public:
    static WindowClass Class();
    static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Screen class "tab": tabs (texts) and current (the selected index, -1 for none).
    void Describe(ScreenControl& control) const override;
    // Part "tab": the centre of the tab.
    bool PointForPart(HWND self, const std::string& part, int index, POINT& point) override;

    // Operator input.
    void ButtonDown(POINT point);
    void ButtonUp();

    // Messages from code.
    LRESULT InsertItem(int index, const TCITEMW* item);
    BOOL SetItem(int index, const TCITEMW* item);
    BOOL GetItem(int index, TCITEMW* item) const;
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    LRESULT GetItemCount() const { return static_cast<LRESULT>(m_items.size()); }
    BOOL GetItemRect(int index, RECT* rect) const;
    LRESULT GetCurSel() const { return m_selected; }
    LRESULT SetCurSel(int index);
    LRESULT HitTest(TCHITTESTINFO* info) const;
    LRESULT AdjustRect(bool displayToWindow, RECT* rect) const;
    LRESULT SetItemSize(int width, int height);

private:
    struct Item {
        std::wstring text;
        int image = -1;
        LPARAM param = 0;
        DWORD state = 0;
    };

    bool Valid(int index) const { return index >= 0 && index < static_cast<int>(m_items.size()); }
    int ItemWidth(const Item& item) const;
    RECT ItemRect(int index) const;
    int ItemAt(POINT point) const;

    std::vector<Item> m_items;
    int m_selected = -1;
    int m_setWidth = 0;
    int m_height = kTabHeight;
    bool m_tracking = false;  // a tap went down here and waits for its release
};

}  // namespace win
