// The user speed tables, opened from the recording page: the jogs and unit
// buttons of the three tab pages, and what the close button or a cancel
// leaves in the configuration.
#include "pages/recording/SystemUserSpeedDlg.h"

#include "host/ConfigSysRec.h"
#include "pages/recording/RecordingTestSupport.h"

#include <climits>

// Entries compare and print by their three fields.
inline bool operator==(const SPEED_TABLE& a, const SPEED_TABLE& b)
{
    return a.value == b.value && a.mode == b.mode && a.unit == b.unit;
}

inline std::ostream& operator<<(std::ostream& out, const SPEED_TABLE& entry)
{
    return out << "{" << entry.value << ", " << entry.mode << ", " << entry.unit << "}";
}

namespace {

using namespace recording_test;
using Zone = JogWidget::Zone;
using Sheet = CSystemUserSpeedSheet;

constexpr int IDC_USER1 = 17148;
constexpr int IDC_USER2 = 17149;

// A jog's value and unit as shown, without the format's padding.
std::wstring JogText(HWND window, int id)
{
    const std::wstring text = ControlText(window, id);
    return text.substr(std::min(text.find_first_not_of(L' '), text.size()));
}

class UserSpeedTest : public RecordingTest {
protected:
    std::vector<SPEED_TABLE> Entries() const
    {
        std::vector<SPEED_TABLE> entries;
        for (int index : {0, 1})
            entries.insert(entries.end(), {host.sysRec1->GetSpeedPen(index), host.sysRec1->GetSpeedMem(index),
                                           host.sysRec1->GetSpeedFile(index)});
        return entries;
    }
    void SetEntries(const SPEED_TABLE (&pen)[2], const SPEED_TABLE (&mem)[2], const SPEED_TABLE (&file)[2])
    {
        for (int index : {0, 1}) {
            host.sysRec1->SetSpeedPen(index, pen[index]);
            host.sysRec1->SetSpeedMem(index, mem[index]);
            host.sysRec1->SetSpeedFile(index, file[index]);
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
    SetEntries({{2000, 3, 2}, {75000, 3, 3}}, {{250000, 0, 1}, {5000, 0, 1}}, {{5000, 0, 1}, {2000000, 0, 2}});
    ScriptedOperator script;
    OpenSpeedTable(script);
    script.Do(IDD_USER_SPEED, "pen", [&](HWND dialog) {
        EXPECT_EQ(GetWindowTextString(dialog), L"速度テーブル");
        EXPECT_EQ(JogText(dialog, IDC_USER1), L"50 mm/s");
        EXPECT_EQ(JogText(dialog, IDC_USER2), L"80 mm/min");
        TapJog(dialog, IDC_USER1, Zone::FineUp);
        TapJog(dialog, IDC_USER2, Zone::CoarseUp);
        TapJog(dialog, IDC_USER2, Zone::CoarseUp);
    });
    script.TapPart(IDD_USER_SPEED, 17000, "tab", 1);
    script.Do(IDD_USER_SPEED, "memory: the selected jog takes microseconds", [&](HWND dialog) {
        EXPECT_EQ(JogText(dialog, IDC_USER1), L"250 ms");
        EXPECT_EQ(JogText(dialog, IDC_USER2), L"5 ms");
        TapJog(dialog, IDC_USER1, Zone::Middle);
        win::Tap(FindControl(dialog, 17040));
    });
    script.TapPart(IDD_USER_SPEED, 17000, "tab", 2);
    script.Do(IDD_USER_SPEED, "file: seconds", [&](HWND dialog) {
        EXPECT_EQ(JogText(dialog, IDC_USER2), L"2 s");
        TapJog(dialog, IDC_USER1, Zone::Middle);
        win::Tap(FindControl(dialog, 17103));
    });
    script.Do(IDD_USER_SPEED, "same number, new unit", [&](HWND dialog) {
        EXPECT_EQ(JogText(dialog, IDC_USER1), L"5 s");
        win::Tap(FindControl(dialog, IDOK));
    });
    Close(script);
    Run(script);
    const std::vector<SPEED_TABLE> expected = {{1960, 3, 2},     {250, 0, 0},      {5000000, 0, 2},
                                               {60000, 3, 3},    {5000, 0, 1},     {2000000, 0, 2}};
    EXPECT_EQ(Entries(), expected);
    EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{CHG_SPEED_TABLE});
}

TEST_F(UserSpeedTest, CancelKeepsEveryEntryAndCloseGivesEveryEntryTheModeOfItsKind)
{
    SetEntries({{2000, 0, 2}, {60000, 7, 3}}, {{200, 3, 0}, {5000, 0, 1}}, {{1000, 3, 1}, {2000000, 0, 2}});
    const std::vector<SPEED_TABLE> before = Entries();
    for (int closeWith : {IDCANCEL, IDOK}) {
        ScriptedOperator script;
        OpenSpeedTable(script);
        for (int tab = 0; tab < 3; ++tab) {
            script.TapPart(IDD_USER_SPEED, 17000, "tab", tab);
            script.Do(IDD_USER_SPEED, "edit", [&](HWND dialog) {
                if (closeWith == IDCANCEL)
                    TapJog(dialog, IDC_USER2, Zone::FineDown);
            });
        }
        script.Do(IDD_USER_SPEED, "close", [&](HWND dialog) {
            if (closeWith == IDCANCEL)
                win::PressKey(dialog, VK_ESCAPE);
            else
                win::Tap(FindControl(dialog, IDOK));
        });
        Close(script);
        Run(script);
        EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{CHG_SPEED_TABLE});
    }
    std::vector<SPEED_TABLE> expected = before;
    for (std::size_t index = 0; index < expected.size(); ++index)
        expected[index].mode = index % 3 == 0 ? Sheet::kModePen : Sheet::kModeInterval;
    EXPECT_EQ(Entries(), expected);
}

TEST_F(UserSpeedTest, AZeroPenEntryAndMinutesShowWithoutDividingOrWrapping)
{
    SetEntries({{0, 3, 2}, {0, 3, 3}}, {{200, 0, 0}, {120000000, 0, 3}}, {{1000, 0, 1}, {2000000, 0, 2}});
    ScriptedOperator script;
    OpenSpeedTable(script);
    script.Do(IDD_USER_SPEED, "the slowest speed", [&](HWND dialog) {
        EXPECT_EQ(JogText(dialog, IDC_USER1), L"1 mm/s");
        EXPECT_EQ(JogText(dialog, IDC_USER2), L"1 mm/min");
    });
    script.TapPart(IDD_USER_SPEED, 17000, "tab", 1);
    script.Do(IDD_USER_SPEED, "minutes", [&](HWND dialog) {
        EXPECT_EQ(JogText(dialog, IDC_USER2), L"2 min");
        TapJog(dialog, IDC_USER2, Zone::CoarseDown);
        win::Tap(FindControl(dialog, IDOK));
    });
    Close(script);
    Run(script);
    EXPECT_EQ(host.sysRec1->GetSpeedPen(0), (SPEED_TABLE{100000, 3, 2}));
    EXPECT_EQ(host.sysRec1->GetSpeedPen(1), (SPEED_TABLE{6000000, 3, 3}));
    EXPECT_EQ(host.sysRec1->GetSpeedMem(1), (SPEED_TABLE{720000000, 0, 3}));

    // Beyond 35 minutes the entry keeps the largest number it can hold.
    const std::pair<SPEED_TABLE, double> limits[] = {
        {{0, 0, 3}, 35}, {{0, 0, 3}, 36}, {{0, 0, 3}, 999}, {{0, 0, 2}, 100}, {{0, 3, 2}, 51}, {{0, 3, 9}, 7}};
    const LONG stored[] = {2100000000, INT_MAX, INT_MAX, 100000000, 1960, 7};
    for (std::size_t index = 0; index < std::size(limits); ++index)
        EXPECT_EQ(Sheet::StoredValue(limits[index].first, limits[index].second), stored[index]) << index;
}

}  // namespace
