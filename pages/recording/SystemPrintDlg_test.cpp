// The print settings dialog, opened from the recording page and operated by
// taps and the soft keyboard.
#include "pages/recording/SystemPrintDlg.h"

#include "host/ConfigSysRec.h"
#include "host/devices/PrinterIO.h"
#include "host/dialogs/CSoftKeybordDlg.h"
#include "pages/recording/RecordingTestSupport.h"
#include "win/controls/CommCtrl.h"

namespace {

using namespace recording_test;
using Keyboard = CSoftKeybordDlg;

constexpr int IDC_LIST_SIG_LABEL = 17155;
constexpr int IDC_LIST_ANNOTATION = 17158;

std::wstring Cell(HWND window, int listId, int row, int column)
{
    wchar_t buffer[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 512;
    SendMessageW(FindControl(window, listId), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return buffer;
}

class PrintDlgTest : public RecordingTest {
protected:
    // Opens the print settings dialog from the recording page.
    static void OpenPrint(ScriptedOperator& script)
    {
        OpenTab(script);
        script.Tap(IDD_SYSTEM, IDC_BUTTON_PRINT);
    }
};

TEST_F(PrintDlgTest, GridAndScaleButtonsShowTheStoredValueAndStoreTheirOwn)
{
    struct Case {
        int grid, scale;
        int gridShown, scaleShown;
    };
    // A value no button stands for shows the first button and is kept.
    for (const Case c : {Case{0, 0, 17105, 17108}, Case{9, 7, 17040, 17106}}) {
        host.sysRec1->SetGrid(c.grid);
        host.sysRec1->SetVScale(c.scale);
        ScriptedOperator script;
        OpenPrint(script);
        script.Do(IDD_PRINT, "as stored", [&](HWND print) {
            for (int id : {17040, 17042, 17103, 17104, 17105, 17106, 17107, 17108})
                EXPECT_EQ(Latched(print, id), id == c.gridShown || id == c.scaleShown) << id;
        });
        if (c.grid == 0) {
            script.Tap(IDD_PRINT, 17040);
            script.Tap(IDD_PRINT, 17106);
            script.Do(IDD_PRINT, "pressed", [&](HWND print) {
                EXPECT_TRUE(Latched(print, 17040) && !Latched(print, 17105));
                EXPECT_EQ(host.sysRec1->GetGrid(), 1);
                EXPECT_EQ(host.sysRec1->GetVScale(), 2);
            });
        }
        script.Tap(IDD_PRINT, IDOK);
        Close(script);
        Run(script);
        if (c.grid == 9) {
            EXPECT_EQ(std::make_pair(host.sysRec1->GetGrid(), host.sysRec1->GetVScale()), std::make_pair(9, 7));
        }
    }
}

TEST_F(PrintDlgTest, PrintSwitchesStoreAtOnceAndEnableTheirLists)
{
    struct Switch {
        int id;
        bool (CONFIG_SYSREC::*get)() const;
        int list;
    };
    const Switch switches[] = {
        {17139, &CONFIG_SYSREC::GetChannelMarkPSW, 0},     {17140, &CONFIG_SYSREC::GetSysAnnotationPSW, 0},
        {17141, &CONFIG_SYSREC::GetChanAnnotationPSW, 0},  {17142, &CONFIG_SYSREC::GetTimeScalePSW, 0},
        {17101, &CONFIG_SYSREC::GetSigLabelPSW, 17155},    {17110, &CONFIG_SYSREC::GetUserAnnotationPSW, 17158},
        {17112, &CONFIG_SYSREC::GetMeasInfoPSW, 17109},
    };
    host.sysRec1->SetAnnotationText(0, L"keep");
    ScriptedOperator script;
    OpenPrint(script);
    for (const Switch& s : switches) {
        const bool before = (host.sysRec1.get()->*s.get)();
        script.Tap(IDD_PRINT, s.id);
        script.Do(IDD_PRINT, "stored", [&, before](HWND print) {
            EXPECT_NE((host.sysRec1.get()->*s.get)(), before) << s.id;
            if (s.list) {
                EXPECT_EQ(Enabled(print, s.list), !before) << s.list;
            }
        });
    }
    script.Tap(IDD_PRINT, 17110);
    script.Do(IDD_PRINT, "off again", [&](HWND print) {
        EXPECT_FALSE(Enabled(print, IDC_LIST_ANNOTATION));
        EXPECT_EQ(Cell(print, IDC_LIST_ANNOTATION, 0, 1), L"keep");
        EXPECT_EQ(host.sysRec1->GetAnnotationText(0), L"keep");
        win::Tap(FindControl(print, IDOK));
    });
    Close(script);
    Run(script);
}

TEST_F(PrintDlgTest, ThreeSignalNameLinesEndingInALineBreakStoreFourLinesAndKeepTheRest)
{
    for (int line = 0; line < 8; ++line)
        host.sysRec1->SetSigLabelText(3, line, (L"o" + std::to_wstring(line)).c_str());
    ScriptedOperator script;
    OpenPrint(script);
    script.Tap(IDD_PRINT, 17101);
    script.TapPart(IDD_PRINT, IDC_LIST_SIG_LABEL, "row", 3);
    script.Do(IDD_KEYBOARD, "leave a, b, c and an empty line", [&](HWND keyboard) {
        EXPECT_EQ(GetWindowTextString(keyboard), L"信号名入力 CH4[DC AMP]");
        auto key = [keyboard](int id) { win::Tap(FindControl(keyboard, id)); };
        for (int i = 0; i < 7; ++i)
            key(Keyboard::kDownId);
        for (int i = 0; i < 4; ++i)
            key(Keyboard::kClearId), key(Keyboard::kBackId);
        key(Keyboard::kClearId);
        for (const wchar_t* text : {L"c", L"b", L"a"}) {
            key(Keyboard::kUpId), key(Keyboard::kClearId);
            win::TypeText(keyboard, text);
        }
    });
    script.Answer(IDOK);
    script.Do(IDD_PRINT, "the row", [&](HWND print) {
        EXPECT_EQ(Cell(print, IDC_LIST_SIG_LABEL, 3, 2), L"a b c  o4 o5 o6 o7 ");
        EXPECT_EQ(Cell(print, IDC_LIST_SIG_LABEL, 3, 1), L"DC AMP");
        win::Tap(FindControl(print, IDOK));
    });
    Close(script);
    Run(script);
    const wchar_t* expected[8] = {L"a", L"b", L"c", L"", L"o4", L"o5", L"o6", L"o7"};
    for (int line = 0; line < 8; ++line)
        EXPECT_EQ(host.sysRec1->GetSigLabelText(3, line), expected[line]) << line;
}

TEST(PrintDlgSplitTest, LinesEndAtLineBreaksAndOnlyARealCarriageReturnIsDropped)
{
    struct Case {
        std::wstring text;
        int limit;
        std::vector<std::wstring> lines;
    };
    const Case cases[] = {
        {L"a\r\nb\r\nc\r\n", 8, {L"a", L"b", L"c", L""}},
        {L"whole", 8, {L"whole"}},
        {L"ab\ncd", 8, {L"ab", L"cd"}},
        {L"\nb\r\n\r\nd", 8, {L"", L"b", L"", L"d"}},
        {L"1\r\n2\r\n3\r\n4", 3, {L"1", L"2", L"3"}},
    };
    for (const auto& [text, limit, lines] : cases) {
        std::vector<std::wstring> stored;
        CSystemPrintDlg::SplitLines(text, limit, [&](int line, const std::wstring& cut) {
            EXPECT_EQ(line, static_cast<int>(stored.size()));
            stored.push_back(cut);
        });
        EXPECT_EQ(stored, lines);
    }
}

TEST_F(PrintDlgTest, EachConfirmedAnnotationEditSendsEveryLineToThePrinterAndReportsOnce)
{
    PrinterDevice::Instance().ResetJournal();
    host.sysRec1->SetUserAnnotationPSW(true);
    host.sysRec1->SetAnnotationText(107, L"last");
    int reports = 0;
    auto previous = CONFIG_BASE::SetChangeHook([&](CONFIG_BASE&, DWORD changes) {
        reports += (changes & CONFIG_SYSREC::CHANGE_PRINT_TEXT) != 0;
    });
    ScriptedOperator script;
    OpenPrint(script);
    script.TapPart(IDD_PRINT, IDC_LIST_ANNOTATION, "row", 4);
    script.Do(IDD_KEYBOARD, "two lines", [&](HWND keyboard) {
        EXPECT_EQ(GetWindowTextString(keyboard), L"ユーザアノテーション入力");
        win::TypeText(keyboard, L"memo");
        win::Tap(FindControl(keyboard, Keyboard::kDownId));
        win::TypeText(keyboard, L"x");
    });
    script.Answer(IDOK);
    script.Do(IDD_PRINT, "sent", [&](HWND print) {
        const PrinterJournal journal = PrinterIO::GetJournal();
        EXPECT_EQ(journal.annotationChanges, 108);
        EXPECT_EQ(journal.annotations[4], L"memo");
        EXPECT_EQ(journal.annotations[5], L"x");
        EXPECT_EQ(journal.annotations[107], L"last");
        EXPECT_EQ(Cell(print, IDC_LIST_ANNOTATION, 4, 1), L"memo");
        EXPECT_EQ(reports, 1);
    });
    for (int answer : {IDCANCEL, IDOK}) {
        script.TapPart(IDD_PRINT, IDC_LIST_ANNOTATION, "row", 0);
        script.Answer(answer);
    }
    script.Do(IDD_PRINT, "unchanged lines are sent too", [&](HWND print) {
        EXPECT_EQ(PrinterIO::GetJournal().annotationChanges, 216);
        EXPECT_EQ(reports, 1);
        win::Tap(FindControl(print, IDOK));
    });
    Close(script);
    Run(script);
    CONFIG_BASE::SetChangeHook(previous);
    EXPECT_EQ(host.sysRec1->GetAnnotationText(5), L"x");
}

TEST_F(PrintDlgTest, ATapBelowTheLastRowOpensNoKeyboard)
{
    host.sysRec1->SetSigLabelPSW(true);
    ScriptedOperator script;
    OpenPrint(script);
    script.Do(IDD_PRINT, "below the last row", [&](HWND print) {
        HWND list = FindControl(print, IDC_LIST_SIG_LABEL);
        SendMessageW(list, LVM_ENSUREVISIBLE, 15, FALSE);
        RECT client{};
        GetClientRect(list, &client);
        win::TapAt(list, POINT{client.right / 2, client.bottom - 2});
    });
    script.Do(IDD_PRINT, "still the print dialog", [&](HWND print) { win::Tap(FindControl(print, IDOK)); });
    Close(script);
    Run(script);
}

}  // namespace
