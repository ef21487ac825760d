// The recording page: channels in use, data number, time axis, external sync, timers.
#pragma once

#include "core/ConfigRecords.h"
#include "core/SystemSettingSheet.h"

class CSystemRecordingSheet : public CSystemSettingSheet {
public:
    DECLARE_DYNAMIC(CSystemRecordingSheet)

    explicit CSystemRecordingSheet(CWnd* parent = nullptr);
    ~CSystemRecordingSheet() override;

    // Called by the frame before the page window exists; a null pointer is
    // refused and nothing is stored.
    int SetConfig(CONFIG_SYSREC* recording, CONFIG_SYSREC* printFormat);

    // Applies the pending channel selection after the operator confirms it;
    // the frame calls it when the dialog closes.
    void CommitUseChanMask();

    CONFIG_SYSREC* GetRecordingConfig() const { return m_pSysRec; }
    CONFIG_SYSREC* GetPrintFormatConfig() const { return m_pSysRecPrint; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    CONFIG_SYSREC* m_pSysRec = nullptr;
    CONFIG_SYSREC* m_pSysRecPrint = nullptr;
};
