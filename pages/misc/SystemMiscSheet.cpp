#include "pages/misc/SystemMiscSheet.h"

IMPLEMENT_DYNAMIC(CSystemMiscSheet, CSystemSettingSheet)

BEGIN_MESSAGE_MAP(CSystemMiscSheet, CSystemSettingSheet)
END_MESSAGE_MAP()

CSystemMiscSheet::CSystemMiscSheet(CWnd* parent) : CSystemSettingSheet(17006, parent, true) {}

CSystemMiscSheet::~CSystemMiscSheet() = default;

int CSystemMiscSheet::SetConfig(T_CONFIG_MISC* misc, CONFIG_SYSREC* recording)
{
    if (!misc || !recording)
        return 0;
    m_pMisc = misc;
    m_pSysRec = recording;
    return 1;
}
