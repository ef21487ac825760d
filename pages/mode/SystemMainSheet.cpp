#include "pages/mode/SystemMainSheet.h"

IMPLEMENT_DYNAMIC(CSystemMainSheet, CSystemSettingSheet)

BEGIN_MESSAGE_MAP(CSystemMainSheet, CSystemSettingSheet)
END_MESSAGE_MAP()

CSystemMainSheet::CSystemMainSheet(CWnd* parent) : CSystemSettingSheet(17001, parent, false) {}

CSystemMainSheet::~CSystemMainSheet() = default;

int CSystemMainSheet::SetConfig(T_CONFIG_SYSTEM* config)
{
    if (!config)
        return 0;
    m_pConfig = config;
    m_pSysMeas = config->pSysMeas;
    return 1;
}
