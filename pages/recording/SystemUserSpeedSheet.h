// One tab page of the user speed tables: the two user entries of one
// recorder kind on two numeric jogs, and the unit buttons. The page edits
// copies of the entries; the dialog reads them back when it is closed.
//
// A pen entry holds the chart speed as 100000 / (mm/s), the time per
// millimetre in 10 µs; memory and file entries hold the sampling interval
// in µs. The jog shows the number in the entry's unit, and a change of the
// jog or of the unit stores it back in that encoding.
#pragma once

#include "host/ConfigSysRec.h"
#include "host/widgets/CJogNumCtrl.h"
#include "host/widgets/CPushSwitch.h"
#include "win/Dialog.h"

class CSystemUserSpeedSheet : public CDialog {
public:
    DECLARE_DYNAMIC(CSystemUserSpeedSheet)

    enum Kind { KindPen = 0, KindMemory = 1, KindFile = 2 };
    // Entry modes and units as SPEED_TABLE holds them.
    static constexpr LONG kModePen = 3;
    static constexpr LONG kModeInterval = 0;
    enum Unit : LONG { UnitMicroseconds = 0, UnitMilliseconds = 1, UnitSeconds = 2, UnitMinutes = 3 };
    static constexpr LONG kUnitMmPerSecond = 2;
    static constexpr LONG kUnitMmPerMinute = 3;

    CSystemUserSpeedSheet();
    ~CSystemUserSpeedSheet() override;

    // Before the page window exists: the kind, and the entries to edit
    // (a null pointer leaves that entry as it is).
    void SetTables(int kind, const SPEED_TABLE* user1, const SPEED_TABLE* user2);
    // The entries as edited, each where its pointer is not null.
    void GetTables(SPEED_TABLE* user1, SPEED_TABLE* user2) const;

    // The value an entry stores for the number `shown` on its jog.
    static LONG StoredValue(const SPEED_TABLE& entry, double shown);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnBnClickedUnit(UINT id);

    DECLARE_MESSAGE_MAP()

private:
    void ShowEntry(int index);
    void Recompute(int index);
    SPEED_TABLE& Entry(int index) { return index == 0 ? m_user1 : m_user2; }

    CJogNumCtrl m_jog[2];
    CPushSwitch m_unitButton[4];
    SPEED_TABLE m_user1{};
    SPEED_TABLE m_user2{};
    int m_nKind = KindPen;
};
