// The saved setups ("My設定"): four numbered copies of the whole instrument
// configuration on drive D:, each with its saved time and a short comment,
// and a summary of the current values.
//
// Slot N keeps two files in "D:\_KQ58SYSTEM.$$$": "No.N.cfg", which the host
// writes and reads on request, and "No.N.cmt", the 40-byte comment file this
// dialog writes itself (see SetupCommentFile.h).
#pragma once

#include "core/ConfigRecords.h"
#include "core/SystemSettingSheet.h"
#include "host/widgets/CHandButton.h"
#include "host/widgets/CPushSwitch.h"
#include "pages/mode/ConfigSnapshot.h"
#include "win/CString.h"
#include "win/FileApi.h"

class CSystemMySetup : public CSystemSettingSheet {
public:
    DECLARE_DYNAMIC(CSystemMySetup)

    static constexpr int kSlotCount = 4;
    static constexpr const wchar_t* kFolder = L"D:\\_KQ58SYSTEM.$$$";

    explicit CSystemMySetup(CWnd* parent = nullptr);
    ~CSystemMySetup() override;

    // Stores the record and takes the snapshot of what it points to; a null
    // record is refused with 0.
    int SetConfig(T_CONFIG_SYSTEM* config);

    // 0 current values, 1 to 4 a slot.
    int GetSelection() const { return m_nSelect; }
    const CString& GetCommentPath(int slot) const { return m_strCommentPath[slot - 1]; }
    const CString& GetConfigPath(int slot) const { return m_strConfigPath[slot - 1]; }
    const ConfigSnapshot& GetSnapshot() const { return m_snapshot; }

protected:
    BOOL OnInitDialog() override;

    void OnBnClickedSlot(UINT id);
    void OnBnClickedCurrentValues();
    void OnBnClickedComment(UINT id);
    void OnBnClickedSave();
    void OnBnClickedLoad();
    void OnBnClickedClear();
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

    DECLARE_MESSAGE_MAP()

private:
    void SetTexts();
    void ReadSlotsFromDisk();
    void Refresh();
    bool IsSaved(int slot) const;
    // Writes the comment file, then asks the host for the configuration
    // file; a failed request puts the comment file back as it was.
    bool SaveSlot(int slot, const CString& comment);
    // Tells the operator to pick a slot; `captionItem` is the action's word.
    void ShowSelectSlotNotice(DWORD captionGroup, DWORD captionItem, const wchar_t* captionDefault);

    CHandButton m_commentButton[kSlotCount];
    CPushSwitch m_selectSwitch[kSlotCount + 1];  // 0 current values, 1 to 4 the slots
    int m_nSelect = 0;
    T_CONFIG_SYSTEM* m_pConfig = nullptr;
    ConfigSnapshot m_snapshot;
    CString m_strCommentPath[kSlotCount];
    CString m_strConfigPath[kSlotCount];
    CFileStatus m_status[kSlotCount];
    CString m_strComment[kSlotCount];
};
