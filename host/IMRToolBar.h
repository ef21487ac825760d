// Tool-bar side of the host's change-report mixins: the host keeps a list
// of the live objects so that it can enable or disable its tool bar while
// a dialog is open. The dialog code never overrides these.
#pragma once

#include "win/Win32Types.h"

#include <vector>

class IMRToolBar {
public:
    IMRToolBar();
    IMRToolBar(const IMRToolBar& other);
    IMRToolBar& operator=(const IMRToolBar&) = default;
    virtual ~IMRToolBar();

    // The change-report codes seen by the host so far (shared with IMRRec).
    virtual std::vector<UINT> MRGetArray();
    // The object that manages this dialog's tool-bar state: the dialog itself.
    virtual IMRToolBar* MRGetMang();
    // Every live tool-bar mixin, oldest first.
    virtual std::vector<IMRToolBar*> MRGetList();
    virtual std::vector<IMRToolBar*> MRGetListIMRToolBar();

    // True while any dialog with this mixin exists: the host's tool bar is
    // then locked.
    static bool IsToolBarLocked();
};
