#include "core/SystemSettingSheet.h"

IMPLEMENT_DYNAMIC(CSystemSettingSheet, CCBRDialog)

BEGIN_MESSAGE_MAP(CSystemSettingSheet, CCBRDialog)
END_MESSAGE_MAP()

CSystemSettingSheet::CSystemSettingSheet(UINT templateId, CWnd* parent, bool dialogBaseFlag)
    : CCBRDialog(templateId, parent, dialogBaseFlag)
{
}

CSystemSettingSheet::~CSystemSettingSheet() = default;

bool CSystemSettingSheet::SaveSettingFile(const wchar_t* path)
{
    T_DLG_REQUEST request;
    request.Prepare(this, DLGREQ_SAVE_SETTINGS);
    request.SetPointer(12, path);
    if (!SendDLGRequest(&request))
        return false;
    return request.Byte(16) != 0;
}

bool CSystemSettingSheet::LoadSettingFile(const wchar_t* path)
{
    T_DLG_REQUEST request;
    request.Prepare(this, DLGREQ_LOAD_SETTINGS);
    request.SetPointer(12, path);
    if (!SendDLGRequest(&request))
        return false;
    return request.Byte(16) != 0;
}

void CSystemSettingSheet::ReportSettingChanged(DWORD flags)
{
    T_DLG_REQUEST request;
    request.Prepare(this, DLGREQ_SETTING_CHANGED);
    request.SetWord(12, flags);
    SendDLGRequest(&request);
}
