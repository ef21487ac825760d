// The host's date and time entry (year to second). See DateEntryDialog.
// The constructor's flag: true puts the dialog in the middle of the panel,
// false over its parent's window.
#pragma once

#include "host/dialogs/DateEntryDialog.h"

class CDateTimeDlg : public DateEntryDialog {
public:
    DECLARE_DYNAMIC(CDateTimeDlg)

    explicit CDateTimeDlg(CWnd* parent = nullptr, bool centreOnPanel = true);

    void SetConfigData(const SYSTEMTIME& time);
    // The confirmed time (the handed-in one until confirmed), with its day of
    // the week. FALSE for a null pointer.
    BOOL GetDateTime(SYSTEMTIME* time) const;

protected:
    void Confirm() override;
};
