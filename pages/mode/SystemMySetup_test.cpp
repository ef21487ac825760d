// The saved-setups dialog, operated through taps, the comment keyboard and
// popups, with a recording host.
#include "pages/mode/SystemMySetup.h"

#include "host/ConfigSysMeas.h"
#include "host/InstrumentProfile.h"
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
using testing_support::HostConfiguration;
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
const std::wstring kSelectSlot = L"保存No1～4を選択してください。";
const std::wstring kRestartQuestion = L"設定を反映するためにプログラムを再起動します。";
const std::wstring kLoadFailed = L"指定された設定ファイルの読み込みに失敗しました。";
const std::wstring kSaveFailed = L"保存に失敗しました";

std::string Utf16Le(const std::u16string& text)
{
    std::string bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::string CommentFileOf(const std::u16string& comment)
{
    std::string bytes = Utf16Le(comment);
    bytes.resize(40, '\0');
    return bytes;
}

// Which of the five selection switches is latched, as "current" or "1".."4".
std::string LatchedSwitches(HWND window)
{
    std::string latched;
    if (CheckState(window, IDC_SWITCH_CURRENT) == BST_CHECKED)
        latched += "current ";
    for (int slot = 1; slot <= 4; ++slot)
        if (CheckState(window, IDC_SWITCH_SLOT1 + slot - 1) == BST_CHECKED)
            latched += std::to_string(slot) + " ";
    return latched;
}

// A popup step that checks caption and message before pressing `button`.
void AnswerPopup(ScriptedOperator& script, const std::wstring& caption, const std::wstring& message, int button)
{
    script.Do(IDD_POPUP, "answer the popup '" + std::to_string(button) + "'", [=](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), caption);
        EXPECT_TRUE(testing_support::ShowsText(window, message)) << "the popup does not show the expected message";
        win::Tap(FindControl(window, button));
    });
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

    // A slot saved earlier: both files, last written at `seconds` (UTC).
    void PlaceSlot(int slot, const std::string& commentBytes, time_t seconds)
    {
        root.WriteFile(ConfigPath(slot), "settings");
        SetWriteTime(ConfigPath(slot), seconds);
        root.WriteFile(CommentPath(slot), commentBytes);
        SetWriteTime(CommentPath(slot), seconds);
    }

    void SetWriteTime(const std::wstring& path, time_t seconds)
    {
        timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, root.PosixOf(path).c_str(), times, 0), 0);
    }

    INT_PTR Run(CSystemMySetup& dialog)
    {
        dialog.SetConfig(&host.record);
        dialog.SetDLGCallback(&receiver, 9);
        return dialog.DoModal();
    }

    testing_support::Watchdog watchdog;
    TempDataRoot root;
    HostConfiguration host;
    RecordingReceiver receiver;
};

TEST_F(MySetupTest, FreshDriveShowsFourEmptySlotsAndTheCurrentValues)
{
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Do(IDD_MY_SETUP, "read the fresh dialog", [&](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"設定値の保存・読み出し");
        for (int slot = 1; slot <= 4; ++slot) {
            EXPECT_EQ(ControlText(window, IDC_TIME1 + slot - 1), kDashes) << "slot " << slot;
            EXPECT_EQ(ControlText(window, IDC_COMMENT1 + slot - 1), L"") << "slot " << slot;
        }
        EXPECT_EQ(LatchedSwitches(window), "current ");
        EXPECT_EQ(ControlText(window, IDC_SUMMARY).rfind(L"Measure Mode: PEN RECORDER\r\nFeed legth: ", 0), 0u);
        EXPECT_EQ(ControlText(window, IDC_SAVE), L"保存");
        EXPECT_EQ(ControlText(window, IDOK), L"閉じる");
    });
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1 + 1);
    script.Tap(IDD_MY_SETUP, IDC_LOAD);  // slot 2 is not saved: nothing happens
    script.Do(IDD_MY_SETUP, "slot 2 selected, no summary", [&](HWND window) {
        EXPECT_EQ(LatchedSwitches(window), "2 ");
        EXPECT_EQ(dialog.GetSelection(), 2);
        EXPECT_EQ(ControlText(window, IDC_SUMMARY), L"");
    });
    script.Tap(IDD_MY_SETUP, IDOK);
    EXPECT_EQ(Run(dialog), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(receiver.Requests().empty());
    EXPECT_TRUE(root.Exists(kFolder)) << "the folder is made at the start";
}

TEST_F(MySetupTest, SixteenCharacterCommentSurvivesSaveAndANewOpening)
{
    HostSavesSettings();
    const std::wstring comment = L"測定メモ０１ABCDEFGHIJ";
    ASSERT_EQ(comment.size(), 16u);
    std::wstring shownTime;
    {
        CSystemMySetup dialog;
        ScriptedOperator script;
        script.Tap(IDD_MY_SETUP, IDC_HAND1 + 1);
        script.Do(IDD_KEYBOARD, "the comment keyboard starts empty", [](HWND window) {
            EXPECT_EQ(GetWindowTextString(window), L"コメント設定");
            EXPECT_EQ(ControlText(window, CSoftKeybordDlg::kEntryId), L"");
        });
        script.Type(IDD_KEYBOARD, comment + L"X");  // a 17th character is refused
        script.Tap(IDD_KEYBOARD, IDOK);
        script.Do(IDD_MY_SETUP, "the comment shows and slot 2 is selected", [&](HWND window) {
            EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 1), comment);
            EXPECT_EQ(LatchedSwitches(window), "2 ");
            EXPECT_FALSE(root.Exists(CommentPath(2))) << "only Save writes the comment";
        });
        script.Tap(IDD_MY_SETUP, IDC_SAVE);
        script.Do(IDD_MY_SETUP, "slot 2 has a time now", [&](HWND window) {
            shownTime = ControlText(window, IDC_TIME1 + 1);
            EXPECT_NE(shownTime, kDashes);
            EXPECT_EQ(shownTime.size(), 16u) << "YYYY/MM/DD HH:MM";
            EXPECT_EQ(ControlText(window, IDC_TIME1), kDashes);
        });
        script.Tap(IDD_MY_SETUP, IDOK);
        EXPECT_EQ(Run(dialog), IDOK);
    }
    ASSERT_EQ(receiver.Count(DLGREQ_SAVE_SETTINGS), 1u);
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_SETTINGS).Field(L"path"), ConfigPath(2));
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_SETTINGS).cookie, 9);
    EXPECT_EQ(root.ReadFile(CommentPath(2)), CommentFileOf(u"測定メモ０１ABCDEFGHIJ"));

    CSystemMySetup again;
    ScriptedOperator script;
    script.Do(IDD_MY_SETUP, "the comment and time come back from disk", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 1), comment);
        EXPECT_EQ(ControlText(window, IDC_TIME1 + 1), shownTime);
    });
    script.Tap(IDD_MY_SETUP, IDOK);
    Run(again);
    EXPECT_TRUE(script.Finished());
}

TEST_F(MySetupTest, SavedTimeIsTheLocalLastWriteTimeToTheMinute)
{
    PlaceSlot(3, CommentFileOf(u"x"), 1715679027);  // 2024-05-14 09:30:27 UTC
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Do(IDD_MY_SETUP, "read slot 3", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_TIME1 + 2), L"2024/05/14 09:30");
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 2), L"x");
    });
    script.Tap(IDD_MY_SETUP, IDOK);
    Run(dialog);
    EXPECT_TRUE(script.Finished());
}

TEST_F(MySetupTest, CommentFilesOfAnyShapeAreReadSafely)
{
    PlaceSlot(1, Utf16Le(u"ABC"), 1715679027);                        // short, no terminator
    PlaceSlot(2, Utf16Le(std::u16string(50, u'L')), 1715679027);      // 100 bytes
    PlaceSlot(3, Utf16Le(std::u16string(20, u'Z')), 1715679027);      // 40 bytes, no terminator
    PlaceSlot(4, Utf16Le(u"\xDC00\x0007ok") + std::string("\xFF\xFF\xFF", 3), 1715679027);  // garbage
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Do(IDD_MY_SETUP, "read the comments", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1), L"ABC");
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 1), std::wstring(20, L'L'));
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 2), std::wstring(20, L'Z'));
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 3), L"\uFFFD\uFFFDok\uFFFF\u00FF");
        for (int slot = 1; slot <= 4; ++slot)
            EXPECT_EQ(ControlText(window, IDC_TIME1 + slot - 1), L"2024/05/14 09:30");
    });
    script.Tap(IDD_MY_SETUP, IDOK);
    Run(dialog);
    EXPECT_TRUE(script.Finished());
}

TEST_F(MySetupTest, EditingALongCommentKeepsSixteenCharactersOnSave)
{
    HostSavesSettings();
    PlaceSlot(1, Utf16Le(std::u16string(20, u'Z')), 1715679027);
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1);
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.Tap(IDD_MY_SETUP, IDOK);
    Run(dialog);
    EXPECT_EQ(root.ReadFile(CommentPath(1)), CommentFileOf(std::u16string(16, u'Z')));
}

TEST_F(MySetupTest, CancelledCommentKeyboardChangesNothing)
{
    PlaceSlot(4, CommentFileOf(u"old"), 1715679027);
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_HAND1 + 3);
    script.Do(IDD_KEYBOARD, "the keyboard starts with the comment", [](HWND window) {
        EXPECT_EQ(ControlText(window, CSoftKeybordDlg::kEntryId), L"old");
    });
    script.Type(IDD_KEYBOARD, L"new");
    script.Tap(IDD_KEYBOARD, IDCANCEL);
    script.Do(IDD_MY_SETUP, "comment and selection unchanged", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 3), L"old");
        EXPECT_EQ(LatchedSwitches(window), "current ");
    });
    script.Tap(IDD_MY_SETUP, IDOK);
    Run(dialog);
    EXPECT_TRUE(script.Finished());
}

TEST_F(MySetupTest, ClearRemovesBothFilesAndBlanksTheSlotAtOnce)
{
    PlaceSlot(3, CommentFileOf(u"keep?"), 1715679027);
    PlaceSlot(1, CommentFileOf(u"other"), 1715679027);
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1 + 2);
    script.Tap(IDD_MY_SETUP, IDC_CLEAR);
    script.Do(IDD_MY_SETUP, "slot 3 is blank", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 2), L"");
        EXPECT_EQ(ControlText(window, IDC_TIME1 + 2), kDashes);
        EXPECT_EQ(ControlText(window, IDC_COMMENT1), L"other");
        EXPECT_FALSE(root.Exists(CommentPath(3)));
        EXPECT_FALSE(root.Exists(ConfigPath(3)));
    });
    script.Tap(IDD_MY_SETUP, IDC_LOAD);  // a cleared slot is not saved: no question
    script.Tap(IDD_MY_SETUP, IDOK);
    Run(dialog);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(root.Exists(CommentPath(1)));
    EXPECT_TRUE(root.Exists(ConfigPath(1)));
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(MySetupTest, SaveLoadAndClearWithTheCurrentValuesSelectedOnlyAskForASlot)
{
    PlaceSlot(1, CommentFileOf(u"one"), 1715679027);
    const std::string commentBefore = root.ReadFile(CommentPath(1));
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    AnswerPopup(script, L"保存", kSelectSlot, IDOK);
    script.Tap(IDD_MY_SETUP, IDC_LOAD);
    AnswerPopup(script, L"読み出し", kSelectSlot, IDOK);
    script.Tap(IDD_MY_SETUP, IDC_CLEAR);
    AnswerPopup(script, L"保存", kSelectSlot, IDOK);
    script.Tap(IDD_MY_SETUP, IDOK);
    Run(dialog);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(receiver.Requests().empty());
    EXPECT_EQ(root.ReadFile(CommentPath(1)), commentBefore);
    EXPECT_TRUE(root.Exists(ConfigPath(1)));
    for (int slot = 2; slot <= 4; ++slot) {
        EXPECT_FALSE(root.Exists(CommentPath(slot)));
        EXPECT_FALSE(root.Exists(ConfigPath(slot)));
    }
}

TEST_F(MySetupTest, FailedSaveShowsItem11AndLeavesNoCommentOfASetupThatIsNotThere)
{
    receiver.AnswerNo(DLGREQ_SAVE_SETTINGS);
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1);
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.Do(IDD_MESSAGE_BOX, "the save failure", [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"保存");
        EXPECT_TRUE(testing_support::ShowsText(window, kSaveFailed));
        win::Tap(FindControl(window, IDOK));
    });
    script.Do(IDD_MY_SETUP, "slot 1 is still not saved", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_TIME1), kDashes);
        EXPECT_FALSE(root.Exists(CommentPath(1)));
    });
    script.Tap(IDD_MY_SETUP, IDOK);
    Run(dialog);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(receiver.Count(DLGREQ_SAVE_SETTINGS), 1u);
}

TEST_F(MySetupTest, FailedSaveOverAnEarlierSetupPutsItsCommentBack)
{
    PlaceSlot(2, CommentFileOf(u"earlier"), 1715679027);
    receiver.AnswerNo(DLGREQ_SAVE_SETTINGS);
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_HAND1 + 1);
    script.Do(IDD_KEYBOARD, "replace the comment", [](HWND window) {
        win::Tap(FindControl(window, CSoftKeybordDlg::kClearId));
    });
    script.Type(IDD_KEYBOARD, L"later");
    script.Tap(IDD_KEYBOARD, IDOK);
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.AnswerShowing(kSaveFailed, IDOK);
    script.Do(IDD_MY_SETUP, "the earlier setup is still shown as saved", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_TIME1 + 1), L"2024/05/14 09:30");
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 1), L"later") << "the operator's text stays for a retry";
    });
    script.Tap(IDD_MY_SETUP, IDOK);
    Run(dialog);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(root.ReadFile(CommentPath(2)), CommentFileOf(u"earlier"));
    EXPECT_EQ(root.ReadFile(ConfigPath(2)), "settings");
}

TEST_F(MySetupTest, WithoutAReceiverSaveFailsAndLoadFails)
{
    PlaceSlot(1, CommentFileOf(u"one"), 1715679027);
    CSystemMySetup dialog;
    dialog.SetConfig(&host.record);
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1 + 1);
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.AnswerShowing(kSaveFailed, IDOK);
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1);
    script.Tap(IDD_MY_SETUP, IDC_LOAD);
    AnswerPopup(script, L"KQ5800", kRestartQuestion, IDOK);
    AnswerPopup(script, L"KQ5800", kLoadFailed, IDOK);
    script.Tap(IDD_MY_SETUP, IDOK);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(root.Exists(CommentPath(2)));
}

TEST_F(MySetupTest, LoadAsksFirstAndCancelSendsNothing)
{
    PlaceSlot(4, CommentFileOf(u"four"), 1715679027);
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1 + 3);
    script.Tap(IDD_MY_SETUP, IDC_LOAD);
    AnswerPopup(script, L"KQ5800", kRestartQuestion, IDCANCEL);
    script.Tap(IDD_MY_SETUP, IDOK);
    Run(dialog);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(MySetupTest, LoadTheHostRefusesShowsItem14AndDoesNotRestart)
{
    PlaceSlot(2, CommentFileOf(u"two"), 1715679027);
    receiver.AnswerNo(DLGREQ_LOAD_SETTINGS);
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1 + 1);
    script.Tap(IDD_MY_SETUP, IDC_LOAD);
    AnswerPopup(script, L"KQ5800", kRestartQuestion, IDOK);
    AnswerPopup(script, L"KQ5800", kLoadFailed, IDOK);
    script.Tap(IDD_MY_SETUP, IDOK);
    Run(dialog);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(receiver.Kinds(), std::vector<DWORD>{DLGREQ_LOAD_SETTINGS});
    EXPECT_EQ(receiver.Last(DLGREQ_LOAD_SETTINGS).Field(L"path"), ConfigPath(2));
}

TEST_F(MySetupTest, LoadRestartsOnlyAfterTheHostLoadedAndThenEnds)
{
    PlaceSlot(3, CommentFileOf(u"three"), 1715679027);
    receiver.OnRequest(DLGREQ_LOAD_SETTINGS, [this](T_DLG_REQUEST& request, int) {
        EXPECT_EQ(receiver.Count(DLGREQ_RESTART), 0u) << "no restart before the load answered";
        request.SetByte(16, 1);
    });
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1 + 2);
    script.Tap(IDD_MY_SETUP, IDC_LOAD);
    AnswerPopup(script, L"KQ5800", kRestartQuestion, IDOK);
    EXPECT_EQ(Run(dialog), IDOK) << "the dialog ends by itself after the restart request";
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(receiver.Kinds(), (std::vector<DWORD>{DLGREQ_LOAD_SETTINGS, DLGREQ_RESTART}));
    EXPECT_EQ(receiver.Last(DLGREQ_RESTART).sender, static_cast<void*>(&dialog));
    EXPECT_EQ(receiver.Last(DLGREQ_LOAD_SETTINGS).Field(L"path"), ConfigPath(3));
}

TEST_F(MySetupTest, SummaryIsTheSnapshotUntilCurrentValuesIsPressedAgain)
{
    host.sysMeas.SetMode(1);
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Do(IDD_MY_SETUP, "the summary of the values at opening", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_SUMMARY).rfind(L"Measure Mode: MEMORY RECORDER\r\n", 0), 0u);
        host.sysMeas.SetMode(4);  // the host changes the mode meanwhile
    });
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1);
    script.Do(IDD_MY_SETUP, "no summary for a slot", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_SUMMARY), L"");
    });
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_CURRENT);
    script.Do(IDD_MY_SETUP, "a fresh snapshot", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_SUMMARY), dialog.GetSnapshot().BuildSummary().GetString());
        EXPECT_EQ(ControlText(window, IDC_SUMMARY).rfind(L"Measure Mode: X-Y RECORDER\r\n", 0), 0u);
        EXPECT_EQ(LatchedSwitches(window), "current ");
    });
    script.Tap(IDD_MY_SETUP, IDOK);
    Run(dialog);
    EXPECT_TRUE(script.Finished());
}

TEST_F(MySetupTest, SetUpRefusesANullRecord)
{
    CSystemMySetup dialog;
    EXPECT_EQ(dialog.SetConfig(nullptr), 0);
    EXPECT_EQ(dialog.GetCommentPath(1), CString(L"D:\\_KQ58SYSTEM.$$$\\No.1.cmt"));
    EXPECT_EQ(dialog.GetConfigPath(4), CString(L"D:\\_KQ58SYSTEM.$$$\\No.4.cfg"));
}

// The folder cannot be made: D: is missing, or a file has the folder's name.
class MySetupWithoutFolderTest : public MySetupTest {};

TEST_F(MySetupWithoutFolderTest, SavesFailWithItem11AndAskTheHostNothing)
{
    root.WriteFile(kFolder, "not a folder");
    HostSavesSettings();
    CSystemMySetup dialog;
    ScriptedOperator script;
    script.Do(IDD_MY_SETUP, "every slot reads as empty", [&](HWND window) {
        for (int slot = 1; slot <= 4; ++slot)
            EXPECT_EQ(ControlText(window, IDC_TIME1 + slot - 1), kDashes);
    });
    script.Tap(IDD_MY_SETUP, IDC_SWITCH_SLOT1);
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.AnswerShowing(kSaveFailed, IDOK);
    script.Tap(IDD_MY_SETUP, IDOK);
    Run(dialog);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(receiver.Count(DLGREQ_SAVE_SETTINGS), 0u);
    EXPECT_EQ(root.ReadFile(kFolder), "not a folder");
}

TEST(MySetupNoDriveTest, MissingDriveMakesSavesFailWithoutACrash)
{
    testing_support::Watchdog watchdog;
    TempDataRoot root("CE");
    HostConfiguration host;
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
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(receiver.Requests().empty());
}

}  // namespace
