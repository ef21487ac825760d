// The saved-setups dialog, operated through taps, the comment keyboard and
// popups, with a recording host.
#include "pages/mode/SystemMySetup.h"

#include "host/dialogs/CSoftKeybordDlg.h"
#include "pages/mode/ModeTestSupport.h"
#include "win/TimeApi.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

using namespace mode_test;
using testing_support::FindControl;
using testing_support::ScriptedOperator;

constexpr int IDC_CURRENT = 17044, IDC_SLOT1 = 17040, IDC_TIME1 = 17167, IDC_HAND1 = 17172, IDC_COMMENT1 = 17176;
constexpr int IDC_SUMMARY = 17114, IDC_SAVE = 17104, IDC_LOAD = 17032, IDC_CLEAR = 17103;
constexpr int kEntry = CSoftKeybordDlg::kEntryId;

const std::wstring kDashes = L"----/--/-- --:--";
const std::wstring kSaveFailed = L"保存に失敗しました";
const std::wstring kSavedAtText = L"2024/05/14 09:30";

// Which of the five selection switches is latched, as "current" or "1".."4".
std::string LatchedSwitches(HWND window)
{
    std::string latched = CheckState(window, IDC_CURRENT) == BST_CHECKED ? "current " : "";
    for (int slot = 1; slot <= 4; ++slot)
        latched += CheckState(window, IDC_SLOT1 + slot - 1) == BST_CHECKED ? std::to_string(slot) + " " : "";
    return latched;
}

class MySetupTest : public ModeTest {
protected:
    void SetUp() override
    {
        win::Clock::SetOffsetSeconds(0);
        win::Clock::SetTimeZone(TIME_ZONE_INFORMATION{});
        receiver.OnRequest(DLGREQ_SAVE_SETTINGS, [this](T_DLG_REQUEST& request, int) {
            root.WriteFile(request.Text(12), "settings");
            request.SetByte(16, 1);
        });
    }
    void TearDown() override { win::Clock::UseProcessTimeZone(); }

    // A slot saved earlier: both files, last written at 2024-05-14 09:30:27 UTC.
    void PlaceSlot(int slot, const std::string& commentBytes)
    {
        timespec times[2] = {{1715679027, 0}, {1715679027, 0}};
        for (const std::wstring& path : {ConfigPath(slot), CommentPath(slot)}) {
            root.WriteFile(path, path == ConfigPath(slot) ? "settings" : commentBytes);
            ASSERT_EQ(utimensat(AT_FDCWD, root.PosixOf(path).c_str(), times, 0), 0);
        }
    }

    // Runs a fresh dialog on the host's record; the operator closes it at the end.
    void Run(ScriptedOperator& script)
    {
        script.Tap(IDD_MY_SETUP, IDOK);
        CSystemMySetup dialog;
        dialog.SetConfig(&host.record);
        dialog.SetDLGCallback(&receiver, 9);
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
};

// Nothing is saved on a fresh drive; the summary is a snapshot of the values
// at opening until "current values" is pressed again; Save, Load and Clear
// without a slot only ask for one.
TEST_F(MySetupTest, FreshDriveShowsEmptySlotsAndTheCurrentValues)
{
    const std::wstring kSelectSlot = L"保存No1～4を選択してください。\n";
    host.sysMeas.SetMode(1);
    ScriptedOperator script;
    script.Do(IDD_MY_SETUP, "read the fresh dialog", [&](HWND window) {
        for (int slot = 1; slot <= 4; ++slot) {
            EXPECT_EQ(ControlText(window, IDC_TIME1 + slot - 1) + ControlText(window, IDC_COMMENT1 + slot - 1), kDashes);
        }
        EXPECT_EQ(LatchedSwitches(window), "current ");
        EXPECT_EQ(ControlText(window, IDC_SUMMARY).rfind(L"Measure Mode: MEMORY RECORDER\r\nFeed legth: ", 0), 0u);
        host.sysMeas.SetMode(4);  // the host changes the mode meanwhile
    });
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    AnswerPopup(script, L"保存", kSelectSlot, IDOK);
    script.Tap(IDD_MY_SETUP, IDC_LOAD);
    AnswerPopup(script, L"読み出し", kSelectSlot, IDOK);
    script.Tap(IDD_MY_SETUP, IDC_CLEAR);
    AnswerPopup(script, L"保存", kSelectSlot, IDOK);
    TapAll(script, IDD_MY_SETUP, {IDC_SLOT1 + 1, IDC_LOAD});  // slot 2 is not saved: nothing happens
    script.Do(IDD_MY_SETUP, "slot 2 selected, no summary", [&](HWND window) {
        EXPECT_EQ(LatchedSwitches(window) + win::WideToUtf8(ControlText(window, IDC_SUMMARY)), "2 ");
    });
    script.Tap(IDD_MY_SETUP, IDC_CURRENT);
    script.Do(IDD_MY_SETUP, "a fresh snapshot", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_SUMMARY).rfind(L"Measure Mode: X-Y RECORDER\r\n", 0), 0u);
        EXPECT_EQ(LatchedSwitches(window), "current ");
    });
    Run(script);
    EXPECT_TRUE(receiver.Requests().empty());
    EXPECT_TRUE(root.Exists(kFolder)) << "the folder is made at the start";
}

// A comment typed on the keyboard (16 characters at most) is written only by
// Save and read back with its time by the next opening; a cancelled keyboard
// changes nothing.
TEST_F(MySetupTest, CommentSurvivesSaveAndANewOpening)
{
    const std::wstring comment = L"測定メモ０１ABCDEFGHIJ";
    std::wstring shownTime;
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_HAND1 + 3).Type(IDD_KEYBOARD, L"never").Tap(IDD_KEYBOARD, IDCANCEL);
    script.Tap(IDD_MY_SETUP, IDC_HAND1 + 1);
    script.Do(IDD_KEYBOARD, "the keyboard starts empty", [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window) + ControlText(window, kEntry), L"コメント設定");
    });
    script.Type(IDD_KEYBOARD, comment + L"X").Tap(IDD_KEYBOARD, IDOK);  // a 17th character is refused
    script.Do(IDD_MY_SETUP, "the comment shows and slot 2 is selected", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 1), comment);
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 3), L"") << "the cancelled keyboard";
        EXPECT_EQ(LatchedSwitches(window), "2 ");
        EXPECT_FALSE(root.Exists(CommentPath(2))) << "only Save writes the comment";
    });
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.Do(IDD_MY_SETUP, "slot 2 has a time now", [&](HWND window) {
        shownTime = ControlText(window, IDC_TIME1 + 1);
        EXPECT_TRUE(shownTime.size() == 16 && shownTime != kDashes) << "YYYY/MM/DD HH:MM";
    });
    Run(script);
    EXPECT_EQ(receiver.Kinds(), std::vector<DWORD>{DLGREQ_SAVE_SETTINGS});
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_SETTINGS).Field(L"path"), ConfigPath(2));
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_SETTINGS).cookie, 9);
    EXPECT_EQ(root.ReadFile(CommentPath(2)), CommentFileOf(u"測定メモ０１ABCDEFGHIJ"));

    ScriptedOperator again;
    again.Do(IDD_MY_SETUP, "the comment and time come back from disk", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 1) + ControlText(window, IDC_TIME1 + 1), comment + shownTime);
    });
    Run(again);
}

// Slots saved earlier show their local last-write time to the minute and
// their comment; a save keeps 16 characters; Clear removes both files of its
// slot at once, after which Load asks nothing.
TEST_F(MySetupTest, SlotsSavedEarlierAreShownSavedAgainAndCleared)
{
    PlaceSlot(1, Utf16Le(std::u16string(20, u'Z')));  // 40 bytes, no terminator
    PlaceSlot(3, CommentFileOf(u"three"));
    ScriptedOperator script;
    script.Do(IDD_MY_SETUP, "read the slots", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1) + ControlText(window, IDC_TIME1), std::wstring(20, L'Z') + kSavedAtText);
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 2) + ControlText(window, IDC_TIME1 + 2), L"three" + kSavedAtText);
    });
    TapAll(script, IDD_MY_SETUP, {IDC_SLOT1, IDC_SAVE, IDC_SLOT1 + 2, IDC_CLEAR});
    script.Do(IDD_MY_SETUP, "slot 3 is blank at once", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 2) + ControlText(window, IDC_TIME1 + 2), kDashes);
    });
    script.Tap(IDD_MY_SETUP, IDC_LOAD);
    Run(script);
    EXPECT_EQ(root.ReadFile(CommentPath(1)), CommentFileOf(std::u16string(16, u'Z')));
    EXPECT_FALSE(root.Exists(CommentPath(3)) || root.Exists(ConfigPath(3)));
    EXPECT_EQ(receiver.Kinds(), std::vector<DWORD>{DLGREQ_SAVE_SETTINGS});
}

// A save the host refuses leaves no comment of a setup that is not there, and
// over an earlier setup puts that setup's comment back.
TEST_F(MySetupTest, FailedSaveLeavesTheCommentFilesAsTheyWere)
{
    PlaceSlot(2, CommentFileOf(u"earlier"));
    receiver.AnswerNo(DLGREQ_SAVE_SETTINGS);
    receiver.OnRequest(DLGREQ_SAVE_SETTINGS, nullptr);
    ScriptedOperator script;
    TapAll(script, IDD_MY_SETUP, {IDC_SLOT1, IDC_SAVE});
    script.Do(IDD_MESSAGE_BOX, "the save failure", [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"保存");
        EXPECT_TRUE(testing_support::ShowsText(window, kSaveFailed));
        win::Tap(FindControl(window, IDOK));
    });
    script.Tap(IDD_MY_SETUP, IDC_HAND1 + 1);
    script.Do(IDD_KEYBOARD, "replace the comment", [](HWND window) {
        EXPECT_EQ(ControlText(window, kEntry), L"earlier");
        win::Tap(FindControl(window, CSoftKeybordDlg::kClearId));
    });
    script.Type(IDD_KEYBOARD, L"later").Tap(IDD_KEYBOARD, IDOK).Tap(IDD_MY_SETUP, IDC_SAVE);
    script.AnswerShowing(kSaveFailed, IDOK);
    script.Do(IDD_MY_SETUP, "slot 1 unsaved, slot 2 still the earlier setup", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_TIME1), kDashes);
        EXPECT_EQ(ControlText(window, IDC_TIME1 + 1), kSavedAtText);
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 1), L"later") << "the operator's text stays for a retry";
    });
    Run(script);
    EXPECT_EQ(receiver.Count(DLGREQ_SAVE_SETTINGS), 2u);
    EXPECT_FALSE(root.Exists(CommentPath(1)));
    EXPECT_EQ(root.ReadFile(CommentPath(2)), CommentFileOf(u"earlier"));
    EXPECT_EQ(root.ReadFile(ConfigPath(2)), "settings");
}

// Load asks first; it restarts only after the host loaded, and the dialog then
// ends by itself. A refusal, or no host at all, shows the failure.
TEST_F(MySetupTest, LoadAsksThenRestartsOnlyAfterTheHostLoaded)
{
    struct Row {
        const char* name;
        int answer;
        bool withReceiver, hostLoads;
    };
    const Row rows[] = {{"cancelled", IDCANCEL, true, true},
                        {"refused", IDOK, true, false},
                        {"no host", IDOK, false, false},
                        {"loaded", IDOK, true, true}};
    PlaceSlot(3, CommentFileOf(u"three"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        receiver.ClearRecords();
        receiver.OnRequest(DLGREQ_LOAD_SETTINGS, [&](T_DLG_REQUEST& request, int) {
            EXPECT_EQ(receiver.Count(DLGREQ_RESTART), 0u) << "no restart before the load answered";
            request.SetByte(16, row.hostLoads ? 1 : 0);
        });
        const bool loads = row.answer == IDOK && row.hostLoads;
        ScriptedOperator script;
        TapAll(script, IDD_MY_SETUP, {IDC_SLOT1 + 2, IDC_LOAD});
        AnswerPopup(script, L"KQ5800", kRestartQuestion, row.answer);
        if (row.answer == IDOK && !loads)
            AnswerPopup(script, L"KQ5800", L"指定された設定ファイルの読み込みに失敗しました。", IDOK);
        if (!loads)
            script.Tap(IDD_MY_SETUP, IDOK);
        CSystemMySetup dialog;
        dialog.SetConfig(&host.record);
        if (row.withReceiver)
            dialog.SetDLGCallback(&receiver, 9);
        EXPECT_EQ(dialog.DoModal(), IDOK);
        std::vector<DWORD> kinds;
        if (row.answer == IDOK && row.withReceiver)
            kinds.push_back(DLGREQ_LOAD_SETTINGS);
        if (loads)
            kinds.push_back(DLGREQ_RESTART);
        ASSERT_EQ(receiver.Kinds(), kinds);
        EXPECT_TRUE(kinds.empty() || receiver.Last(DLGREQ_LOAD_SETTINGS).Field(L"path") == ConfigPath(3));
        EXPECT_TRUE(!loads || receiver.Last(DLGREQ_RESTART).sender == static_cast<void*>(&dialog));
    }
}

// A save fails and says so, asking the host nothing, when the folder cannot be
// made (a file has its name, or drive D: is missing) or no host is there;
// clearing what is not there is quietly ignored.
TEST(MySetupSaveFailureTest, SavesFailWhenNothingCanHoldThem)
{
    struct Row {
        const char* name;
        const char* drives;
        bool fileInTheWay, withReceiver;
    };
    for (const Row& row : {Row{"file in the way", "CDE", true, true}, Row{"no drive", "CE", false, true},
                           Row{"no host", "CDE", false, false}}) {
        SCOPED_TRACE(row.name);
        testing_support::Watchdog watchdog;
        testing_support::TempDataRoot root(row.drives);
        testing_support::HostConfiguration host;
        testing_support::RecordingReceiver receiver;
        receiver.AnswerYes(DLGREQ_SAVE_SETTINGS);
        if (row.fileInTheWay)
            root.WriteFile(kFolder, "not a folder");
        CSystemMySetup dialog;
        dialog.SetConfig(&host.record);
        if (row.withReceiver)
            dialog.SetDLGCallback(&receiver, 1);
        ScriptedOperator script;
        script.Do(IDD_MY_SETUP, "every slot reads as empty", [&](HWND window) {
            for (int slot = 1; slot <= 4; ++slot)
                EXPECT_EQ(ControlText(window, IDC_TIME1 + slot - 1), kDashes);
        });
        TapAll(script, IDD_MY_SETUP, {IDC_SLOT1 + 3, IDC_SAVE});
        script.AnswerShowing(kSaveFailed, IDOK);
        TapAll(script, IDD_MY_SETUP, {IDC_CLEAR, IDOK});
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_TRUE(receiver.Requests().empty());
        EXPECT_FALSE(root.Exists(CommentPath(4)));
        EXPECT_TRUE(!row.fileInTheWay || root.ReadFile(kFolder) == "not a folder");
    }
}

}  // namespace
