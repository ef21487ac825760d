// Base of the host's configuration objects. The objects are plain data: the
// saved-setups dialog takes byte copies of them and reads the copies through
// their accessors, so they have no virtual functions and hold no pointers.
//
// Every setter that changes a value reports the change: the process-wide
// change hook (the simulator installs one) is called with the object and a
// mask of what changed. While a CONFIG_AUTOPENDINGCTRL holds an object, its
// reports are collected and delivered once, as one mask, when the last
// holder ends.
#pragma once

#include "win/Win32Types.h"

#include <functional>

class CONFIG_BASE {
public:
    enum Kind : DWORD { KIND_SYSMEAS = 1, KIND_SYSREC = 2 };
    using ChangeHook = std::function<void(CONFIG_BASE& object, DWORD changes)>;

    // Installs the hook for every configuration object (an empty function
    // removes it) and returns the one it replaces. The hook runs on the
    // thread that made the change.
    static ChangeHook SetChangeHook(ChangeHook hook);

    DWORD GetKind() const { return m_kind; }
    bool IsHoldingChanges() const { return m_holdDepth != 0; }
    DWORD GetHeldChanges() const { return m_heldChanges; }

protected:
    explicit CONFIG_BASE(DWORD kind) : m_kind(kind) {}
    ~CONFIG_BASE() = default;

    void ReportChange(DWORD changes);

private:
    friend class CONFIG_AUTOPENDINGCTRL;
    void HoldChanges();
    void ReleaseChanges();

    DWORD m_kind;
    DWORD m_holdDepth = 0;
    DWORD m_heldChanges = 0;
};
static_assert(sizeof(CONFIG_BASE) == 12);

// Holds the change reports of one configuration object back for its own
// lifetime. A null object is accepted and holds nothing.
class CONFIG_AUTOPENDINGCTRL {
public:
    explicit CONFIG_AUTOPENDINGCTRL(CONFIG_BASE* object);
    ~CONFIG_AUTOPENDINGCTRL();
    CONFIG_AUTOPENDINGCTRL(const CONFIG_AUTOPENDINGCTRL&) = delete;
    CONFIG_AUTOPENDINGCTRL& operator=(const CONFIG_AUTOPENDINGCTRL&) = delete;

private:
    CONFIG_BASE* m_object;
};
