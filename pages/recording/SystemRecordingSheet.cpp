#include "pages/recording/SystemRecordingSheet.h"

IMPLEMENT_DYNAMIC(CSystemRecordingSheet, CSystemSettingSheet)

BEGIN_MESSAGE_MAP(CSystemRecordingSheet, CSystemSettingSheet)
END_MESSAGE_MAP()

CSystemRecordingSheet::CSystemRecordingSheet(CWnd* parent) : CSystemSettingSheet(17005, parent, false) {}

CSystemRecordingSheet::~CSystemRecordingSheet() = default;

int CSystemRecordingSheet::SetConfig(CONFIG_SYSREC* recording, CONFIG_SYSREC* printFormat)
{
    if (!recording || !printFormat)
        return 0;
    m_pSysRec = recording;
    m_pSysRecPrint = printFormat;
    return 1;
}

void CSystemRecordingSheet::CommitUseChanMask()
{
    // No channel selection is pending until the page's channel panel exists.
}
