#include "host/ConfigSysMeas.h"

void CONFIG_SYSMEAS::SetMode(int mode)
{
    if (m_mode == mode)
        return;
    m_mode = mode;
    ReportChange(CHANGE_MODE);
}

void CONFIG_SYSMEAS::SetStartup(bool startup)
{
    const LONG stored = startup ? 1 : 0;
    if (m_startup == stored)
        return;
    m_startup = stored;
    ReportChange(CHANGE_STARTUP);
}

DWORD CONFIG_SYSMEAS::GetReserved(int index) const
{
    return index >= 0 && index < kReservedWords ? m_reserved[index] : 0;
}

void CONFIG_SYSMEAS::SetReserved(int index, DWORD value)
{
    if (index < 0 || index >= kReservedWords || m_reserved[index] == value)
        return;
    m_reserved[index] = value;
    ReportChange(CHANGE_RESERVED);
}
