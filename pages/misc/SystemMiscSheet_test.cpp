// The auxiliary page inside the system dialog, operated like the operator does.
#include "pages/misc/MiscTestSupport.h"

#include "core/DlgRequest.h"
#include "host/dialogs/FolderChooserDialog.h"

#include <filesystem>

namespace {

using namespace misc_test;
using Zone = JogWidget::Zone;

// The feed lengths the recording configuration was given, in order, while
// the recorder lives.
class FeedLengthRecorder {
public:
    explicit FeedLengthRecorder(CONFIG_SYSREC& recording)
    {
        m_previous = CONFIG_BASE::SetChangeHook([this, &recording](CONFIG_BASE& object, DWORD changes) {
            if (&object == &recording && (changes & CONFIG_SYSREC::CHANGE_FEED))
                m_lengths.push_back(recording.GetFeedLen());
        });
    }
    ~FeedLengthRecorder() { CONFIG_BASE::SetChangeHook(m_previous); }
    FeedLengthRecorder(const FeedLengthRecorder&) = delete;
    FeedLengthRecorder& operator=(const FeedLengthRecorder&) = delete;

    const std::vector<DWORD>& Lengths() const { return m_lengths; }

private:
    CONFIG_BASE::ChangeHook m_previous;
    std::vector<DWORD> m_lengths;
};

TEST_F(MiscTest, TheCursorGroupFollowsTheModelAndItsFieldIsLoadedEitherWay)
{
    for (bool pw7200 : {false, true}) {
        profile.Change([=](InstrumentProfile& instrument) { instrument.pw7200 = pw7200; });
        host.misc.bMouseCursor = true;
        host.misc.bKeyLockOnResume = true;
        ScriptedOperator script;
        OpenTab(script);
        script.Do(IDD_SYSTEM, "the page", [&](HWND window) {
            EXPECT_EQ(Visible(window, IDC_GROUP_CURSOR), !pw7200);
            EXPECT_EQ(Visible(window, IDC_CHECK_CURSOR), !pw7200);
            EXPECT_EQ(Latches(window, {IDC_CHECK_CURSOR, IDC_CHECK_KEY_LOCK_ON_RESUME}), L"11");
            EXPECT_FALSE(Visible(window, IDC_CHECK_KEY_LOCK_ON_RESUME));
            EXPECT_EQ(ControlText(window, IDC_CHECK_CURSOR), L"カーソルON/OFF");
        });
        Run(script);
        EXPECT_TRUE(receiver.Requests().empty()) << pw7200;
    }
}

TEST_F(MiscTest, StoredValuesOutOfRangeAreCorrectedSilentlyAndTheDelayIsKeptAtClosing)
{
    // A delay of 0 is not corrected, but the jog cannot show it: it shows its
    // minimum, which is what closing the dialog keeps.
    struct Case { DWORD delay, feed; const wchar_t* shownDelay; const wchar_t* shownFeed;
                  DWORD delayAfterInit; std::vector<DWORD> feedCalls; DWORD delayKept; std::vector<DWORD> flags; };
    const Case cases[] = {
        {75, 150, L"60 min", L"100 mm", 60, {100}, 60, {}},
        {60, 100, L"60 min", L"100 mm", 60, {}, 60, {}},
        {0xFFFFFFFF, 0xFFFFFFFF, L"60 min", L"100 mm", 60, {100}, 60, {}},
        {0, 0, L"1 min", L"0 mm", 0, {}, 1, {CHG_DISPLAY}},
        {1, 101, L"1 min", L"100 mm", 1, {100}, 1, {}},
    };
    for (const Case& c : cases) {
        host.misc.dwAutoOffDelay = c.delay;
        host.sysRec1->SetFeedLen(c.feed);
        FeedLengthRecorder feed(*host.sysRec1);
        ScriptedOperator script;
        OpenTab(script);
        script.Do(IDD_SYSTEM, "corrected without a word", [&](HWND window) {
            EXPECT_EQ(ControlText(window, IDC_JOG_DELAY), c.shownDelay);
            EXPECT_EQ(ControlText(window, IDC_JOG_FEED), c.shownFeed);
            EXPECT_EQ(host.misc.dwAutoOffDelay, c.delayAfterInit);
            EXPECT_EQ(feed.Lengths(), c.feedCalls);
            EXPECT_TRUE(receiver.Requests().empty());
        });
        Run(script);
        EXPECT_EQ(host.misc.dwAutoOffDelay, c.delayKept) << c.delay;
        EXPECT_EQ(receiver.ChangeFlags(), c.flags) << c.delay;
    }
}

TEST_F(MiscTest, EachBoxWritesItsFieldAndReportsItsGroup)
{
    struct Case { int id; bool T_CONFIG_MISC::*field; DWORD flag; };
    const Case cases[] = {
        {IDC_CHECK_BUZZER, &T_CONFIG_MISC::bBuzzer, CHG_SOUND},
        {IDC_CHECK_CLICK, &T_CONFIG_MISC::bClickSound, CHG_SOUND},
        {IDC_CHECK_DISPLAY_AUTO_OFF, &T_CONFIG_MISC::bDisplayAutoOff, CHG_DISPLAY},
        {IDC_CHECK_COPY_TO_PAPER, &T_CONFIG_MISC::bScreenCopyToPaper, CHG_SCREEN_COPY},
        {IDC_CHECK_COPY_TO_FOLDER, &T_CONFIG_MISC::bScreenCopyToFolder, CHG_SCREEN_COPY},
        {IDC_CHECK_CURSOR, &T_CONFIG_MISC::bMouseCursor, CHG_CURSOR},
    };
    for (const Case& c : cases) {
        const bool before = host.misc.*c.field;
        T_CONFIG_MISC expected = host.misc;
        expected.*c.field = !before;
        ScriptedOperator script;
        OpenTab(script);
        script.Tap(IDD_SYSTEM, c.id);
        script.Do(IDD_SYSTEM, "written and reported at once", [&](HWND window) {
            EXPECT_EQ(Latches(window, {c.id}), before ? L"0" : L"1");
            EXPECT_EQ(std::memcmp(&host.misc, &expected, sizeof expected), 0) << "only the box's field changes";
            EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{c.flag});
        });
        Run(script);
        EXPECT_EQ(receiver.ChangeFlags(), std::vector<DWORD>{c.flag}) << c.id;
    }
}

TEST_F(MiscTest, TheDelayAndTheFolderAreUsableOnlyWhileTheirBoxesAreTicked)
{
    const std::vector<int> delayControls = {IDC_JOG_DELAY, IDC_CHECK_KEY_LOCK_ON_RESUME};
    const std::vector<int> folderControls = {IDC_STATIC_FOLDER, IDC_HAND_FOLDER};
    auto expectEnabled = [](HWND window, const std::vector<int>& ids, bool enabled) {
        for (int id : ids)
            EXPECT_EQ(Enabled(window, id), enabled) << id;
    };
    ScriptedOperator script;
    OpenTab(script);
    script.Do(IDD_SYSTEM, "both unticked", [&](HWND window) {
        expectEnabled(window, delayControls, false);
        expectEnabled(window, folderControls, false);
    });
    for (int id : {IDC_CHECK_DISPLAY_AUTO_OFF, IDC_CHECK_COPY_TO_FOLDER, IDC_CHECK_COPY_TO_PAPER})
        script.Tap(IDD_SYSTEM, id);
    script.Do(IDD_SYSTEM, "all three ticked", [&](HWND window) {
        EXPECT_EQ(Latches(window, {IDC_CHECK_DISPLAY_AUTO_OFF, IDC_CHECK_COPY_TO_FOLDER, IDC_CHECK_COPY_TO_PAPER}),
                  L"111");
        expectEnabled(window, delayControls, true);
        expectEnabled(window, folderControls, true);
    });
    script.Tap(IDD_SYSTEM, IDC_CHECK_DISPLAY_AUTO_OFF);
    script.Do(IDD_SYSTEM, "auto-off unticked", [&](HWND window) {
        expectEnabled(window, delayControls, false);
        expectEnabled(window, folderControls, true);
    });
    script.Tap(IDD_SYSTEM, IDC_CHECK_COPY_TO_FOLDER);
    script.Do(IDD_SYSTEM, "folder unticked", [&](HWND window) { expectEnabled(window, folderControls, false); });
    Run(script);
    EXPECT_EQ(receiver.ChangeFlags(),
              (std::vector<DWORD>{CHG_DISPLAY, CHG_SCREEN_COPY, CHG_SCREEN_COPY, CHG_DISPLAY, CHG_SCREEN_COPY}));
}

TEST_F(MiscTest, TheFeedJogWritesEveryChangeAndTellsTheHostNothing)
{
    host.sysRec1->SetFeedLen(95);
    FeedLengthRecorder feed(*host.sysRec1);
    ScriptedOperator script;
    OpenTab(script);
    for (Zone zone : {Zone::CoarseUp, Zone::CoarseUp, Zone::FineDown, Zone::CoarseDown, Zone::FineUp})
        TapJog(script, IDC_JOG_FEED, zone);
    script.Do(IDD_SYSTEM, "kept at each step", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_JOG_FEED), L"90 mm");
        EXPECT_EQ(feed.Lengths(), (std::vector<DWORD>{100, 99, 89, 90}));
    });
    Run(script);
    EXPECT_EQ(host.sysRec1->GetFeedLen(), 90u);
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST_F(MiscTest, TheDelayIsKeptAndReportedOnlyWhenTheDialogGoes)
{
    host.misc.bDisplayAutoOff = true;
    struct Case { std::vector<Zone> taps; const wchar_t* shown; DWORD kept; std::vector<DWORD> flags; };
    const Case cases[] = {
        {{Zone::CoarseUp, Zone::CoarseUp}, L"30 min", 30, {CHG_DISPLAY}},
        {{Zone::CoarseUp, Zone::FineDown, Zone::FineUp, Zone::CoarseDown}, L"10 min", 10, {}},
        {{Zone::CoarseDown, Zone::FineDown}, L"1 min", 1, {CHG_DISPLAY}},
    };
    for (const Case& c : cases) {
        host.misc.dwAutoOffDelay = 10;
        ScriptedOperator script;
        OpenTab(script);
        for (Zone zone : c.taps)
            TapJog(script, IDC_JOG_DELAY, zone);
        script.TapPart(IDD_SYSTEM, 17000, "tab", 0);
        OpenTab(script);
        script.Do(IDD_SYSTEM, "nothing kept yet", [&](HWND window) {
            EXPECT_EQ(ControlText(window, IDC_JOG_DELAY), c.shown);
            EXPECT_EQ(host.misc.dwAutoOffDelay, 10u);
            EXPECT_TRUE(receiver.Requests().empty());
        });
        Run(script);
        EXPECT_EQ(host.misc.dwAutoOffDelay, c.kept) << win::WideToUtf8(c.shown);
        EXPECT_EQ(receiver.ChangeFlags(), c.flags) << win::WideToUtf8(c.shown);
    }
}

// The screen-copy folder.

class FolderTest : public MiscTest {
protected:
    FolderTest() { host.misc.bScreenCopyToFolder = true; }

    void MakeFolder(const std::wstring& path) { std::filesystem::create_directories(root.PosixOf(path)); }
    std::string Field() const { return host.misc.szScreenCopyFolder; }
};

TEST_F(FolderTest, AChosenFolderIsWrittenAndReportedAndACancelChangesNothing)
{
    MakeFolder(L"D:\\data\\copies");
    std::strcpy(host.misc.szScreenCopyFolder, "D:\\data");
    for (int answer : {IDCANCEL, IDOK}) {
        ScriptedOperator script;
        OpenTab(script);
        script.Tap(IDD_SYSTEM, IDC_HAND_FOLDER);
        script.Do(IDD_BROWSE, "starts in the folder shown", [](HWND window) {
            EXPECT_EQ(ControlText(window, FolderChooserDialog::kPathId), L"D:\\data\\");
            EXPECT_EQ(ControlText(window, FolderChooserDialog::kPromptId), L"画面ｺﾋﾟｰを出力するﾌｫﾙﾀﾞを選択して下さい。");
        });
        script.TapPart(IDD_BROWSE, FolderChooserDialog::kListId, "row", 1);
        script.Tap(IDD_BROWSE, answer);
        const std::wstring shown = answer == IDOK ? L"D:\\data\\copies" : L"D:\\data";
        script.Do(IDD_SYSTEM, "the folder shown", [&](HWND window) {
            EXPECT_EQ(ControlText(window, IDC_STATIC_FOLDER), shown);
        });
        Run(script);
        EXPECT_EQ(Field(), win::WideToUtf8(shown));
        EXPECT_EQ(receiver.ChangeFlags(), answer == IDOK ? std::vector<DWORD>{CHG_SCREEN_COPY} : std::vector<DWORD>{});
    }
}

TEST_F(FolderTest, AFolderThatDoesNotFitTheFieldIsRefusedWithANotice)
{
    // The field holds 259 bytes and its terminator; a Japanese character is
    // three bytes, so the last row passes the limit in the middle of one.
    auto under = [](std::size_t count, wchar_t character) { return L"D:\\" + std::wstring(count, character); };
    struct Case { std::wstring parent; std::wstring child; bool fits; };
    const Case cases[] = {
        {under(200, L'p'), std::wstring(55, L'c'), true},  // 259 bytes
        {under(200, L'q'), std::wstring(56, L'c'), false}, // 260 bytes
        {under(85, L'あ'), L"", true},                     // 258 bytes, chosen as the folder shown
        {under(85, L'い'), L"x", false},                   // 260 bytes
    };
    for (const Case& c : cases) {
        const std::wstring chosen = c.child.empty() ? c.parent : c.parent + L"\\" + c.child;
        MakeFolder(chosen);
        std::strcpy(host.misc.szScreenCopyFolder, win::WideToUtf8(c.parent).c_str());
        ScriptedOperator script;
        OpenTab(script);
        script.Tap(IDD_SYSTEM, IDC_HAND_FOLDER);
        if (!c.child.empty())
            script.TapPart(IDD_BROWSE, FolderChooserDialog::kListId, "row", 1);
        script.Tap(IDD_BROWSE, IDOK);
        if (!c.fits)
            AnswerPopup(script, L"画面コピー出力先", L"フォルダのパスが長すぎます。", IDOK);
        const std::wstring kept = c.fits ? chosen : c.parent;
        script.Do(IDD_SYSTEM, "the folder shown", [&](HWND window) {
            EXPECT_EQ(ControlText(window, IDC_STATIC_FOLDER), kept);
        });
        Run(script);
        EXPECT_EQ(Field(), win::WideToUtf8(kept)) << win::WideToUtf8(chosen);
        EXPECT_EQ(receiver.ChangeFlags(), c.fits ? std::vector<DWORD>{CHG_SCREEN_COPY} : std::vector<DWORD>{})
            << win::WideToUtf8(chosen);
    }
}

TEST_F(MiscTest, WithoutABlockThePageShowsItsDefaultsAndWritesNothing)
{
    host.record.pMisc = nullptr;
    host.sysRec1->SetFeedLen(50);
    FeedLengthRecorder feed(*host.sysRec1);
    ScriptedOperator script;
    OpenTab(script);
    script.Do(IDD_SYSTEM, "the defaults", [](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_JOG_DELAY), L"10 min");
        EXPECT_EQ(ControlText(window, IDC_JOG_FEED), L"20 mm");
        EXPECT_EQ(ControlText(window, IDC_STATIC_FOLDER), L"D:\\");
    });
    script.Tap(IDD_SYSTEM, IDC_CHECK_BUZZER);
    TapJog(script, IDC_JOG_FEED, Zone::FineUp);
    script.Tap(IDD_SYSTEM, IDC_BUTTON_PASSWORD);
    Run(script);
    EXPECT_TRUE(feed.Lengths().empty());
    EXPECT_EQ(host.sysRec1->GetFeedLen(), 50u);
    EXPECT_TRUE(receiver.Requests().empty());
}

}  // namespace
