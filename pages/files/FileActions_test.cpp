// The file actions of the page: their questions, notices, requests and
// refreshes, operated by taps and popup answers with a recording host.
#include "pages/files/FilesTestSupport.h"

#include "host/CurrentProfileScope_test.h"
#include "host/FileRecording.h"
#include "host/IMRRec.h"
#include "win/DebugLog.h"

#include <filesystem>

namespace files_test {
namespace {

TEST_F(FileActionsTest, DeletingAFileInPlaybackAsksClosesItAndGoesOnWhenTheCloseFails)
{
    StartIn("D:\\data", {L"a.fsd", L"b.fsd"});
    receiver.AnswerYes(DLGREQ_IS_PLAYBACK_FILE);  // the close answers no at first
    const int reservesBefore = CFileRecording::GetSetCount();
    auto question = [](const wchar_t* name) {
        return L"D:\\data\\" + std::wstring(name) + L" は再生画面で使用中です。\n再生を中止して削除してもよろしいですか？";
    };
    Select(script, {L"a.fsd"});
    script.Tap(IDD_SYSTEM, IDC_DELETE);
    AnswerPopup(script, L"削除", question(L"a.fsd"), kNo);
    script.Do(IDD_SYSTEM, "declined: file and playback untouched", [&](HWND) {
        EXPECT_TRUE(root.Exists(L"D:\\data\\a.fsd"));
        EXPECT_EQ(receiver.Count(DLGREQ_CLOSE_PLAYBACK), 0u);
        EXPECT_EQ(receiver.Last(DLGREQ_IS_PLAYBACK_FILE).Field(L"path"), L"D:\\data\\a.fsd");
    });
    Select(script, {L"a.fsd"});
    script.Tap(IDD_SYSTEM, IDC_DELETE);
    AnswerPopup(script, L"削除", question(L"a.fsd"), kYes);
    // No further question from the shell: the next window is the page again.
    script.Do(IDD_SYSTEM, "deleted although the close failed", [&](HWND window) {
        EXPECT_FALSE(root.Exists(L"D:\\data\\a.fsd"));
        EXPECT_EQ(RowOf(window, L"a.fsd"), -1) << "the list was rebuilt";
        EXPECT_TRUE(win::DebugLog::Contains(L"ClosePlaybackFile() failed."));
        receiver.AnswerYes(DLGREQ_CLOSE_PLAYBACK);
    });
    Select(script, {L"b.fsd"});
    script.Tap(IDD_SYSTEM, IDC_DELETE);
    AnswerPopup(script, L"削除", question(L"b.fsd"), kYes);
    Finish();
    EXPECT_FALSE(root.Exists(L"D:\\data\\b.fsd"));
    EXPECT_EQ(receiver.Count(DLGREQ_CLOSE_PLAYBACK), 2u);
    EXPECT_EQ(IMRRec::GetReportedCodes(), (std::vector<UINT>{256, 256, 256}));
    EXPECT_EQ(CFileRecording::GetSetCount(), reservesBefore + 3);
}

TEST_F(FileActionsTest, NewFolderStaysInTheCurrentFolderAndDeletingAFolderRemovesExactlyItsTree)
{
    root.WriteFile(L"D:\\data\\sub\\x\\y.txt", "y");
    root.WriteFile(L"E:\\outside.txt", "o");
    std::filesystem::create_symlink(root.PosixOf(L"E:\\outside.txt"), root.PosixOf(L"D:\\data\\sub\\link"));
    StartIn("D:\\data");
    script.Tap(IDD_SYSTEM, IDC_NEW_FOLDER);
    script.Do(IDD_PROC, "the name dialog", [&](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"フォルダ作成");
        EXPECT_EQ(ControlText(window, IDC_PROC_LABEL), L"新規フォルダ名");
        EXPECT_EQ(ControlText(window, IDC_PROC_VALUE), L"NewFolder");
    });
    ConfirmName(script, L"Made");
    AnswerMessageBox(script, L"フォルダ作成", L"作成しました");
    for (const wchar_t* bad : {L"..\\evil", L"C:evil", L"a\\b"}) {
        SaveAs(IDC_NEW_FOLDER, bad);
        AnswerMessageBox(script, L"フォルダ作成", L"フォルダ作成に失敗しました");
    }
    Select(script, {L"sub"});
    script.Tap(IDD_SYSTEM, IDC_DELETE);
    AnswerPopup(script, L"削除", L"D:\\data\\sub を削除してもよろしいですか？", kYes);
    script.Do(IDD_SYSTEM, "listed", [&](HWND window) { EXPECT_EQ(Column(window), (Names{L"..", L"Made"})); });
    Finish();
    for (const wchar_t* outside : {L"D:\\evil", L"C:\\evil", L"D:\\data\\evil", L"D:\\data\\a", L"D:\\data\\sub"})
        EXPECT_FALSE(root.Exists(outside));
    EXPECT_EQ(root.ReadFile(L"E:\\outside.txt"), "o") << "a link is removed, not what it leads to";
    EXPECT_EQ(IMRRec::GetReportedCodes().size(), 5u) << "reported after every attempt";
}

TEST_F(FileActionsTest, ARowActsOnExactlyTheEntryItShows)
{
    root.WriteFile(L"D:\\data\\abc ", "blank");
    root.WriteFile(L"D:\\data\\abc", "plain");
    root.WriteFile(L"D:\\data\\dir \\in.txt", "in");
    StartIn("D:\\data");
    Select(script, {L"abc "});
    script.Tap(IDD_SYSTEM, IDC_DELETE);
    AnswerPopup(script, L"削除", L"D:\\data\\abc  を削除してもよろしいですか？", kYes);
    script.TapPart(IDD_SYSTEM, IDC_LIST, "row", 1, 0, true);
    script.Do(IDD_SYSTEM, "into the folder with the blank", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_FOLDER), L"D:\\data\\dir \\");
        EXPECT_EQ(Column(window), (Names{L"..", L"in.txt"}));
    });
    Finish();
    EXPECT_FALSE(root.Exists(L"D:\\data\\abc "));
    EXPECT_EQ(root.ReadFile(L"D:\\data\\abc"), "plain");
}

TEST_F(FileActionsTest, LoadTakesTheFirstSettingFileTellsTheOutcomeAndRestartsOnlyWhenConfirmed)
{
    StartIn("D:\\data", {L"a.env", L"b.TXT", L"0.log"});
    receiver.AnswerYes(DLGREQ_LOAD_SETTINGS);
    const std::wstring restart = L"設定を反映するためにプログラムを再起動します。";
    Select(script, {L"0.log", L"b.TXT", L"a.env"});
    script.Tap(IDD_SYSTEM, IDC_LOAD);
    AnswerPopup(script, L"読み込み", L"環境保存データ[D:\\data\\a.env]を読み込みます。よろしいですか？", kYes);
    AnswerPopup(script, L"読み込み", restart, kNo);
    script.Do(IDD_SYSTEM, "the later text file is not looked at", [&](HWND) {
        EXPECT_EQ(receiver.Last(DLGREQ_LOAD_SETTINGS).Field(L"path"), L"D:\\data\\a.env");
        EXPECT_EQ(receiver.Count(DLGREQ_LOAD_TEXT), 0u);
        EXPECT_EQ(receiver.Count(DLGREQ_RESTART), 0u);
    });
    script.Tap(IDD_SYSTEM, IDC_CLEAR_ALL);
    Select(script, {L"b.TXT"});
    script.Tap(IDD_SYSTEM, IDC_LOAD);
    AnswerPopup(script, L"読み込み", L"テキスト保存データ[D:\\data\\b.TXT]を読み込みます。よろしいですか？", kYes);
    AnswerPopup(script, L"読み込み", L"読み込みに失敗しました。", kYes);
    script.Do(IDD_SYSTEM, "now the host loads", [&](HWND) { receiver.AnswerYes(DLGREQ_LOAD_TEXT); });
    script.Tap(IDD_SYSTEM, IDC_CLEAR_ALL);
    Select(script, {L"b.TXT"});
    script.Tap(IDD_SYSTEM, IDC_LOAD);
    script.Answer(kYes);
    AnswerPopup(script, L"読み込み", L"読み込みました。", kYes);
    script.Tap(IDD_SYSTEM, IDC_CLEAR_ALL);
    Select(script, {L"a.env"});
    script.Tap(IDD_SYSTEM, IDC_LOAD);
    script.Answer(kYes);
    AnswerPopup(script, L"読み込み", restart, kYes);
    script.Do(IDD_SYSTEM, "the page asked for the restart", [&](HWND) {
        EXPECT_EQ(receiver.Count(DLGREQ_RESTART), 1u);
        EXPECT_EQ(receiver.Last(DLGREQ_RESTART).sender, static_cast<void*>(Page()));
    });
    Finish();
    ASSERT_EQ(receiver.Count(DLGREQ_LOAD_TEXT), 2u);
    EXPECT_EQ(receiver.Last(DLGREQ_LOAD_TEXT).received.Word16(16), 0xFFFF) << "every group of the file";
}

TEST_F(FileActionsTest, SavesAddTheirExtensionOnlyToANameWithoutOneSendTheTickedBoxesAndTellARefusal)
{
    CurrentProfileScope profile([](InstrumentProfile& instrument) { instrument.optionKQ58_751 = 0; });
    StartIn("D:\\data");
    receiver.AnswerYes(DLGREQ_SAVE_TEXT);
    receiver.AnswerYes(DLGREQ_SAVE_SETTINGS);
    script.Tap(IDD_SYSTEM, IDC_TEXT_SAVE);
    script.Do(IDD_PROC, "four boxes: the option's and the last are hidden", [&](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"テキスト保存");
        EXPECT_EQ(ControlText(window, IDC_PROC_LABEL), L"保存ファイル名");
        EXPECT_EQ(ControlText(window, IDC_PROC_VALUE), L"NewText.txt");
        const wchar_t* labels[] = {L"信号名称", L"ページアノテーション", L"計測情報", L"通信"};
        for (int box = 0; box < 4; ++box)
            EXPECT_EQ(Visible(window, kProcChecks[box]) ? ControlText(window, kProcChecks[box]) : L"", labels[box]);
        EXPECT_FALSE(Visible(window, kProcChecks[4]) || Visible(window, kProcChecks[5]));
    });
    script.Tap(IDD_PROC, kProcChecks[0]).Tap(IDD_PROC, kProcChecks[3]);
    ConfirmName(script, L"report");
    script.Tap(IDD_SYSTEM, IDC_TEXT_SAVE);
    ExpectText(script, IDD_PROC, IDC_PROC_VALUE, L"report");  // the last name is offered
    script.Do(IDD_PROC, "the host will refuse", [&](HWND) { receiver.AnswerNo(DLGREQ_SAVE_TEXT); });
    ConfirmName(script, L"report.log");
    AnswerPopup(script, L"TEXT保存", L"テキスト保存処理に失敗しました。", kYes);
    script.Tap(IDD_SYSTEM, IDC_ENV_SAVE);
    script.Do(IDD_PROC, "no boxes", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_PROC_VALUE), L"NewEnv.env");
        for (int id : kProcChecks)
            EXPECT_FALSE(Visible(window, id));
    });
    ConfirmName(script, L"setup");
    AnswerPopup(script, L"環境保存", L"環境保存しました。", kYes);
    Finish();
    ASSERT_EQ(receiver.Count(DLGREQ_SAVE_TEXT), 2u);
    EXPECT_EQ(receiver.Requests()[0].Field(L"path"), L"D:\\data\\report.TXT");
    EXPECT_EQ(receiver.Requests()[0].received.Word16(16), 0x9);
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_TEXT).Field(L"path"), L"D:\\data\\report.log");
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_TEXT).received.Word16(16), 0);
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_SETTINGS).Field(L"path"), L"D:\\data\\setup.ENV");
}

TEST_F(FileActionsTest, SavesAskBeforeOverwritingAndFailOnNamesThatLeaveTheFolder)
{
    StartIn("D:\\data", {L"report.TXT", L"z.txt"});
    const std::wstring exists = L"[D:\\data\\report.TXT]ファイルが存在します。上書きしてもよろしいですか？";
    const std::wstring textFailed = L"テキスト保存処理に失敗しました。";
    const std::wstring envFailed = L"環境保存処理に失敗しました。";
    Select(script, {L"z.txt"});
    SaveAs(IDC_TEXT_SAVE, L"report");
    AnswerPopup(script, L"TEXT保存", exists, kNo);
    script.Do(IDD_SYSTEM, "no refresh: the selection is still there", [&](HWND window) {
        EXPECT_EQ(SelectedNames(window), Names{L"z.txt"});
    });
    SaveAs(IDC_ENV_SAVE, L"report.TXT");
    AnswerPopup(script, L"環境保存", exists, kYes);
    AnswerPopup(script, L"環境保存", envFailed, kYes);
    script.Do(IDD_SYSTEM, "refreshed after the save", [&](HWND window) { EXPECT_TRUE(SelectedNames(window).empty()); });
    for (const std::wstring& bad : {std::wstring(L"..\\up"), std::wstring(L"E:x.txt"), std::wstring(L"sub\\x"),
                                    std::wstring(MAX_PATH, L'n')}) {
        SaveAs(IDC_TEXT_SAVE, bad);
        AnswerPopup(script, L"TEXT保存", textFailed, kYes);
        SaveAs(IDC_ENV_SAVE, bad);
        AnswerPopup(script, L"環境保存", envFailed, kYes);
    }
    Finish();
    EXPECT_EQ(receiver.Count(DLGREQ_SAVE_TEXT), 0u);
    ASSERT_EQ(receiver.Count(DLGREQ_SAVE_SETTINGS), 1u) << "only the confirmed overwrite";
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_SETTINGS).Field(L"path"), L"D:\\data\\report.TXT");
}

TEST_F(FileActionsTest, WithoutAReceiverSavesReportFailure)
{
    StartIn("D:\\data");
    script.Do(IDD_SYSTEM, "the host goes", [this](HWND) { dialog->SetDLGCallback(nullptr, 0); });
    SaveAs(IDC_ENV_SAVE, L"setup");
    AnswerPopup(script, L"環境保存", L"環境保存処理に失敗しました。", kYes);
    Finish();
}

TEST_F(FileActionsTest, CsvSaveAsksAboutAnExistingDestinationAndAFailureStopsTheLoop)
{
    StartIn("D:\\data", {L"a.fsd", L"b.txt", L"b.csv", L"c.drt"});
    receiver.AnswerYes(DLGREQ_CONVERT_FILE_CSV);
    Select(script, {L"a.fsd", L"b.txt"});
    script.Tap(IDD_SYSTEM, IDC_CSV_SAVE);
    script.Do(IDD_PROC, "folder mode", [&](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"CSV保存");
        EXPECT_EQ(ControlText(window, IDC_PROC_LABEL), L"変換先");
        EXPECT_EQ(ControlText(window, IDC_PROC_VALUE), L"D:\\data\\");
        EXPECT_TRUE(Visible(window, IDC_PROC_BROWSE));
        EXPECT_FALSE(Visible(window, IDC_PROC_HAND));
    });
    script.Tap(IDD_PROC, IDOK);
    // The text file's destination exists: asked, then skipped as no data file.
    AnswerPopup(script, L"CSV保存", L"[D:\\data\\b.csv]ファイルが存在します。上書きしてもよろしいですか？", kYes);
    script.Do(IDD_SYSTEM, "one conversion; now the host fails", [&](HWND) {
        ASSERT_EQ(receiver.Count(DLGREQ_CONVERT_FILE_CSV), 1u);
        EXPECT_EQ(receiver.Last(DLGREQ_CONVERT_FILE_CSV).Field(L"source"), L"D:\\data\\a.fsd");
        EXPECT_EQ(receiver.Last(DLGREQ_CONVERT_FILE_CSV).Field(L"destination"), L"D:\\data\\a.csv");
        receiver.AnswerNo(DLGREQ_CONVERT_FILE_CSV);
    });
    Select(script, {L"a.fsd", L"c.drt"});
    script.Tap(IDD_SYSTEM, IDC_CSV_SAVE);
    script.Tap(IDD_PROC, IDOK);
    AnswerPopup(script, L"CSV保存", L"[D:\\data\\a.csv]CSV変換処理に失敗しました。", kYes);
    Finish();
    EXPECT_EQ(receiver.Count(DLGREQ_CONVERT_FILE_CSV), 2u) << "the failure stopped before c.drt";
}

}  // namespace
}  // namespace files_test
