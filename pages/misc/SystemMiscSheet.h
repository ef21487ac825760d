// The auxiliary page: buzzer and key clicks, display auto-off and its delay,
// the key-lock password, where a screen copy goes, the paper feed length and
// the mouse cursor.
//
// The boxes and the folder are written into the auxiliary block at once and
// reported. The feed length lives in the recording configuration and is
// written at every turn of its jog without a report. The delay is kept only
// when the page window goes, that is when the system dialog closes, however
// it closes.
#pragma once

#include "core/ConfigRecords.h"
#include "core/SystemSettingSheet.h"
#include "host/widgets/CHandButton.h"
#include "host/widgets/CJogNumCtrl.h"
#include "win/controls/CButton.h"
#include "win/controls/CStatic.h"

class CSystemMiscSheet : public CSystemSettingSheet {
public:
    DECLARE_DYNAMIC(CSystemMiscSheet)

    explicit CSystemMiscSheet(CWnd* parent = nullptr);
    ~CSystemMiscSheet() override;

    // Called by the frame before the page window exists; a null pointer is
    // refused and nothing is stored.
    int SetConfig(T_CONFIG_MISC* misc, CONFIG_SYSREC* recording);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnBnClickedBox(UINT id);
    void OnBnClickedFolder();
    void OnBnClickedPassword();
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    // A box, the field of the block it shows and writes, the group it reports.
    struct Box {
        int id;
        CButton CSystemMiscSheet::*control;
        bool T_CONFIG_MISC::*field;
        DWORD flag;
    };
    static const Box kBoxes[7];

    void SetTexts();
    void LoadFromBlock();
    // The delay jog, the resume box, the folder and its hand button are
    // usable only while the box they belong to is ticked.
    void UpdateEnabled();
    // The chosen folder into the block's narrow field; false, with a notice
    // to the operator, when it does not fit.
    bool StoreFolder(const CString& folder);

    CButton m_checkBuzzer;
    CButton m_checkClick;
    CButton m_checkDisplayAutoOff;
    CButton m_checkKeyLockOnResume;
    CButton m_checkCopyToPaper;
    CButton m_checkCopyToFolder;
    CButton m_checkCursor;
    CStatic m_staticFolder;
    CHandButton m_handFolder;
    CJogNumCtrl m_jogDelay;
    CJogNumCtrl m_jogFeed;
    T_CONFIG_MISC* m_pMisc = nullptr;
    CONFIG_SYSREC* m_pSysRec = nullptr;
};
