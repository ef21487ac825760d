// The saved-setups dialog, operated through taps, the comment keyboard and
// popups, with a recording host.
#include "pages/mode/SystemMySetup.h"

#include "host/CurrentProfileScope_test.h"
#include "host/dialogs/CSoftKeybordDlg.h"
#include "pages/mode/ModeTestSupport.h"
#include "win/TimeApi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

using namespace mode_test;

constexpr int IDC_CURRENT = 17044, IDC_SLOT1 = 17040, IDC_TIME1 = 17167, IDC_HAND1 = 17172, IDC_COMMENT1 = 17176;
constexpr int IDC_SUMMARY = 17114, IDC_SAVE = 17104, IDC_LOAD = 17032, IDC_CLEAR = 17103;

const std::wstring kDashes = L"----/--/-- --:--";
const std::wstring kSavedAtText = L"2024/05/14 09:30";

// "Current values", then slots 1 to 4.
const std::vector<int> kSelection = {IDC_CURRENT, IDC_SLOT1, IDC_SLOT1 + 1, IDC_SLOT1 + 2, IDC_SLOT1 + 3};

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

    // Runs a dialog on the host's record; the operator closes it unless it ends by itself.
    void Run(ScriptedOperator& script, bool withReceiver = true, bool operatorCloses = true)
    {
        if (operatorCloses)
            script.Tap(IDD_MY_SETUP, IDOK);
        CSystemMySetup dialog;
        dialog.SetConfig(&host.record);
        if (withReceiver)
            dialog.SetDLGCallback(&receiver, 9);
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
};

// Nothing is saved on a fresh drive; Save, Load and Clear without a slot only
// ask for one. "Current values" shows a snapshot of the mode, feed length,
// amplifier slots (1 and 3 fitted here), memory per fitted channel in use and
// port, taken again at each press; unknown values show as dashes.
TEST_F(MySetupTest, FreshDriveAsksForASlotAndSummarisesTheCurrentValues)
{
    CurrentProfileScope fitted([](InstrumentProfile& profile) {
        profile.ampTypes.fill(0);
        profile.ampTypes[0] = 3;
        profile.ampTypes[2] = 7;
        profile.ampTypeNames[3] = L"HIGH VOLT";
        profile.ampTypeNames[7] = L"STRAIN";
    });
    const auto summary = [](const std::wstring& mode, int feed, const std::wstring& memory, const std::wstring& comm) {
        std::wstring text = L"Measure Mode: " + mode + L"\r\nFeed legth: " + std::to_wstring(feed) + L"\r\n";
        for (int slot = 1; slot <= 16; ++slot)
            text += (slot < 10 ? L"SLOT-0" : L"SLOT-") + std::to_wstring(slot) +
                    (slot == 1 ? L" HIGH VOLT\r\n" : slot == 3 ? L" STRAIN\r\n" : L" ----\r\n");
        return text + (memory.empty() ? L"" : L"Memory size: " + memory + L" W/CH\r\n") + L"COMM: " + comm + L"\r\n";
    };
    struct Row {
        int mode;
        DWORD port, channels;
        std::wstring expected;
    };
    const Row rows[] = {
        // Slots 1, 2 and 3 and bit 20 in use: slot 2 is empty, bits above the
        // slots (event input and others) count as channels.
        {2, COMM_PORT_LAN, 0x7 | (1u << 20), summary(L"HD RECORDER", 25, L"1398101", L"LAN")},
        {1, 1, 0x1 | 0x10000, summary(L"MEMORY RECORDER", 25, L"2097152", L"RS-232C")},
        {1, 1, 0x10000, summary(L"MEMORY RECORDER", 25, L"4194304", L"RS-232C")},
        {4, COMM_PORT_NONE, 0x2 | 0x8, summary(L"X-Y RECORDER", 25, L"", L"NONE")},  // no fitted channel
        {7, 9, 0, summary(L"----", 25, L"", L"----")},
        {-1, 0, 0, summary(L"PEN RECORDER", 0, L"", L"NONE")},  // no objects behind the record
    };
    const auto setValues = [this](const Row& row) {
        host.sysMeas.SetMode(row.mode);
        host.sysRec1->SetFeedLen(25);
        host.sysRec1->SetTotalMemSize(0x800000);
        host.sysRec1->SetUseChanMask(row.channels);
        host.comm.dwPort = row.port;
        if (row.mode < 0) {
            host.record.pSysMeas = nullptr;
            host.record.pSysRec1 = nullptr;
            host.record.pComm = nullptr;
        }
    };
    setValues(rows[0]);
    const std::wstring kSelectSlot = L"保存No1～4を選択してください。\n";
    ScriptedOperator script;
    script.Do(IDD_MY_SETUP, "read the fresh dialog", [&](HWND window) {
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(ControlText(window, IDC_TIME1 + i) + ControlText(window, IDC_COMMENT1 + i), kDashes) << i;
        EXPECT_EQ(Latches(window, kSelection), L"10000");
        EXPECT_EQ(ControlText(window, IDC_SUMMARY), rows[0].expected);
    });
    for (const auto& [button, caption] : {std::pair{IDC_SAVE, L"保存"}, {IDC_LOAD, L"読み出し"}, {IDC_CLEAR, L"保存"}}) {
        script.Tap(IDD_MY_SETUP, button);
        AnswerPopup(script, caption, kSelectSlot, IDOK);
    }
    script.Tap(IDD_MY_SETUP, IDC_SLOT1 + 1).Tap(IDD_MY_SETUP, IDC_LOAD);  // slot 2 is not saved: nothing happens
    script.Do(IDD_MY_SETUP, "slot 2 selected, no summary", [&](HWND window) {
        EXPECT_EQ(Latches(window, kSelection) + ControlText(window, IDC_SUMMARY), L"00100");
    });
    for (std::size_t index = 1; index < std::size(rows); ++index) {
        script.Do(IDD_MY_SETUP, "the host changes the values", [&, index](HWND window) {
            EXPECT_EQ(ControlText(window, IDC_SUMMARY), index == 1 ? L"" : rows[index - 1].expected) << "a snapshot";
            setValues(rows[index]);
        });
        script.Tap(IDD_MY_SETUP, IDC_CURRENT);
        script.Do(IDD_MY_SETUP, "read the summary", [&, index](HWND window) {
            EXPECT_EQ(Latches(window, kSelection), L"10000");
            EXPECT_EQ(ControlText(window, IDC_SUMMARY), rows[index].expected) << "mode " << rows[index].mode;
        });
    }
    Run(script);
    EXPECT_TRUE(receiver.Requests().empty());
    EXPECT_TRUE(root.Exists(kFolder)) << "the folder is made at the start";
}

// A comment typed on the keyboard (16 characters at most) is written only by
// Save; a cancelled keyboard changes nothing; Clear removes both files of
// its slot at once.
TEST_F(MySetupTest, CommentIsWrittenBySaveAndRemovedByClear)
{
    const std::wstring comment = L"測定メモ０１ABCDEFGHIJ";
    ScriptedOperator script;
    script.Tap(IDD_MY_SETUP, IDC_HAND1 + 3).Type(IDD_KEYBOARD, L"never").Tap(IDD_KEYBOARD, IDCANCEL);
    script.Tap(IDD_MY_SETUP, IDC_HAND1 + 1);
    script.Do(IDD_KEYBOARD, "the keyboard starts empty", [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window) + ControlText(window, CSoftKeybordDlg::kEntryId), L"コメント設定");
    });
    script.Type(IDD_KEYBOARD, comment + L"X").Tap(IDD_KEYBOARD, IDOK);  // a 17th character is refused
    script.Do(IDD_MY_SETUP, "the comment shows and slot 2 is selected", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 1), comment);
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 3), L"") << "the cancelled keyboard";
        EXPECT_EQ(Latches(window, kSelection), L"00100");
        EXPECT_FALSE(root.Exists(CommentPath(2))) << "only Save writes the comment";
    });
    script.Tap(IDD_MY_SETUP, IDC_SAVE);
    script.Do(IDD_MY_SETUP, "slot 2 has a time now and its comment on disk", [&](HWND window) {
        const std::wstring shownTime = ControlText(window, IDC_TIME1 + 1);
        EXPECT_TRUE(shownTime.size() == 16 && shownTime != kDashes) << "YYYY/MM/DD HH:MM";
        EXPECT_EQ(root.ReadFile(CommentPath(2)), Utf16Le(u"測定メモ０１ABCDEFGHIJ", 40));
    });
    script.Tap(IDD_MY_SETUP, IDC_CLEAR);
    script.Do(IDD_MY_SETUP, "Clear blanks slot 2 at once", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_COMMENT1 + 1) + ControlText(window, IDC_TIME1 + 1), kDashes);
        EXPECT_FALSE(root.Exists(CommentPath(2)) || root.Exists(ConfigPath(2)));
    });
    script.Tap(IDD_MY_SETUP, IDC_LOAD);  // a cleared slot is not saved: no question
    Run(script);
    EXPECT_EQ(receiver.Kinds(), std::vector<DWORD>{DLGREQ_SAVE_SETTINGS});
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_SETTINGS).Field(L"path"), ConfigPath(2));
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_SETTINGS).cookie, 9);
}

// A comment file of any shape shows safely (at most 20 characters, before the
// first zero unit, garbage as replacement characters) beside its local
// last-write time; saving it again writes exactly 40 bytes, cut to 16 UTF-16
// units without splitting a pair.
TEST_F(MySetupTest, CommentFilesOfAnyShapeShowSafelyAndSaveAsFortyBytes)
{
    const std::u16string pair = u"\U0001F600";
    struct Row {
        std::string file;
        std::wstring shown;
        std::u16string saved;
    };
    const Row rows[] = {
        {Utf16Le(u"ABC"), L"ABC", u"ABC"},  // short, no terminator
        {"", L"", u""},
        {Utf16Le(std::u16string(30, u'L')), std::wstring(20, L'L'), std::u16string(16, u'L')},
        {Utf16Le(u"AB") + std::string(2, '\0') + Utf16Le(u"CD"), L"AB", u"AB"},
        {Utf16Le(u"a\xD800" u"b\xDC00" u"c\n\a"), L"a\uFFFDb\uFFFDc\uFFFD\uFFFD", u"a\uFFFDb\uFFFDc\uFFFD\uFFFD"},
        {Utf16Le(std::u16string(19, u'q') + u"\xD83D"), std::wstring(19, L'q') + L"\uFFFD", std::u16string(16, u'q')},
        {Utf16Le(std::u16string(15, u'x') + pair), std::wstring(15, L'x') + L"\U0001F600", std::u16string(15, u'x')},
        {Utf16Le(std::u16string(14, u'x') + pair), std::wstring(14, L'x') + L"\U0001F600", u"xxxxxxxxxxxxxx" + pair},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.file.size()) + " bytes");
        PlaceSlot(1, row.file);
        ScriptedOperator script;
        script.Do(IDD_MY_SETUP, "read slot 1", [&](HWND window) {
            EXPECT_EQ(ControlText(window, IDC_COMMENT1), row.shown);
            EXPECT_EQ(ControlText(window, IDC_TIME1), kSavedAtText);
        });
        script.Tap(IDD_MY_SETUP, IDC_SLOT1).Tap(IDD_MY_SETUP, IDC_SAVE);
        Run(script);
        EXPECT_EQ(root.ReadFile(CommentPath(1)), Utf16Le(row.saved, 40));
    }
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
    PlaceSlot(3, Utf16Le(u"three", 40));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        receiver.ClearRecords();
        receiver.OnRequest(DLGREQ_LOAD_SETTINGS, [&](T_DLG_REQUEST& request, int) {
            EXPECT_EQ(receiver.Count(DLGREQ_RESTART), 0u) << "no restart before the load answered";
            request.SetByte(16, row.hostLoads ? 1 : 0);
        });
        const bool loads = row.answer == IDOK && row.hostLoads;
        ScriptedOperator script;
        script.Tap(IDD_MY_SETUP, IDC_SLOT1 + 2).Tap(IDD_MY_SETUP, IDC_LOAD);
        AnswerPopup(script, L"KQ5800", kRestartQuestion, row.answer);
        if (row.answer == IDOK && !loads)
            AnswerPopup(script, L"KQ5800", L"指定された設定ファイルの読み込みに失敗しました。", IDOK);
        Run(script, row.withReceiver, !loads);
        std::vector<DWORD> kinds;
        if (row.answer == IDOK && row.withReceiver)
            kinds.push_back(DLGREQ_LOAD_SETTINGS);
        if (loads)
            kinds.push_back(DLGREQ_RESTART);
        ASSERT_EQ(receiver.Kinds(), kinds);
        EXPECT_TRUE(kinds.empty() || receiver.Last(DLGREQ_LOAD_SETTINGS).Field(L"path") == ConfigPath(3));
        EXPECT_TRUE(!loads || receiver.Last(DLGREQ_RESTART).sender == receiver.Last(DLGREQ_LOAD_SETTINGS).sender);
    }
}

// A save fails and says so when no host is there, when the host refuses, or
// when the folder cannot be made (a file has its name, or drive D: is
// missing): no comment is left of a setup that is not there, and a setup
// saved earlier keeps its own. Clearing what is not there is quietly ignored.
TEST_F(MySetupTest, FailedSavesLeaveTheSlotAsItWas)
{
    receiver.OnRequest(DLGREQ_SAVE_SETTINGS, nullptr);
    receiver.AnswerNo(DLGREQ_SAVE_SETTINGS);
    const std::string earlier = Utf16Le(std::u16string(20, u'Z'));  // a save would write it as 16
    for (const char* setup : {"no host", "host refuses", "file in the way", "no drive"}) {
        SCOPED_TRACE(setup);
        const std::string name = setup;
        receiver.ClearRecords();
        std::filesystem::remove_all(root.PosixOf(kFolder));
        if (name == "host refuses")
            PlaceSlot(4, earlier);
        if (name == "file in the way")
            root.WriteFile(kFolder, "not a folder");
        std::optional<testing_support::TempDataRoot> withoutD;
        if (name == "no drive")
            withoutD.emplace("CE");
        ScriptedOperator script;
        script.Tap(IDD_MY_SETUP, IDC_SLOT1 + 3).Tap(IDD_MY_SETUP, IDC_SAVE);
        AnswerMessageBox(script, L"保存", L"保存に失敗しました");
        script.Do(IDD_MY_SETUP, "slot 4 as it was", [&](HWND window) {
            EXPECT_EQ(ControlText(window, IDC_TIME1 + 3), name == "host refuses" ? kSavedAtText : kDashes);
            EXPECT_EQ(root.ReadFile(CommentPath(4)), name == "host refuses" ? earlier : "");
            EXPECT_EQ(root.Exists(ConfigPath(4)), name == "host refuses");
            struct stat info{};
            if (name == "host refuses") {
                ASSERT_EQ(stat(root.PosixOf(CommentPath(4)).c_str(), &info), 0);
                EXPECT_EQ(info.st_mtim.tv_sec, 1715679027) << "the comment keeps its time, not the attempt's";
            }
        });
        script.Tap(IDD_MY_SETUP, IDC_CLEAR);
        Run(script, name != "no host");
        EXPECT_EQ(receiver.Count(DLGREQ_SAVE_SETTINGS), name == "host refuses" ? 1u : 0u);
        EXPECT_TRUE(name != "file in the way" || root.ReadFile(kFolder) == "not a folder");
    }
}

}  // namespace
