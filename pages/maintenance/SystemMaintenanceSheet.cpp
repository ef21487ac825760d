#include "pages/maintenance/SystemMaintenanceSheet.h"

IMPLEMENT_DYNAMIC(CSystemMaintenanceSheet, CSystemSettingSheet)

BEGIN_MESSAGE_MAP(CSystemMaintenanceSheet, CSystemSettingSheet)
END_MESSAGE_MAP()

CSystemMaintenanceSheet::CSystemMaintenanceSheet(CWnd* parent) : CSystemSettingSheet(17004, parent, false) {}

CSystemMaintenanceSheet::~CSystemMaintenanceSheet() = default;

int CSystemMaintenanceSheet::SetConfig(T_CONFIG_SYSTEM* config)
{
    if (!config)
        return 0;
    m_pConfig = config;
    return 1;
}
