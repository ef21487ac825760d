// Change-report mixin of every host dialog. The host keeps a list of the
// live objects and the codes reported in this process; the MRGet*
// operations read them. The dialog code never overrides them.
//
// MReport is how a dialog tells the host that stored data changed (the file
// page sends 256 after copying, deleting or creating folders): the code is
// kept in the report journal and every window registered with
// IModifiedReport::MRInit is told.
#pragma once

#include "win/Win32Types.h"

#include <vector>

class IMRRec {
public:
    IMRRec();
    IMRRec(const IMRRec& other);
    IMRRec& operator=(const IMRRec&) = default;
    virtual ~IMRRec();

    // The codes reported so far in this process, oldest first.
    virtual std::vector<UINT> MRGetArray();
    // The object that manages this dialog's reports: the dialog itself.
    virtual IMRRec* MRGetMang();
    // Every live report mixin, oldest first.
    virtual std::vector<IMRRec*> MRGetList();
    virtual std::vector<IMRRec*> MRGetListIMRRec();

    static void MReport(UINT code);

    // For the simulator and tests.
    static std::vector<UINT> GetReportedCodes();
    static void ClearReportedCodes();
    static std::size_t GetLiveCount();
};
