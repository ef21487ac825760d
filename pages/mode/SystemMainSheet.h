// The measurement-mode page, first tab of the system dialog: the five mode
// switches, the show-at-power-on check box, and the doors to the saved
// setups and the initialisation of settings and memory data.
#pragma once

#include "core/ConfigRecords.h"
#include "core/SystemSettingSheet.h"
#include "host/widgets/CPushSwitch.h"
#include "win/controls/CButton.h"

class CSystemMainSheet : public CSystemSettingSheet {
public:
    DECLARE_DYNAMIC(CSystemMainSheet)

    explicit CSystemMainSheet(CWnd* parent = nullptr);
    ~CSystemMainSheet() override;

    // Called by the frame before the page window exists; a null pointer is
    // refused and nothing is stored.
    int SetConfig(T_CONFIG_SYSTEM* config);

    // Keeps a second copy of the pair: the saved-setups dialog is a sender of
    // its own and gets it when it opens.
    void SetDLGCallback(IDLGReceiver* receiver, int cookie) override;

    // 0 pen, 1 memory, 2 HD, 3 multi, 5 X-Y: the switch shown latched.
    int GetSelectedSwitch() const { return m_nSelectSwitch; }
    bool IsCallbackSet() const { return m_nCallbackSet != 0; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnBnClickedPenRecorder();
    void OnBnClickedMemoryRecorder();
    void OnBnClickedHdRecorder();
    void OnBnClickedMultiRecorder();
    void OnBnClickedXyRecorder();
    void OnBnClickedMySetting();
    void OnBnClickedInitialize();
    void OnBnClickedCheckStartup();

    DECLARE_MESSAGE_MAP()

private:
    // The switches in member order: pen, memory, HD, multi, X-Y.
    static constexpr int kSwitchCount = 5;

    void ChangeMode(int mode);
    void ShowSelection();
    // Asks the host to initialise what the operator chose and follows its
    // answer with the error notice and the restart question.
    void RequestInitialize(DWORD itemMask);

    CPushSwitch m_modeSwitch[kSwitchCount];
    CButton m_checkStartup;
    int m_nSelectSwitch = 0;
    CONFIG_SYSMEAS* m_pSysMeas = nullptr;
    T_CONFIG_SYSTEM* m_pConfig = nullptr;
    int m_nCallbackSet = 0;
    IDLGReceiver* m_pKeptReceiver = nullptr;
    int m_nKeptCookie = 0;
};
