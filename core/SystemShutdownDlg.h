// The shutdown confirmation: runs modally from the frame's shutdown button
// and offers a fast shutdown that skips saving the waveform memory.
#pragma once

#include "core/Export.h"
#include "win/Dialog.h"
#include "win/controls/CButton.h"

class SYSDLG_API CSystemShutdownDlg : public CDialog {
public:
    DECLARE_DYNAMIC(CSystemShutdownDlg)

    explicit CSystemShutdownDlg(CWnd* parent = nullptr);
    ~CSystemShutdownDlg() override;

    bool IsCheckNoMemSave() const { return m_bNoMemSave; }
    // Presets the check box before DoModal.
    void SetCheckNoMemSave(bool noMemSave) { m_bNoMemSave = noMemSave; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnBnClickedOk();

    DECLARE_MESSAGE_MAP()

private:
    CButton m_checkNoMemSave;
    bool m_bNoMemSave = false;
};
