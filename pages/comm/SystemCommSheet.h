// The communication page: port, RS-232C and LAN settings, automatic transmission.
#pragma once

#include "core/ConfigRecords.h"
#include "core/SystemSettingSheet.h"

class CSystemCommSheet : public CSystemSettingSheet {
public:
    DECLARE_DYNAMIC(CSystemCommSheet)

    explicit CSystemCommSheet(CWnd* parent = nullptr);
    ~CSystemCommSheet() override;

    // Called by the frame before the page window exists; a null pointer is
    // refused and nothing is stored.
    int SetConfig(T_CONFIG_COMM* comm);

protected:
    DECLARE_MESSAGE_MAP()

private:
    T_CONFIG_COMM* m_pComm = nullptr;
};
