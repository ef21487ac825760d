// The measurement-mode page: the measurement mode and the show-at-power-on flag.
#pragma once

#include "core/ConfigRecords.h"
#include "core/SystemSettingSheet.h"

class CSystemMainSheet : public CSystemSettingSheet {
public:
    DECLARE_DYNAMIC(CSystemMainSheet)

    explicit CSystemMainSheet(CWnd* parent = nullptr);
    ~CSystemMainSheet() override;

    // Called by the frame before the page window exists; a null pointer is
    // refused and nothing is stored.
    int SetConfig(T_CONFIG_SYSTEM* config);

protected:
    DECLARE_MESSAGE_MAP()

private:
    T_CONFIG_SYSTEM* m_pConfig = nullptr;
    CONFIG_SYSMEAS* m_pSysMeas = nullptr;
};
