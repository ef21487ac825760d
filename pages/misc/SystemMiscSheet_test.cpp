// The auxiliary page inside the system dialog, operated like the operator does.
#include "pages/misc/MiscTestSupport.h"

#include "host/dialogs/FolderChooserDialog.h"

#include <filesystem>

namespace {

using namespace misc_test;

TEST_F(MiscTest, OpeningCorrectsStoredValuesSilentlyAndTheModelHidesTheCursor)
{
    // A delay of 0 is left, but the jog shows its minimum, which closing keeps.
    struct Case { bool pw7200; DWORD delay, feed; const wchar_t* shown; DWORD delayAfter; Flags feeds, atClose; };
    const Case cases[] = {
        {false, 75, 150, L"60 min 100 mm", 60, {100}, {}},
        {true, 0, 100, L"1 min 100 mm", 0, {}, {CHG_DISPLAY}},
        {false, 0xFFFFFFFF, 0, L"60 min 0 mm", 60, {}, {}},
    };
    for (const Case& c : cases) {
        profile.Change([&](InstrumentProfile& instrument) { instrument.pw7200 = c.pw7200; });
        host.misc.dwAutoOffDelay = c.delay;
        host.misc.bMouseCursor = true;
        host.sysRec1->SetFeedLen(c.feed);
        feedLengths.clear();
        ScriptedOperator script;
        OpenTab(script);
        script.Do(IDD_SYSTEM, "corrected without a word", [&](HWND window) {
            EXPECT_EQ(ControlText(window, IDC_JOG_DELAY) + L" " + ControlText(window, IDC_JOG_FEED), c.shown);
            EXPECT_EQ(std::tuple(host.misc.dwAutoOffDelay, feedLengths), std::tuple(c.delayAfter, c.feeds));
            EXPECT_TRUE(receiver.Requests().empty());
            EXPECT_EQ(Visible(window, IDC_GROUP_CURSOR) + Visible(window, IDC_CHECK_CURSOR), c.pw7200 ? 0 : 2);
            EXPECT_EQ(Latches(window, {IDC_CHECK_CURSOR}), L"1") << "loaded even when hidden";
        });
        Run(script);
        EXPECT_EQ(receiver.ChangeFlags(), c.atClose) << c.delay;
    }
}

TEST_F(MiscTest, EachBoxWritesItsFieldAndReportsAndTwoEnableWhatBelongsToThem)
{
    struct Case { int id; bool T_CONFIG_MISC::*field; DWORD flag; std::vector<int> enables; };
    const Case cases[] = {
        {IDC_CHECK_BUZZER, &T_CONFIG_MISC::bBuzzer, CHG_SOUND, {}},
        {IDC_CHECK_CLICK, &T_CONFIG_MISC::bClickSound, CHG_SOUND, {}},
        {IDC_CHECK_DISPLAY_AUTO_OFF, &T_CONFIG_MISC::bDisplayAutoOff, CHG_DISPLAY,
         {IDC_JOG_DELAY, IDC_CHECK_KEY_LOCK_ON_RESUME}},
        {IDC_CHECK_COPY_TO_PAPER, &T_CONFIG_MISC::bScreenCopyToPaper, CHG_SCREEN_COPY, {}},
        {IDC_CHECK_COPY_TO_FOLDER, &T_CONFIG_MISC::bScreenCopyToFolder, CHG_SCREEN_COPY,
         {IDC_STATIC_FOLDER, IDC_HAND_FOLDER}},
        {IDC_CHECK_CURSOR, &T_CONFIG_MISC::bMouseCursor, CHG_CURSOR, {}},
    };
    for (const Case& c : cases) {
        host.misc.bScreenCopyToPaper = true;
        T_CONFIG_MISC expected = host.misc;
        expected.*c.field = !(host.misc.*c.field);
        ScriptedOperator script;
        OpenTab(script);
        for (bool ticked : {false, true}) {
            script.Do(IDD_SYSTEM, "what the box enables", [&, ticked](HWND window) {
                for (int id : c.enables)
                    EXPECT_EQ(Enabled(window, id), ticked) << id;
            });
            if (!ticked)
                script.Tap(IDD_SYSTEM, c.id);
        }
        Run(script);
        EXPECT_EQ(std::memcmp(&host.misc, &expected, sizeof expected), 0) << "only the box's field changes: " << c.id;
        EXPECT_EQ(receiver.ChangeFlags(), Flags{c.flag}) << c.id;
    }
}

TEST_F(MiscTest, TheFeedIsWrittenAtEveryStepAndTheDelayOnlyWhenTheDialogGoes)
{
    struct Case { std::vector<Zone> delayTaps; DWORD kept; Flags flags; };
    const Case cases[] = {
        {{Zone::CoarseUp, Zone::CoarseUp}, 30, {CHG_DISPLAY}},
        {{Zone::CoarseUp, Zone::FineDown, Zone::CoarseDown, Zone::FineUp}, 10, {}},
    };
    for (const Case& c : cases) {
        host.misc.bDisplayAutoOff = true;
        host.misc.dwAutoOffDelay = 10;
        host.sysRec1->SetFeedLen(95);
        feedLengths.clear();
        ScriptedOperator script;
        OpenTab(script);
        for (Zone zone : c.delayTaps)
            TapJog(script, IDC_JOG_DELAY, zone);
        for (Zone zone : {Zone::CoarseUp, Zone::CoarseUp, Zone::FineDown})
            TapJog(script, IDC_JOG_FEED, zone);
        script.TapPart(IDD_SYSTEM, 17000, "tab", 0);
        script.Do(IDD_SYSTEM, "the feed kept, the delay not yet", [&](HWND) {
            EXPECT_EQ(feedLengths, (Flags{100, 99}));
            EXPECT_EQ(host.misc.dwAutoOffDelay, 10u);
            EXPECT_TRUE(receiver.Requests().empty());
        });
        Run(script);
        EXPECT_EQ(std::tuple(host.misc.dwAutoOffDelay, receiver.ChangeFlags()), std::tuple(c.kept, c.flags));
    }
}

TEST_F(MiscTest, AChosenFolderIsWrittenUnlessCancelledOrTooLongForTheField)
{
    // The field holds 259 bytes and a terminator; a kana is three bytes.
    auto under = [](std::size_t count, wchar_t character) { return L"D:\\" + std::wstring(count, character); };
    struct Case { std::wstring parent, child; int button; bool kept; };
    const Case cases[] = {
        {L"D:\\data", L"copies", IDOK, true},      {L"D:\\data", L"copies", IDCANCEL, false},
        {under(200, L'p'), std::wstring(55, L'c'), IDOK, true},   // 259 bytes
        {under(200, L'q'), std::wstring(56, L'c'), IDOK, false},  // 260 bytes
        {under(84, L'あ'), L"い", IDOK, true},                    // 259 bytes
        {under(84, L'か'), L"いう", IDOK, false},                  // 262 bytes: 259 would end inside a kana
    };
    host.misc.bScreenCopyToFolder = true;
    for (const Case& c : cases) {
        const std::wstring chosen = c.parent + L"\\" + c.child, shown = c.kept ? chosen : c.parent;
        std::filesystem::create_directories(root.PosixOf(chosen));
        std::strcpy(host.misc.szScreenCopyFolder, win::WideToUtf8(c.parent).c_str());
        ScriptedOperator script;
        OpenTab(script);
        script.Tap(IDD_SYSTEM, IDC_HAND_FOLDER);
        ExpectText(script, IDD_BROWSE, FolderChooserDialog::kPathId, c.parent + L"\\");
        script.TapPart(IDD_BROWSE, FolderChooserDialog::kListId, "row", 1).Tap(IDD_BROWSE, c.button);
        if (c.button == IDOK && !c.kept)
            AnswerPopup(script, L"画面コピー出力先", L"フォルダのパスが長すぎます。", IDOK);
        script.Do(IDD_SYSTEM, "shown", [&](HWND window) { EXPECT_EQ(ControlText(window, IDC_STATIC_FOLDER), shown); });
        Run(script);
        EXPECT_EQ(host.misc.szScreenCopyFolder, win::WideToUtf8(shown));
        EXPECT_EQ(receiver.ChangeFlags(), c.kept ? Flags{CHG_SCREEN_COPY} : Flags{}) << win::WideToUtf8(chosen);
    }
}

}  // namespace
