#include "host/dialogs/CDateTimeDlg.h"

#include <mutex>

IMPLEMENT_DYNAMIC(CDateTimeDlg, DateEntryDialog)

CDateTimeDlg::CDateTimeDlg(CWnd* parent, bool centreOnPanel)
    : DateEntryDialog(host::IDD_HOST_DATETIME, parent, host::DateTimeFields::FieldCount, centreOnPanel)
{
    static std::once_flag once;
    std::call_once(once, [] {
        host::TemplateBuilder builder(host::IDD_HOST_DATETIME, L"", 360, 184);
        AddFields(builder, host::DateTimeFields::FieldCount);
        builder.Static(kMessageId, L"", 10, 114, 340, 10)
            .Button(IDOK, L"実行", 66, 136, 110, 36, BS_DEFPUSHBUTTON)
            .Button(IDCANCEL, L"キャンセル", 184, 136, 110, 36)
            .Register();
    });
}

void CDateTimeDlg::SetConfigData(const SYSTEMTIME& time) { m_time = time; }

BOOL CDateTimeDlg::GetDateTime(SYSTEMTIME* time) const
{
    if (!time)
        return FALSE;
    *time = m_time;
    return TRUE;
}

void CDateTimeDlg::Confirm() { m_time = m_fields.Get(); }
