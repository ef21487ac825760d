// The saved-setups dialog, operated through taps, the comment keyboard and
// popups, with a recording host.
#include "pages/mode/SystemMySetup.h"

#include "host/ConfigSysMeas.h"
#include "host/dialogs/CSoftKeybordDlg.h"
#include "pages/mode/ModeTestSupport.h"
#include "tests/harness/HostConfiguration.h"
#include "tests/harness/RecordingReceiver.h"
#include "tests/harness/TempDataRoot.h"
#include "win/Input.h"
#include "win/TimeApi.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

using namespace mode_test;
using testing_support::FindControl;
using testing_support::RecordingReceiver;
using testing_support::ScriptedOperator;
using testing_support::TempDataRoot;

constexpr int IDC_SWITCH_CURRENT = 17044;
constexpr int IDC_SWITCH_SLOT1 = 17040;
constexpr int IDC_TIME1 = 17167;
constexpr int IDC_HAND1 = 17172;
constexpr int IDC_COMMENT1 = 17176;
constexpr int IDC_SUMMARY = 17114;
constexpr int IDC_SAVE = 17104;
constexpr int IDC_LOAD = 17032;
constexpr int IDC_CLEAR = 17103;

const std::wstring kDashes = L"----/--/-- --:--";
const std::wstring kSelectSlot = L"保存No1～4を選択してください。\n";
const std::wstring kLoadFailed = L"指定された設定ファイルの読み込みに失敗しました。";
const std::wstring kSaveFailed = L"保存に失敗しました";
constexpr time_t kSavedAt = 1715679027;  // 2024-05-14 09:30:27 UTC

// Which of the five selection switches is latched, as "current" or "1".."4".
std::string LatchedSwitches(HWND window)
{
    std::string latched = CheckState(window, IDC_SWITCH_CURRENT) == BST_CHECKED ? "current " : "";
    for (int slot = 1; slot <= 4; ++slot)
        if (CheckState(window, IDC_SWITCH_SLOT1 + slot - 1) == BST_CHECKED)
            latched += std::to_string(slot) + " ";
    return latched;
}

class MySetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        win::Clock::SetOffsetSeconds(0);
        TIME_ZONE_INFORMATION utc{};
        win::Clock::SetTimeZone(utc);
    }
    void TearDown() override { win::Clock::UseProcessTimeZone(); }

    // The host writes the configuration file it is asked for and says yes.
    void HostSavesSettings()
    {
        receiver.OnRequest(DLGREQ_SAVE_SETTINGS, [this](T_DLG_REQUEST& request, int) {
            root.WriteFile(request.Text(12), "settings");
            request.SetByte(16, 1);
        });
    }

    // A slot saved earlier: both files, last written at kSavedAt.
    void PlaceSlot(int slot, const std::string& commentBytes)
    {
        timespec times[2] = {{kSavedAt, 0}, {kSavedAt, 0}};
        for (const std::wstring& path : {ConfigPath(slot), CommentPath(slot)}) {
            root.WriteFile(path, path == ConfigPath(slot) ? "settings" : commentBytes);
            ASSERT_EQ(utimensat(AT_FDCWD, root.PosixOf(path).c_str(), times, 0), 0);
        }
    }

    // Runs a fresh dialog on the host's record; the operator closes it at the end.
    INT_PTR Run(ScriptedOperator& script, bool withReceiver = true)
    {
        CSystemMySetup dialog;
        script.Tap(IDD_MY_SETUP, IDOK);
        dialog.SetConfig(&host.record);
        if (withReceiver)
            dialog.SetDLGCallback(&receiver, 9);
        return dialog.DoModal();
    }

    testing_support::Watchdog watchdog;
    TempDataRoot root;
    testing_support::HostConfiguration host;
    RecordingReceiver receiver;
};

// On a fresh drive nothing is saved; the summary is a snapshot of the values
// at opening until "current values" is pressed again; Save, Load and Clear
// without a slot only ask for one.
TEST_F(MySetupTest, FreshDriveShowsEmptySlotsAndTheCurrentValues)
{
    host.sysMeas.SetMode(1);
    ScriptedOperator script;
    script.Do(IDD_MY_SETUP, "read the fresh dialog", [&](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"設定値の保存・読み出し");
        for (int slot = 1; slot <= 4; ++slot) {
            EXPECT_EQ(ControlText(window, IDC_TIME1 + slot - 1), kDashes) << "slot " << slot;
            EXPECT_EQ(ControlText(window, IDC_COMMENT1 + slot - 1), L"") << "slot " << slot;
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
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1 + 1);
    script.Tap(IDD_MY_SETUP, IDC_LOAD);  // slot 2 is not saved: nothing happens
    script.Do(IDD_MY_SETUP, "slot 2 selected, no summary", [&](HWND window) {
        EXPECT_EQ(LatchedSwitches(window), "2 ");
        EXPECT_EQ(ControlText(window, IDC_SUMMARY), L"");
    });
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_CURRENT);
    script.Do(IDD_MY_SETUP, "a fresh snapshot", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_SUMMARY).rfind(L"Measure Mode: X-Y RECORDER\r\n", 0), 0u);
        EXPECT_EQ(LatchedSwitches(window), "current ");
    });
    EXPECT_EQ(Run(script), IDOK);
    EXPECT_TRUE(receiver.Requests().empty());
    EXPECT_TRUE(root.Exists(kFolder)) << "the folder is made at the start";
    EXPECT_FALSE(root.Exists(CommentPath(1)));
}

// A comment is typed on the keyboard (16 characters at most), written only by
// Save, and read back with its time by the next opening; a cancelled keyboard
// changes nothing.
TEST_F(MySetupTest, CommentSurvivesSaveAndANewOpening)
{
    HostSavesSettings();
    const std::wstring comment = L"測定メモ０１ABCDEFGHIJ";
    std::wstring shownTime;
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_HAND1 + 3);
    script.Type(IDD_KEYBOARD, L"never");
    script.Tap(IDD_KEYBOARD, IDCANCEL);
    script.Tap(IDD_MY_SETUP, IDC_HAND1 + 1);
    script.Do(IDD_KEYBOARD, "the comment keyboard starts empty", [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"コメント設定");
        EXPECT_EQ(ControlText(window, CSoftKeybordDlg::kEntryId), L"");
    });
    script.Type(IDD_KEYBOARD, comment + L"X");  // a 17th character is refused
    script.Tap(IDD_KEYBOARD, IDOK);
    script.Do(IDD_MY_SETUP, "the comment shows and slot 2 is selected", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 1), comment);
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 3), L"") << "the cancelled keyboard";
        EXPECT_EQ(LatchedSwitches(window), "2 ");
        EXPECT_FALSE(root.Exists(CommentPath(2))) << "only Save writes the comment";
    });
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.Do(IDD_MY_SETUP, "slot 2 has a time now", [&](HWND window) {
        shownTime = ControlText(window, IDC_TIME1 + 1);
        EXPECT_EQ(shownTime.size(), 16u) << "YYYY/MM/DD HH:MM";
        EXPECT_NE(shownTime, kDashes);
        EXPECT_EQ(ControlText(window, IDC_TIME1), kDashes);
    });
    Run(script);
    ASSERT_EQ(receiver.Count(DLGREQ_SAVE_SETTINGS), 1u);
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_SETTINGS).Field(L"path"), ConfigPath(2));
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_SETTINGS).cookie, 9);
    EXPECT_EQ(root.ReadFile(CommentPath(2)), CommentFileOf(u"測定メモ０１ABCDEFGHIJ"));

    ScriptedOperator again;
    again.Do(IDD_MY_SETUP, "the comment and time come back from disk", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 1), comment);
        EXPECT_EQ(ControlText(window, IDC_TIME1 + 1), shownTime);
    });
    Run(again);
}

// Slots saved earlier show their local last-write time to the minute and a
// comment read safely whatever the file holds; a save keeps 16 characters;
// Clear removes both files of its slot only.
TEST_F(MySetupTest, SlotsSavedEarlierAreShownSavedAgainAndCleared)
{
    HostSavesSettings();
    PlaceSlot(1, Utf16Le(std::u16string(20, u'Z')));  // 40 bytes, no terminator
    PlaceSlot(2, Utf16Le(u"\xDC00\x0007ok") + std::string("\xFF\xFF\xFF", 3));
    PlaceSlot(3, CommentFileOf(u"three"));
    ScriptedOperator script;
    script.Do(IDD_MY_SETUP, "read the slots", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1), std::wstring(20, L'Z'));
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 1), L"\uFFFD\uFFFDok\uFFFF\u00FF");
        for (int slot = 1; slot <= 3; ++slot)
            EXPECT_EQ(ControlText(window, IDC_TIME1 + slot - 1), L"2024/05/14 09:30");
    });
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1);
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1 + 2);
    script.Tap(IDD_MY_SETUP, IDC_CLEAR);
    script.Do(IDD_MY_SETUP, "slot 3 is blank at once", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 2), L"");
        EXPECT_EQ(ControlText(window, IDC_TIME1 + 2), kDashes);
    });
    script.Tap(IDD_MY_SETUP, IDC_LOAD);  // a cleared slot is not saved: no question
    Run(script);
    EXPECT_EQ(root.ReadFile(CommentPath(1)), CommentFileOf(std::u16string(16, u'Z')));
    EXPECT_FALSE(root.Exists(CommentPath(3)));
    EXPECT_FALSE(root.Exists(ConfigPath(3)));
    EXPECT_TRUE(root.Exists(CommentPath(2)) && root.Exists(ConfigPath(2)));
    EXPECT_EQ(receiver.Kinds(), std::vector<DWORD>{DLGREQ_SAVE_SETTINGS});
}

// A save the host refuses leaves no comment of a setup that is not there, and
// over an earlier setup puts that setup's comment back.
TEST_F(MySetupTest, FailedSaveLeavesTheCommentFilesAsTheyWere)
{
    PlaceSlot(2, CommentFileOf(u"earlier"));
    receiver.AnswerNo(DLGREQ_SAVE_SETTINGS);
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1);
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.Do(IDD_MESSAGE_BOX, "the save failure", [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"保存");
        EXPECT_TRUE(testing_support::ShowsText(window, kSaveFailed));
        win::Tap(FindControl(window, IDOK));
    });
    script.Tap(IDD_MY_SETUP, IDC_HAND1 + 1);
    script.Do(IDD_KEYBOARD, "replace the comment", [](HWND window) {
        EXPECT_EQ(ControlText(window, CSoftKeybordDlg::kEntryId), L"earlier");
        win::Tap(FindControl(window, CSoftKeybordDlg::kClearId));
    });
    script.Type(IDD_KEYBOARD, L"later");
    script.Tap(IDD_KEYBOARD, IDOK);
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.AnswerShowing(kSaveFailed, IDOK);
    script.Do(IDD_MY_SETUP, "slot 1 unsaved, slot 2 still the earlier setup", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_TIME1), kDashes);
        EXPECT_EQ(ControlText(window, IDC_TIME1 + 1), L"2024/05/14 09:30");
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 1), L"later") << "the operator's text stays for a retry";
    });
    Run(script);
    EXPECT_EQ(receiver.Count(DLGREQ_SAVE_SETTINGS), 2u);
    EXPECT_FALSE(root.Exists(CommentPath(1)));
    EXPECT_EQ(root.ReadFile(CommentPath(2)), CommentFileOf(u"earlier"));
    EXPECT_EQ(root.ReadFile(ConfigPath(2)), "settings");
}

// Load asks first; it restarts only after the host loaded, and then the
// dialog ends by itself. A refusal, or no host at all, shows the failure.
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
        ScriptedOperator script;
        script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1 + 2);
        script.Tap(IDD_MY_SETUP, IDC_LOAD);
        AnswerPopup(script, L"KQ5800", kRestartQuestion, row.answer);
        const bool loads = row.answer == IDOK && row.hostLoads;
        if (row.answer == IDOK && !loads)
            AnswerPopup(script, L"KQ5800", kLoadFailed, IDOK);
        if (loads) {
            CSystemMySetup dialog;  // ends by itself after the restart request
            dialog.SetConfig(&host.record);
            dialog.SetDLGCallback(&receiver, 9);
            EXPECT_EQ(dialog.DoModal(), IDOK);
            EXPECT_EQ(receiver.Last(DLGREQ_RESTART).sender, static_cast<void*>(&dialog));
        } else {
            Run(script, row.withReceiver);
        }
        std::vector<DWORD> kinds;
        if (row.answer == IDOK && row.withReceiver)
            kinds.push_back(DLGREQ_LOAD_SETTINGS);
        if (loads)
            kinds.push_back(DLGREQ_RESTART);
        EXPECT_EQ(receiver.Kinds(), kinds);
        if (!kinds.empty()) {
            EXPECT_EQ(receiver.Last(DLGREQ_LOAD_SETTINGS).Field(L"path"), ConfigPath(3));
        }
    }
}

TEST_F(MySetupTest, WithoutAReceiverSaveFails)
{
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1 + 1);
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.AnswerShowing(kSaveFailed, IDOK);
    Run(script, false);
    EXPECT_FALSE(root.Exists(CommentPath(2)));
}

// A file with the folder's name keeps the folder from being made.
TEST_F(MySetupTest, WithoutTheFolderSavesFailAndAskTheHostNothing)
{
    root.WriteFile(kFolder, "not a folder");
    HostSavesSettings();
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1);
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.AnswerShowing(kSaveFailed, IDOK);
    Run(script);
    EXPECT_EQ(receiver.Count(DLGREQ_SAVE_SETTINGS), 0u);
    EXPECT_EQ(root.ReadFile(kFolder), "not a folder");
}

TEST(MySetupNoDriveTest, MissingDriveMakesSavesFailWithoutACrash)
{
    testing_support::Watchdog watchdog;
    TempDataRoot root("CE");
    testing_support::HostConfiguration host;
    RecordingReceiver receiver;
    CSystemMySetup dialog;
    dialog.SetConfig(&host.record);
    dialog.SetDLGCallback(&receiver, 1);
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1 + 3);
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.AnswerShowing(kSaveFailed, IDOK);
    script.Tap(IDD_MY_SETUP, IDC_CLEAR);  // deleting what is not there is quietly ignored
    script.Tap(IDD_MY_SETUP, IDOK);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(receiver.Requests().empty());
}

}  // namespace
