#include "host/dialogs/CNumKeyDlg.h"
#include "host/dialogs/HostTemplate.h"
#include "tests/harness/DialogTestHelpers.h"

#include <gtest/gtest.h>

using host::IDD_HOST_NUMKEY;
using testing_support::ControlText;
using testing_support::ScriptedOperator;

namespace {

ScriptedOperator::Action Expect(int id, std::wstring text)
{
    return [id, text](HWND dialog) { EXPECT_EQ(text, ControlText(dialog, id)) << "control " << id; };
}

}  // namespace

TEST(CNumKeyDlg, RefusesAValueOutOfRangeVisiblyAndStaysOpen)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Do(IDD_HOST_NUMKEY, "the current value", Expect(CNumKeyDlg::kDisplayId, L"12"));
    script.Do(IDD_HOST_NUMKEY, "the range", Expect(CNumKeyDlg::kRangeId, L"入力範囲: 1 ～ 9999"));
    script.Type(IDD_HOST_NUMKEY, L"0");
    script.Answer(IDOK);
    script.Do(IDD_HOST_NUMKEY, "refused", [](HWND dialog) {
        EXPECT_EQ(L"入力範囲外です（1 ～ 9999）", ControlText(dialog, CNumKeyDlg::kMessageId));
        EXPECT_EQ(L"0", ControlText(dialog, CNumKeyDlg::kDisplayId));
    });
    script.Type(IDD_HOST_NUMKEY, L"10000");
    script.Answer(IDOK);
    script.Do(IDD_HOST_NUMKEY, "refused again", Expect(CNumKeyDlg::kMessageId, L"入力範囲外です（1 ～ 9999）"));
    script.Tap(IDD_HOST_NUMKEY, CNumKeyDlg::kClearId);
    script.Tap(IDD_HOST_NUMKEY, CNumKeyDlg::kDigitId + 4);
    script.Tap(IDD_HOST_NUMKEY, CNumKeyDlg::kDigitId + 2);
    script.Do(IDD_HOST_NUMKEY, "keys entered", Expect(CNumKeyDlg::kDisplayId, L"42"));
    script.Answer(IDOK);
    CNumKeyDlg pad(nullptr, true);
    pad.SetConfigData(L"", L"%0.4g", 12, 9999.0, 1.0, 0);
    pad.SetCaptionMessage(L"データNo.");
    EXPECT_EQ(1, pad.DoModal());
    EXPECT_DOUBLE_EQ(42, pad.GetValue());
}

TEST(CNumKeyDlg, SignPointAndBackspaceEditTheEntry)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.Do(IDD_HOST_NUMKEY, "unit shown", Expect(CNumKeyDlg::kUnitId, L"s"));
    script.Tap(IDD_HOST_NUMKEY, CNumKeyDlg::kPointId);
    script.Tap(IDD_HOST_NUMKEY, CNumKeyDlg::kDigitId + 5);
    script.Tap(IDD_HOST_NUMKEY, CNumKeyDlg::kPointId);  // a second point is ignored
    script.Type(IDD_HOST_NUMKEY, L"25");
    script.Tap(IDD_HOST_NUMKEY, CNumKeyDlg::kSignId);
    script.Do(IDD_HOST_NUMKEY, "entry", Expect(CNumKeyDlg::kDisplayId, L"-0.525"));
    script.Tap(IDD_HOST_NUMKEY, CNumKeyDlg::kBackId);
    script.Tap(IDD_HOST_NUMKEY, CNumKeyDlg::kSignId);
    script.Do(IDD_HOST_NUMKEY, "entry", Expect(CNumKeyDlg::kDisplayId, L"0.52"));
    script.Answer(IDOK);
    CNumKeyDlg pad(nullptr, true);
    pad.SetConfigData(L"s", L"%.4g", 10, 60, 0, 0);
    EXPECT_EQ(1, pad.DoModal());
    EXPECT_DOUBLE_EQ(0.52, pad.GetValue());
}

// Enter without keys keeps the value; an empty entry or a bare sign is no
// number; in whole-number mode the point is off and a typed one is ignored.
TEST(CNumKeyDlg, EntriesThatGiveNoNewNumber)
{
    testing_support::Watchdog watchdog;
    ScriptedOperator script;
    script.PressKey(IDD_HOST_NUMKEY, VK_RETURN);
    script.Tap(IDD_HOST_NUMKEY, CNumKeyDlg::kClearId).Tap(IDD_HOST_NUMKEY, CNumKeyDlg::kSignId).Answer(IDOK);
    script.Do(IDD_HOST_NUMKEY, "refused", Expect(CNumKeyDlg::kMessageId, L"数値を入力してください"));
    script.Type(IDD_HOST_NUMKEY, L"7\r");
    script.Do(IDD_HOST_NUMKEY, "point disabled", [](HWND dialog) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, CNumKeyDlg::kPointId)));
    });
    script.Type(IDD_HOST_NUMKEY, L"1.5");
    script.Do(IDD_HOST_NUMKEY, "typed point ignored", Expect(CNumKeyDlg::kDisplayId, L"15"));
    script.Answer(IDOK);
    const std::pair<int, double> pads[] = {{0, 30}, {0, -7}, {1, 15}};  // whole-number mode, value
    for (auto [whole, expected] : pads) {
        CNumKeyDlg pad(nullptr, true);
        pad.SetConfigData(L"", L"%g", 30, 100, -10, whole);
        EXPECT_EQ(1, pad.DoModal());
        EXPECT_DOUBLE_EQ(expected, pad.GetValue());
    }
    EXPECT_TRUE(script.Finished());
}
