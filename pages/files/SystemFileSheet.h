// The file page: folders and waveform-memory blocks, and the file actions.
#pragma once

#include "core/ConfigRecords.h"
#include "core/SystemSettingSheet.h"

class CSystemFileSheet : public CSystemSettingSheet {
public:
    DECLARE_DYNAMIC(CSystemFileSheet)

    explicit CSystemFileSheet(CWnd* parent = nullptr);
    ~CSystemFileSheet() override;

    // Called by the frame before the page window exists; a null pointer is
    // refused and nothing is stored.
    BOOL SetConfig(T_CONFIG_SYSTEM* config);

protected:
    DECLARE_MESSAGE_MAP()

private:
    T_CONFIG_SYSTEM* m_pConfig = nullptr;
    char* m_pszHostCurrentDir = nullptr;
};
