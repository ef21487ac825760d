// The maintenance page: version report, clock, touch-panel calibration, test print.
#pragma once

#include "core/ConfigRecords.h"
#include "core/SystemSettingSheet.h"

class CSystemMaintenanceSheet : public CSystemSettingSheet {
public:
    DECLARE_DYNAMIC(CSystemMaintenanceSheet)

    explicit CSystemMaintenanceSheet(CWnd* parent = nullptr);
    ~CSystemMaintenanceSheet() override;

    // Called by the frame before the page window exists; a null pointer is
    // refused and nothing is stored.
    int SetConfig(T_CONFIG_SYSTEM* config);

protected:
    DECLARE_MESSAGE_MAP()

private:
    T_CONFIG_SYSTEM* m_pConfig = nullptr;
};
