#include "pages/files/SystemFileSheet.h"

IMPLEMENT_DYNAMIC(CSystemFileSheet, CSystemSettingSheet)

BEGIN_MESSAGE_MAP(CSystemFileSheet, CSystemSettingSheet)
END_MESSAGE_MAP()

CSystemFileSheet::CSystemFileSheet(CWnd* parent) : CSystemSettingSheet(17002, parent, false) {}

CSystemFileSheet::~CSystemFileSheet() = default;

BOOL CSystemFileSheet::SetConfig(T_CONFIG_SYSTEM* config)
{
    if (!config)
        return FALSE;
    m_pConfig = config;
    m_pszHostCurrentDir = config->pCurrentFolder;
    return TRUE;
}
