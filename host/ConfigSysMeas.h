// The measurement configuration: the measurement mode and whether the
// system dialog is shown at power-on. 44 bytes, byte-copied by the
// saved-setups dialog.
#pragma once

#include "host/ConfigBase.h"

#include <type_traits>

class CONFIG_SYSMEAS : public CONFIG_BASE {
public:
    // Change mask bits reported to the change hook.
    enum Change : DWORD { CHANGE_MODE = 0x1, CHANGE_STARTUP = 0x2, CHANGE_RESERVED = 0x4 };
    static constexpr int kReservedWords = 6;

    CONFIG_SYSMEAS() : CONFIG_BASE(KIND_SYSMEAS) {}

    // 0 pen, 1 memory, 2 HD, 3 multi, 4 X-Y recorder; stored as given.
    int GetMode() const { return m_mode; }
    void SetMode(int mode);
    bool GetStartup() const { return m_startup != 0; }
    void SetStartup(bool startup);

    // Words the dialog never reads; kept so that a settings file carries
    // every byte of the object.
    DWORD GetReserved(int index) const;
    void SetReserved(int index, DWORD value);

private:
    LONG m_mode = 0;
    LONG m_startup = 1;
    DWORD m_reserved[kReservedWords] = {};
};
static_assert(sizeof(CONFIG_SYSMEAS) == 44);
static_assert(std::is_trivially_copyable_v<CONFIG_SYSMEAS>);
