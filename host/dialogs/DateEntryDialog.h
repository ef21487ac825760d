// Common part of the date and timer dialogs: a row of fields (year, month,
// day, hour, minute, second), each with "▲" and "▼" buttons that step it
// (see DateTimeFields). "実行" (IDOK) refuses a day that its month does not
// have, with a message, and stays open; "キャンセル" (IDCANCEL) keeps the
// time that was handed in.
#pragma once

#include "host/dialogs/CCBRDialog.h"
#include "host/dialogs/DateTimeFields.h"
#include "host/dialogs/HostTemplate.h"
#include "win/CString.h"

class DateEntryDialog : public CCBRDialog {
public:
    DECLARE_DYNAMIC(DateEntryDialog)

    void SetCaptionText(LPCWSTR caption);

    static constexpr int kUpId = 30100;     // + field
    static constexpr int kValueId = 30110;  // + field
    static constexpr int kDownId = 30120;   // + field
    static constexpr int kLabelId = 30130;  // + field
    static constexpr int kMessageId = 30150;

protected:
    DateEntryDialog(UINT templateId, CWnd* parent, int fieldCount, bool centreOnPanel);

    // Adds the field columns (dialog units, starting at the top of the dialog).
    static void AddFields(host::TemplateBuilder& builder, int fieldCount);
    // Takes the confirmed fields.
    virtual void Confirm() = 0;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnStep(UINT id);
    void ShowFields();

    DECLARE_MESSAGE_MAP()

    host::DateTimeFields m_fields;
    SYSTEMTIME m_time{};  // handed in, then confirmed

private:
    CString m_caption;
    int m_fieldCount;
    bool m_centreOnPanel;
};
