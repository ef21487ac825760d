#include "core/TabPageOrigin.h"

POINT TabPageOrigin(CTabCtrl& tab)
{
    // Adjusting the rectangle for the display area after moving its top below
    // the strip would leave the strip's height out twice, and the lower rows
    // of the taller pages (the recording page's external synchronisation,
    // the file page's export buttons) would fall outside the tab control.
    RECT display{};
    tab.GetClientRect(&display);
    tab.AdjustRect(FALSE, &display);
    RECT first{};
    tab.GetItemRect(0, &first);
    return POINT{display.left, first.bottom};
}
