// The user speed tables, opened from the recording page.
#include "pages/recording/SystemUserSpeedDlg.h"

#include "pages/recording/RecordingTestSupport.h"

#include <array>
#include <climits>

namespace {

using namespace recording_test;
using Zone = JogWidget::Zone;

constexpr int IDC_USER1 = 17148;
constexpr int IDC_USER2 = 17149;

class UserSpeedTest : public RecordingTest {
protected:
    // Pen, memory and file of user 1, then of user 2, each "value mode unit;".
    std::string Entries() const
    {
        const CONFIG_SYSREC& config = *host.sysRec1;
        std::string text;
        for (int i : {0, 1})
            for (SPEED_TABLE e : {config.GetSpeedPen(i), config.GetSpeedMem(i), config.GetSpeedFile(i)})
                text += std::to_string(e.value) + " " + std::to_string(e.mode) + " " + std::to_string(e.unit) + ";";
        return text;
    }
    void SetEntries(const std::array<SPEED_TABLE, 6>& entries)
    {
        for (int i : {0, 1}) {
            host.sysRec1->SetSpeedPen(i, entries[3 * i]);
            host.sysRec1->SetSpeedMem(i, entries[3 * i + 1]);
            host.sysRec1->SetSpeedFile(i, entries[3 * i + 2]);
        }
    }
    static void OpenSpeedTable(ScriptedOperator& script)
    {
        OpenTab(script);
        script.Tap(IDD_SYSTEM, IDC_BUTTON_SPEED_TABLE);
    }
};

TEST_F(UserSpeedTest, EntriesShowInTheirUnitsAndStoreWhatTheJogsAndSelectedUnitButtonsSay)
{
    SetEntries({{{2000, 3, 2}, {250000, 0, 1}, {5000, 0, 1}, {75000, 3, 3}, {5000, 0, 1}, {2000000, 0, 2}}});
    ScriptedOperator script;
    OpenSpeedTable(script);
    script.Do(IDD_USER_SPEED, "pen", [&](HWND dialog) {
        EXPECT_EQ(GetWindowTextString(dialog), L"速度テーブル");
        EXPECT_EQ(ControlText(dialog, IDC_USER1), L"      50 mm/s");
        EXPECT_EQ(ControlText(dialog, IDC_USER2), L"      80 mm/min");
        TapJogZone(dialog, IDC_USER1, Zone::FineUp);
        TapJogZone(dialog, IDC_USER2, Zone::CoarseUp);
        TapJogZone(dialog, IDC_USER2, Zone::CoarseUp);
    });
    script.TapPart(IDD_USER_SPEED, 17000, "tab", 1);
    script.Do(IDD_USER_SPEED, "memory: the selected jog takes microseconds", [&](HWND dialog) {
        EXPECT_EQ(ControlText(dialog, IDC_USER1), L"     250 ms");
        EXPECT_EQ(ControlText(dialog, IDC_USER2), L"       5 ms");
        TapJogZone(dialog, IDC_USER1, Zone::Middle);
        win::Tap(FindControl(dialog, 17040));
    });
    script.TapPart(IDD_USER_SPEED, 17000, "tab", 2);
    script.Do(IDD_USER_SPEED, "file: seconds", [&](HWND dialog) {
        EXPECT_EQ(ControlText(dialog, IDC_USER2), L"       2 s");
        TapJogZone(dialog, IDC_USER1, Zone::Middle);
        win::Tap(FindControl(dialog, 17103));
    });
    script.Do(IDD_USER_SPEED, "same number, new unit", [&](HWND dialog) {
        EXPECT_EQ(ControlText(dialog, IDC_USER1), L"       5 s");
        win::Tap(FindControl(dialog, IDOK));
    });
    Run(script);
    EXPECT_EQ(Entries(), "1960 3 2;250 0 0;5000000 0 2;60000 3 3;5000 0 1;2000000 0 2;");
    EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{CHG_SPEED_TABLE});
}

TEST_F(UserSpeedTest, CancelKeepsEveryEntryAndCloseGivesEveryEntryTheModeOfItsKind)
{
    SetEntries({{{2000, 0, 2}, {200, 3, 0}, {1000, 3, 1}, {60000, 7, 3}, {5000, 0, 1}, {2000000, 0, 2}}});
    const std::string stored = Entries();
    ScriptedOperator cancel;
    OpenSpeedTable(cancel);
    for (int tab = 0; tab < 3; ++tab) {
        cancel.TapPart(IDD_USER_SPEED, 17000, "tab", tab);
        cancel.Do(IDD_USER_SPEED, "edit", [](HWND dialog) { TapJogZone(dialog, IDC_USER2, Zone::FineDown); });
    }
    cancel.PressKey(IDD_USER_SPEED, VK_ESCAPE);
    Run(cancel);
    EXPECT_EQ(Entries(), stored);
    EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{CHG_SPEED_TABLE});
    ScriptedOperator close;
    OpenSpeedTable(close);
    close.Tap(IDD_USER_SPEED, IDOK);
    Run(close);
    EXPECT_EQ(Entries(), "2000 3 2;200 0 0;1000 0 1;60000 3 3;5000 0 1;2000000 0 2;");
}

TEST_F(UserSpeedTest, AZeroPenEntryAndMinutesShowWithoutDividingOrWrapping)
{
    SetEntries({{{0, 3, 0}, {200, 0, 0}, {1000, 0, 1}, {0, 3, 3}, {120000000, 0, 3}, {2000000, 0, 2}}});
    ScriptedOperator script;
    OpenSpeedTable(script);
    script.Do(IDD_USER_SPEED, "the slowest speed", [&](HWND dialog) {
        EXPECT_EQ(ControlText(dialog, IDC_USER1), L"       1 mm/s");
        EXPECT_EQ(ControlText(dialog, IDC_USER2), L"       1 mm/min");
    });
    script.TapPart(IDD_USER_SPEED, 17000, "tab", 1);
    script.Do(IDD_USER_SPEED, "minutes", [&](HWND dialog) {
        EXPECT_EQ(ControlText(dialog, IDC_USER2), L"       2 min");
        TapJogZone(dialog, IDC_USER2, Zone::CoarseDown);
        win::Tap(FindControl(dialog, IDOK));
    });
    Run(script);
    EXPECT_EQ(Entries(), "100000 3 2;200 0 0;1000 0 1;6000000 3 3;720000000 0 3;2000000 0 2;");

    // Beyond 35 minutes the entry keeps the largest number it can hold.
    const std::pair<SPEED_TABLE, double> limits[] = {
        {{0, 0, 3}, 35}, {{0, 0, 3}, 36}, {{0, 0, 3}, 999}, {{0, 0, 2}, 100}, {{0, 3, 2}, 51}, {{0, 3, 9}, 7}};
    const LONG stored[] = {2100000000, INT_MAX, INT_MAX, 100000000, 1960, 7};
    for (std::size_t index = 0; index < std::size(limits); ++index)
        EXPECT_EQ(CSystemUserSpeedSheet::StoredValue(limits[index].first, limits[index].second), stored[index]);
}

}  // namespace
