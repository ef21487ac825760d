// The framework's control wrappers in one include, as the dialog code's
// precompiled header gives them.
#pragma once

#include "win/controls/CButton.h"
#include "win/controls/CEdit.h"
#include "win/controls/CListBox.h"
#include "win/controls/CListCtrl.h"
#include "win/controls/CStatic.h"
#include "win/controls/CTabCtrl.h"
#include "win/controls/CommCtrl.h"
