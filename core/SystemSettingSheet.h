// The base of the tab pages and the saved-setups dialog: a host dialog that
// can send requests, with the three requests every page may need.
#pragma once

#include "core/DlgSender.h"
#include "host/dialogs/CCBRDialog.h"

class CSystemSettingSheet : public CCBRDialog, public IDLGSender {
public:
    DECLARE_DYNAMIC(CSystemSettingSheet)

    CSystemSettingSheet(UINT templateId, CWnd* parent, bool dialogBaseFlag);
    ~CSystemSettingSheet() override;

    // Asks the host to write its settings file at `path`; true when the host
    // reports it saved. False, and no call, without a receiver.
    bool SaveSettingFile(const wchar_t* path);
    // Asks the host to load its settings file from `path`; true when loaded.
    bool LoadSettingFile(const wchar_t* path);
    // Tells the host which group of settings changed (one CHG_* flag).
    void ReportSettingChanged(DWORD flags);

protected:
    DECLARE_MESSAGE_MAP()
};
