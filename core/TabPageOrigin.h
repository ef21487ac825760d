// Where the pages of a tab control sit: right below its tab strip and inside
// its left border, in the tab control's client coordinates.
#pragma once

#include "win/controls/CTabCtrl.h"

POINT TabPageOrigin(CTabCtrl& tab);
