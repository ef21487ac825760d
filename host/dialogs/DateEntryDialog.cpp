#include "host/dialogs/DateEntryDialog.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(DateEntryDialog, CCBRDialog)

BEGIN_MESSAGE_MAP(DateEntryDialog, CCBRDialog)
    ON_CONTROL_RANGE(BN_CLICKED, DateEntryDialog::kUpId, DateEntryDialog::kDownId + 5, OnStep)
END_MESSAGE_MAP()

using host::DateTimeFields;

DateEntryDialog::DateEntryDialog(UINT templateId, CWnd* parent, int fieldCount, bool centreOnPanel)
    : CCBRDialog(templateId, parent, true), m_fieldCount(fieldCount), m_centreOnPanel(centreOnPanel)
{
}

void DateEntryDialog::AddFields(host::TemplateBuilder& builder, int fieldCount)
{
    static const wchar_t* const labels[DateTimeFields::FieldCount] = {L"年", L"月", L"日", L"時", L"分", L"秒"};
    for (int field = 0; field < fieldCount; ++field) {
        int left = 10 + 57 * field;
        builder.Static(kLabelId + field, labels[field], left, 8, 52, 10, SS_CENTER)
            .Button(kUpId + field, L"▲", left, 20, 52, 32)
            .Static(kValueId + field, L"", left, 56, 52, 16, SS_CENTER | WS_BORDER)
            .Button(kDownId + field, L"▼", left, 76, 52, 32);
    }
}

void DateEntryDialog::SetCaptionText(LPCWSTR caption) { m_caption = caption; }

BOOL DateEntryDialog::OnInitDialog()
{
    CCBRDialog::OnInitDialog();
    SetWindowText(m_caption);
    SetDlgItemText(IDOK, host::CommonText(2).c_str());
    SetDlgItemText(IDCANCEL, host::CommonText(3).c_str());
    // The timer has no seconds: its sixth label finds no control.
    static const ItemText labelTexts[] = {{kLabelId, 1, L"年"},     {kLabelId + 1, 2, L"月"}, {kLabelId + 2, 3, L"日"},
                                      {kLabelId + 3, 4, L"時"}, {kLabelId + 4, 5, L"分"}, {kLabelId + 5, 6, L"秒"}};
    SetItemTexts(host::IDD_HOST_DATETIME, labelTexts);
    m_fields.Set(m_time);
    ShowFields();
    if (!m_centreOnPanel)
        host::CentreOverParent(m_hWnd, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
    return TRUE;
}

void DateEntryDialog::ShowFields()
{
    for (int field = 0; field < m_fieldCount; ++field) {
        wchar_t text[16];
        int value = m_fields.Value(static_cast<DateTimeFields::Field>(field));
        std::swprintf(text, 16, field == DateTimeFields::Year ? L"%04d" : L"%02d", value);
        SetDlgItemText(kValueId + field, text);
    }
}

void DateEntryDialog::OnStep(UINT id)
{
    int key = static_cast<int>(id);
    int field = -1;
    int delta = 0;
    if (key >= kUpId && key < kUpId + m_fieldCount) {
        field = key - kUpId;
        delta = 1;
    } else if (key >= kDownId && key < kDownId + m_fieldCount) {
        field = key - kDownId;
        delta = -1;
    }
    if (field < 0)
        return;
    m_fields.Step(static_cast<DateTimeFields::Field>(field), delta);
    SetDlgItemText(kMessageId, L"");
    ShowFields();
}

void DateEntryDialog::OnOK()
{
    if (!m_fields.IsValid()) {
        SetDlgItemText(kMessageId, host::HostText(host::IDD_HOST_DATETIME, 10, L"日付が正しくありません"));
        return;
    }
    Confirm();
    EndDialog(IDOK);
}
