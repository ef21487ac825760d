#include "pages/recording/SystemUserSpeedSheet.h"

#include "pages/recording/RecordingIds.h"

#include <cmath>
#include <cstdint>

using namespace recording_ids;

namespace {

constexpr int IDC_JOG_USER1 = 17148;
constexpr int IDC_UNIT_IDS[4] = {17040, 17042, 17103, 17104};

// 100000 / (mm/s) and 6000000 / (mm/min) are the same time per millimetre.
constexpr double kPenPerSecond = 100000.0;
constexpr double kPenPerMinute = 6000000.0;
constexpr LONG kMicrosecondsPer[4] = {1, 1000, 1000000, 60000000};

struct UnitShown {
    double number;
    const wchar_t* unit;
    double maximum;
};

// The largest entry that fits is kept rather than a wrapped one: 36 minutes
// and more do not fit the entry's microseconds.
LONG Saturate(double value)
{
    if (std::isnan(value))
        return 0;
    value = std::trunc(value);
    if (value >= static_cast<double>(INT32_MAX))
        return INT32_MAX;
    if (value <= static_cast<double>(INT32_MIN))
        return INT32_MIN;
    return static_cast<LONG>(value);
}

UnitShown ShownPen(const SPEED_TABLE& entry)
{
    const bool perMinute = entry.unit == CSystemUserSpeedSheet::kUnitMmPerMinute;
    // A zero entry has no speed to divide into: it shows the slowest one.
    const double number = entry.value == 0 ? 1.0 : (perMinute ? kPenPerMinute : kPenPerSecond) / entry.value;
    return {number, perMinute ? L"mm/min" : L"mm/s", 100.0};
}

UnitShown ShownInterval(const SPEED_TABLE& entry)
{
    switch (entry.unit) {
    case CSystemUserSpeedSheet::UnitMilliseconds: return {entry.value / 1000.0, L"ms", 999.0};
    case CSystemUserSpeedSheet::UnitSeconds: return {entry.value / 1000000.0, L"s", 100.0};
    // No button offers minutes, but an entry may hold them: shown as
    // minutes, so that a change of the jog keeps meaning minutes. 35 is the
    // most the entry's microseconds can hold.
    case CSystemUserSpeedSheet::UnitMinutes: return {entry.value / 60000000.0, L"min", 35.0};
    default: return {static_cast<double>(entry.value), L"μs", 999.0};
    }
}

}  // namespace

IMPLEMENT_DYNAMIC(CSystemUserSpeedSheet, CDialog)

BEGIN_MESSAGE_MAP(CSystemUserSpeedSheet, CDialog)
    ON_CONTROL_RANGE(BN_CLICKED, 17040, 17042, OnBnClickedUnit)
    ON_CONTROL_RANGE(BN_CLICKED, 17103, 17103, OnBnClickedUnit)
END_MESSAGE_MAP()

CSystemUserSpeedSheet::CSystemUserSpeedSheet() : CDialog(IDD_USER_SPEED_SHEET, nullptr) {}

CSystemUserSpeedSheet::~CSystemUserSpeedSheet() = default;

void CSystemUserSpeedSheet::SetTables(int kind, const SPEED_TABLE* user1, const SPEED_TABLE* user2)
{
    m_nKind = kind;
    if (user1)
        m_user1 = *user1;
    if (user2)
        m_user2 = *user2;
}

void CSystemUserSpeedSheet::GetTables(SPEED_TABLE* user1, SPEED_TABLE* user2) const
{
    if (user1)
        *user1 = m_user1;
    if (user2)
        *user2 = m_user2;
}

LONG CSystemUserSpeedSheet::StoredValue(const SPEED_TABLE& entry, double shown)
{
    if (entry.mode == kModePen) {
        if (entry.unit == kUnitMmPerSecond)
            return Saturate(kPenPerSecond / shown);
        if (entry.unit == kUnitMmPerMinute)
            return Saturate(kPenPerMinute / shown);
        return Saturate(shown);
    }
    const LONG factor = entry.unit >= UnitMilliseconds && entry.unit <= UnitMinutes ? kMicrosecondsPer[entry.unit] : 1;
    return Saturate(shown * factor);
}

BOOL CSystemUserSpeedSheet::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(17146, Text(IDD_USER_SPEED_SHEET, 2, L"ユーザ1"));
    SetDlgItemText(17147, Text(IDD_USER_SPEED_SHEET, 3, L"ユーザ2"));

    // Sampling intervals count down to the right: a faster speed is a shorter interval.
    const double step = m_nKind == KindPen ? 1.0 : -1.0;
    for (int index = 0; index < 2; ++index) {
        m_jog[index].AutoLoad(IDC_JOG_USER1 + index, this);
        m_jog[index].SetFormatString(L"%8G");
        m_jog[index].SetStep(10.0 * step, step);
    }
    for (int index = 0; index < 4; ++index)
        m_unitButton[index].AutoLoad(IDC_UNIT_IDS[index], this);

    const bool pen = m_nKind == KindPen;
    SetDlgItemText(IDC_UNIT_IDS[0], pen ? L"mm/s" : L"us");
    SetDlgItemText(IDC_UNIT_IDS[1], pen ? L"mm/min" : L"ms");
    if (!pen)
        SetDlgItemText(IDC_UNIT_IDS[2], L"s");
    m_unitButton[2].ShowWindow(pen ? SW_HIDE : SW_SHOW);
    m_unitButton[3].ShowWindow(SW_HIDE);
    for (int index = 0; index < 2; ++index)
        ShowEntry(index);
    return TRUE;
}

void CSystemUserSpeedSheet::ShowEntry(int index)
{
    SPEED_TABLE& entry = Entry(index);
    const bool pen = m_nKind == KindPen;
    const bool zeroPen = pen && entry.value == 0;
    entry.mode = pen ? kModePen : kModeInterval;
    // A pen entry that is not in mm/min is shown in mm/s, so it is kept in
    // mm/s too: a change of its jog must mean what the operator saw.
    if (pen && entry.unit != kUnitMmPerMinute)
        entry.unit = kUnitMmPerSecond;
    const UnitShown shown = pen ? ShownPen(entry) : ShownInterval(entry);
    CJogNumCtrl& jog = m_jog[index];
    jog.SetMaxMinValue(shown.maximum, 1.0);
    jog.SetUnitString(shown.unit);
    jog.SetValue(std::trunc(shown.number));
    // What a zero pen entry shows is what it stores from now on.
    if (zeroPen)
        Recompute(index);
}

void CSystemUserSpeedSheet::Recompute(int index)
{
    SPEED_TABLE& entry = Entry(index);
    entry.value = StoredValue(entry, m_jog[index].GetValue());
}

BOOL CSystemUserSpeedSheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == JN_CHANGE && (id == IDC_JOG_USER1 || id == IDC_JOG_USER1 + 1))
        Recompute(id - IDC_JOG_USER1);
    return CDialog::OnCommand(wParam, lParam);
}

void CSystemUserSpeedSheet::OnBnClickedUnit(UINT id)
{
    int button = 0;
    while (button < 3 && IDC_UNIT_IDS[button] != static_cast<int>(id))
        ++button;
    if (button == 3)
        return;
    const bool pen = m_nKind == KindPen && button < 2;
    CString text;
    GetDlgItemText(static_cast<int>(id), text);
    // The number on the jog stays; it is taken in the new unit.
    for (int index = 0; index < 2; ++index) {
        CJogNumCtrl& jog = m_jog[index];
        if (!jog.m_bSelected)
            continue;
        jog.SetUnitString(text);
        jog.Redraw();
        SPEED_TABLE& entry = Entry(index);
        entry.mode = pen ? kModePen : kModeInterval;
        entry.unit = pen ? (button == 0 ? kUnitMmPerSecond : kUnitMmPerMinute) : button;
        if (m_nKind != KindPen) {
            jog.SetMaxMinValue(button == 2 ? 100.0 : 999.0, 1.0);
            if (button == 2)
                jog.SetValue(jog.GetValue());
        }
        Recompute(index);
    }
}
