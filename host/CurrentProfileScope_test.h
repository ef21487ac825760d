// Test helper: a changed current instrument profile for one scope. The
// profile in force before is put back at the end, so tests do not leak
// instruments into each other.
#pragma once

#include "host/InstrumentProfile.h"

#include <functional>

class CurrentProfileScope {
public:
    CurrentProfileScope() : m_saved(*InstrumentProfile::Current()) {}
    explicit CurrentProfileScope(const std::function<void(InstrumentProfile&)>& change) : CurrentProfileScope()
    {
        InstrumentProfile profile = InstrumentProfile::Default();
        change(profile);
        InstrumentProfile::SetCurrent(profile);
    }
    // Changes the current profile further within the scope.
    void Change(const std::function<void(InstrumentProfile&)>& change) { InstrumentProfile::Modify(change); }
    ~CurrentProfileScope() { InstrumentProfile::SetCurrent(m_saved); }
    CurrentProfileScope(const CurrentProfileScope&) = delete;
    CurrentProfileScope& operator=(const CurrentProfileScope&) = delete;

private:
    InstrumentProfile m_saved;
};
