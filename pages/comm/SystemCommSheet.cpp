#include "pages/comm/SystemCommSheet.h"

IMPLEMENT_DYNAMIC(CSystemCommSheet, CSystemSettingSheet)

BEGIN_MESSAGE_MAP(CSystemCommSheet, CSystemSettingSheet)
END_MESSAGE_MAP()

CSystemCommSheet::CSystemCommSheet(CWnd* parent) : CSystemSettingSheet(17003, parent, false) {}

CSystemCommSheet::~CSystemCommSheet() = default;

int CSystemCommSheet::SetConfig(T_CONFIG_COMM* comm)
{
    if (!comm)
        return 0;
    m_pComm = comm;
    return 1;
}
