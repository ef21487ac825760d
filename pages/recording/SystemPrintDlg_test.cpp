// The print settings dialog, opened from the recording page.
#include "pages/recording/SystemPrintDlg.h"

#include "host/devices/PrinterIO.h"
#include "host/dialogs/CSoftKeybordDlg.h"
#include "pages/recording/RecordingTestSupport.h"

namespace {

using namespace recording_test;

constexpr int IDC_LIST_SIG_LABEL = 17155;
constexpr int IDC_LIST_ANNOTATION = 17158;

std::wstring Cell(HWND window, int listId, int row, int column)
{
    return ListColumn(window, listId, column).at(static_cast<size_t>(row));
}

class PrintDlgTest : public RecordingTest {
protected:
    static void OpenPrint(ScriptedOperator& script)
    {
        OpenTab(script);
        script.Tap(IDD_SYSTEM, IDC_BUTTON_PRINT);
    }
};

const std::vector<int> kGridAndScale = {17040, 17042, 17103, 17104, 17105, 17106, 17107, 17108};

TEST_F(PrintDlgTest, GridAndScaleButtonsShowTheStoredValueAndStoreTheirOwn)
{
    // An unknown value shows the first button and stays; 0 and 0 get "10mmSTD" and "一括" pressed.
    for (const auto& [grid, scale, shown, stored] : {std::tuple{0, 0, L"00001001", 12}, {9, 7, L"10000100", 97}}) {
        host.sysRec1->SetGrid(grid);
        host.sysRec1->SetVScale(scale);
        ScriptedOperator script;
        OpenPrint(script);
        script.Do(IDD_PRINT, "as stored", [&, shown = shown](HWND print) {
            EXPECT_EQ(Latches(print, kGridAndScale), shown);
            if (grid == 0) {
                win::Tap(FindControl(print, 17040));
                win::Tap(FindControl(print, 17106));
            }
        });
        script.Do(IDD_PRINT, "10mmSTD and 一括", [&](HWND print) {
            EXPECT_EQ(Latches(print, kGridAndScale), L"10000100");
            win::Tap(FindControl(print, IDOK));
        });
        Run(script);
        EXPECT_EQ(host.sysRec1->GetGrid() * 10 + host.sysRec1->GetVScale(), stored);
        EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{CHG_RECORD_FORMAT}) << "reported, changed or not";
    }
}

TEST_F(PrintDlgTest, UncheckingAListsSwitchDisablesItAtOnceAndTheTextsStay)
{
    host.sysRec1->SetUserAnnotationPSW(true);
    host.sysRec1->SetAnnotationText(0, L"keep");
    ScriptedOperator script;
    OpenPrint(script);
    script.Tap(IDD_PRINT, 17110);
    script.Do(IDD_PRINT, "off", [&](HWND print) {
        EXPECT_FALSE(Enabled(print, IDC_LIST_ANNOTATION) || Enabled(print, IDC_LIST_SIG_LABEL));
        EXPECT_EQ(Cell(print, IDC_LIST_ANNOTATION, 0, 1) + host.sysRec1->GetAnnotationText(0).GetStdString(),
                  L"keepkeep");
        win::Tap(FindControl(print, IDOK));
    });
    Run(script);
    EXPECT_FALSE(host.sysRec1->GetUserAnnotationPSW());
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
            key(CSoftKeybordDlg::kDownId);
        for (int i = 0; i < 4; ++i)
            key(CSoftKeybordDlg::kClearId), key(CSoftKeybordDlg::kBackId);
        key(CSoftKeybordDlg::kClearId);
        for (const wchar_t* text : {L"c", L"b", L"a"}) {
            key(CSoftKeybordDlg::kUpId), key(CSoftKeybordDlg::kClearId);
            win::TypeText(keyboard, text);
        }
    });
    script.Answer(IDOK);
    script.Do(IDD_PRINT, "the row", [&](HWND print) {
        EXPECT_EQ(Cell(print, IDC_LIST_SIG_LABEL, 3, 2), L"a b c  o4 o5 o6 o7 ");
        EXPECT_EQ(Cell(print, IDC_LIST_SIG_LABEL, 3, 1), L"DC AMP");
        win::Tap(FindControl(print, IDOK));
    });
    Run(script);
    std::wstring stored;
    for (int line = 0; line < 8; ++line)
        stored += host.sysRec1->GetSigLabelText(3, line) + L"|";
    EXPECT_EQ(stored, L"a|b|c||o4|o5|o6|o7|");
}

TEST(PrintDlgSplitTest, LinesEndAtLineBreaksAndOnlyARealCarriageReturnIsDropped)
{
    struct Case { std::wstring text; int limit; std::vector<std::wstring> lines; };
    const Case cases[] = {
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
    host.sysRec1->SetAnnotationText(3, L"above");
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
        EXPECT_EQ(ControlText(keyboard, CSoftKeybordDlg::kEntryId), L"\r\n\r\nabove\r\n");  // lines 2 to 5
        win::TypeText(keyboard, L"memo");
        win::Tap(FindControl(keyboard, CSoftKeybordDlg::kDownId));
        win::TypeText(keyboard, L"x");
    });
    script.Answer(IDOK);
    script.Do(IDD_PRINT, "sent", [&](HWND print) {
        const PrinterJournal sent = PrinterIO::GetJournal();
        EXPECT_EQ(sent.annotationChanges, 108);
        EXPECT_EQ(sent.annotations[4] + L"|" + sent.annotations[5] + L"|" + sent.annotations[107], L"memo|x|last");
        EXPECT_EQ(Cell(print, IDC_LIST_ANNOTATION, 4, 1), L"memo");
        EXPECT_EQ(reports, 1);
        win::Tap(FindControl(print, IDOK));
    });
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
    Run(script);
}

}  // namespace
