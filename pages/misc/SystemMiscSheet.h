// The auxiliary page: buzzer, display, key lock, screen copy, feed length, cursor.
#pragma once

#include "core/ConfigRecords.h"
#include "core/SystemSettingSheet.h"

class CSystemMiscSheet : public CSystemSettingSheet {
public:
    DECLARE_DYNAMIC(CSystemMiscSheet)

    explicit CSystemMiscSheet(CWnd* parent = nullptr);
    ~CSystemMiscSheet() override;

    // Called by the frame before the page window exists; a null pointer is
    // refused and nothing is stored.
    int SetConfig(T_CONFIG_MISC* misc, CONFIG_SYSREC* recording);

protected:
    DECLARE_MESSAGE_MAP()

private:
    T_CONFIG_MISC* m_pMisc = nullptr;
    CONFIG_SYSREC* m_pSysRec = nullptr;
};
