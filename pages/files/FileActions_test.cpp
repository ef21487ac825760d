// The file actions of the page: their questions, notices, requests and
// refreshes, operated by taps and popup answers with a recording host.
#include "pages/files/FilesTestSupport.h"

#include "host/CurrentProfileScope_test.h"
#include "host/FileRecording.h"
#include "host/IMRRec.h"
#include "win/DebugLog.h"
#include "win/TextConvert.h"

#include <filesystem>

namespace files_test {
namespace {


TEST_F(FileActionsTest, DeletingAFileInPlaybackAsksThePlaybackQuestion)
{
    root.WriteFile(L"D:\\data\\a.fsd", "x");
    StartIn("D:\\data");
    receiver.AnswerYes(DLGREQ_IS_PLAYBACK_FILE);
    receiver.AnswerYes(DLGREQ_CLOSE_PLAYBACK);
    const int reservesBefore = CFileRecording::GetSetCount();
    const std::wstring question = L"D:\\data\\a.fsd は再生画面で使用中です。\n再生を中止して削除してもよろしいですか？";

    ScriptedOperator script;
    OpenFileTab(script);
    Select(script, {L"a.fsd"});
    script.Tap(IDD_SYSTEM, IDC_DELETE);
    AnswerPopup(script, L"削除", question, kNo);
    script.Do(IDD_SYSTEM, "declined: file and playback untouched", [&](HWND window) {
        EXPECT_TRUE(root.Exists(L"D:\\data\\a.fsd"));
        EXPECT_EQ(receiver.Count(DLGREQ_CLOSE_PLAYBACK), 0u);
        EXPECT_EQ(receiver.Last(DLGREQ_IS_PLAYBACK_FILE).Field(L"path"), L"D:\\data\\a.fsd");
    });
    Select(script, {L"a.fsd"});
    script.Tap(IDD_SYSTEM, IDC_DELETE);
    AnswerPopup(script, L"削除", question, kYes);
    // No further question from the shell: the next window is the page again.
    script.Do(IDD_SYSTEM, "deleted", [&](HWND window) {
        EXPECT_FALSE(root.Exists(L"D:\\data\\a.fsd"));
        EXPECT_EQ(RowOf(window, L"a.fsd"), -1) << "the list was rebuilt";
    });
    Close(script);
    Run(script);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(receiver.Count(DLGREQ_CLOSE_PLAYBACK), 1u);
    EXPECT_EQ(IMRRec::GetReportedCodes(), (std::vector<UINT>{256, 256}));
    EXPECT_EQ(CFileRecording::GetSetCount(), reservesBefore + 2);
}

TEST_F(FileActionsTest, AFailedPlaybackCloseIsLoggedAndTheDeleteGoesOn)
{
    root.WriteFile(L"D:\\data\\a.fsd", "x");
    StartIn("D:\\data");
    receiver.AnswerYes(DLGREQ_IS_PLAYBACK_FILE);  // the close answers no
    ScriptedOperator script;
    OpenFileTab(script);
    Select(script, {L"a.fsd"});
    script.Tap(IDD_SYSTEM, IDC_DELETE);
    script.Answer(kYes);
    Close(script);
    Run(script);
    EXPECT_TRUE(win::DebugLog::Contains(L"ClosePlaybackFile() failed."));
    EXPECT_FALSE(root.Exists(L"D:\\data\\a.fsd"));
}

TEST_F(FileActionsTest, DeletingAFolderRowRemovesExactlyItsTreeAfterOneQuestion)
{
    root.WriteFile(L"D:\\data\\sub\\x\\y.txt", "y");
    root.WriteFile(L"D:\\data\\keep.txt", "k");
    root.WriteFile(L"E:\\outside.txt", "o");
    std::filesystem::create_symlink(root.PosixOf(L"E:\\outside.txt"), root.PosixOf(L"D:\\data\\sub\\link"));
    StartIn("D:\\data");
    ScriptedOperator script;
    OpenFileTab(script);
    Select(script, {L"sub"});
    script.Tap(IDD_SYSTEM, IDC_DELETE);
    AnswerPopup(script, L"削除", L"D:\\data\\sub を削除してもよろしいですか？", kYes);
    Close(script);
    Run(script);
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(root.Exists(L"D:\\data\\sub"));
    EXPECT_TRUE(root.Exists(L"D:\\data\\keep.txt"));
    EXPECT_EQ(root.ReadFile(L"E:\\outside.txt"), "o") << "a link is removed, not what it leads to";
}

TEST_F(FileActionsTest, NewFolderIsCreatedInTheCurrentFolderOnly)
{
    StartIn("D:\\data");
    ScriptedOperator script;
    OpenFileTab(script);
    script.Tap(IDD_SYSTEM, IDC_NEW_FOLDER);
    script.Do(IDD_PROC, "the name dialog", [&](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"フォルダ作成");
        EXPECT_EQ(ControlText(window, IDC_PROC_LABEL), L"新規フォルダ名");
        EXPECT_EQ(ControlText(window, IDC_PROC_VALUE), L"NewFolder");
    });
    ConfirmName(script, L"Made");
    AnswerMessageBox(script, L"フォルダ作成", L"作成しました");
    script.Do(IDD_SYSTEM, "listed", [&](HWND window) { EXPECT_GE(RowOf(window, L"Made"), 0); });
    for (const wchar_t* bad : {L"..\\evil", L"C:evil", L"a\\b"}) {
        script.Tap(IDD_SYSTEM, IDC_NEW_FOLDER);
        ConfirmName(script, bad);
        AnswerMessageBox(script, L"フォルダ作成", L"フォルダ作成に失敗しました");
    }
    Close(script);
    Run(script);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(std::filesystem::is_directory(root.PosixOf(L"D:\\data\\Made")));
    EXPECT_FALSE(root.Exists(L"D:\\evil"));
    EXPECT_FALSE(root.Exists(L"C:\\evil"));
    EXPECT_FALSE(root.Exists(L"D:\\data\\evil"));
    EXPECT_FALSE(root.Exists(L"D:\\data\\a"));
    EXPECT_EQ(IMRRec::GetReportedCodes().size(), 4u) << "reported after every attempt";
}

TEST_F(FileActionsTest, LoadActsOnTheFirstSettingFileOnlyAndRestartsOnlyWhenConfirmed)
{
    root.WriteFile(L"D:\\data\\a.env", "e");
    root.WriteFile(L"D:\\data\\b.txt", "t");
    root.WriteFile(L"D:\\data\\0.log", "l");
    StartIn("D:\\data");
    receiver.AnswerYes(DLGREQ_LOAD_SETTINGS);
    ScriptedOperator script;
    OpenFileTab(script);
    Select(script, {L"0.log", L"b.txt", L"a.env"});
    script.Tap(IDD_SYSTEM, IDC_LOAD);
    AnswerPopup(script, L"読み込み", L"環境保存データ[D:\\data\\a.env]を読み込みます。よろしいですか？", kYes);
    AnswerPopup(script, L"読み込み", L"設定を反映するためにプログラムを再起動します。", kNo);
    Close(script);
    Run(script);
    EXPECT_TRUE(script.Finished());
    ASSERT_EQ(receiver.Count(DLGREQ_LOAD_SETTINGS), 1u);
    EXPECT_EQ(receiver.Last(DLGREQ_LOAD_SETTINGS).Field(L"path"), L"D:\\data\\a.env");
    EXPECT_EQ(receiver.Count(DLGREQ_LOAD_TEXT), 0u) << "the later text file is not looked at";
    EXPECT_EQ(receiver.Count(DLGREQ_RESTART), 0u);
}

TEST_F(FileActionsTest, LoadingATextFileSendsTheFullMaskAndTellsTheOutcome)
{
    root.WriteFile(L"D:\\data\\b.TXT", "t");
    StartIn("D:\\data");
    ScriptedOperator script;
    OpenFileTab(script);
    Select(script, {L"b.TXT"});
    script.Tap(IDD_SYSTEM, IDC_LOAD);
    AnswerPopup(script, L"読み込み", L"テキスト保存データ[D:\\data\\b.TXT]を読み込みます。よろしいですか？", kYes);
    AnswerPopup(script, L"読み込み", L"読み込みに失敗しました。", kYes);
    script.Do(IDD_SYSTEM, "now the host loads", [&](HWND) { receiver.AnswerYes(DLGREQ_LOAD_TEXT); });
    script.Tap(IDD_SYSTEM, IDC_LOAD);
    script.Answer(kYes);
    AnswerPopup(script, L"読み込み", L"読み込みました。", kYes);
    Close(script);
    Run(script);
    EXPECT_TRUE(script.Finished());
    ASSERT_EQ(receiver.Count(DLGREQ_LOAD_TEXT), 2u);
    EXPECT_EQ(receiver.Last(DLGREQ_LOAD_TEXT).received.Word16(16), 0xFFFF);
}

TEST_F(FileActionsTest, ConfirmedRestartSendsTheRequest)
{
    root.WriteFile(L"D:\\data\\a.env", "e");
    StartIn("D:\\data");
    receiver.AnswerYes(DLGREQ_LOAD_SETTINGS);
    ScriptedOperator script;
    OpenFileTab(script);
    Select(script, {L"a.env"});
    script.Tap(IDD_SYSTEM, IDC_LOAD);
    script.Answer(kYes);
    AnswerPopup(script, L"読み込み", L"設定を反映するためにプログラムを再起動します。", kYes);
    script.Do(IDD_SYSTEM, "the page ended itself", [&](HWND) {
        EXPECT_EQ(receiver.Count(DLGREQ_RESTART), 1u);
        EXPECT_EQ(receiver.Last(DLGREQ_RESTART).sender, static_cast<void*>(Page()));
    });
    Close(script);
    Run(script);
    EXPECT_TRUE(script.Finished());
}

TEST_F(FileActionsTest, TextSaveAddsTxtOnlyWithoutExtensionAndSendsTheTickedBoxes)
{
    CurrentProfileScope profile([](InstrumentProfile& instrument) { instrument.optionKQ58_751 = 0; });
    StartIn("D:\\data");
    receiver.AnswerYes(DLGREQ_SAVE_TEXT);
    ScriptedOperator script;
    OpenFileTab(script);
    script.Tap(IDD_SYSTEM, IDC_TEXT_SAVE);
    script.Do(IDD_PROC, "six boxes, the option's and the last hidden", [&](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), L"テキスト保存");
        EXPECT_EQ(ControlText(window, IDC_PROC_LABEL), L"保存ファイル名");
        EXPECT_EQ(ControlText(window, IDC_PROC_VALUE), L"NewText.txt");
        const wchar_t* labels[] = {L"信号名称", L"ページアノテーション", L"計測情報", L"通信"};
        for (int box = 0; box < 4; ++box) {
            EXPECT_TRUE(Visible(window, kProcChecks[box])) << box;
            EXPECT_EQ(ControlText(window, kProcChecks[box]), labels[box]);
        }
        EXPECT_FALSE(Visible(window, kProcChecks[4]));
        EXPECT_FALSE(Visible(window, kProcChecks[5]));
    });
    script.Tap(IDD_PROC, kProcChecks[0]).Tap(IDD_PROC, kProcChecks[3]);
    ConfirmName(script, L"report");
    script.Tap(IDD_SYSTEM, IDC_TEXT_SAVE);
    script.Do(IDD_PROC, "the last name is offered", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_PROC_VALUE), L"report");
    });
    ConfirmName(script, L"report.log");
    Close(script);
    Run(script);
    EXPECT_TRUE(script.Finished());
    ASSERT_EQ(receiver.Count(DLGREQ_SAVE_TEXT), 2u);
    EXPECT_EQ(receiver.Requests()[0].Field(L"path"), L"D:\\data\\report.TXT");
    EXPECT_EQ(receiver.Requests()[0].received.Word16(16), 0x9);
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_TEXT).Field(L"path"), L"D:\\data\\report.log");
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_TEXT).received.Word16(16), 0);
}

TEST_F(FileActionsTest, DecliningTheOverwriteQuestionLeavesTheListAsItWas)
{
    root.WriteFile(L"D:\\data\\report.TXT", "old");
    root.WriteFile(L"D:\\data\\z.txt", "z");
    StartIn("D:\\data");
    ScriptedOperator script;
    OpenFileTab(script);
    Select(script, {L"z.txt"});
    script.Tap(IDD_SYSTEM, IDC_TEXT_SAVE);
    ConfirmName(script, L"report");
    AnswerPopup(script, L"TEXT保存", L"[D:\\data\\report.TXT]ファイルが存在します。上書きしてもよろしいですか？", kNo);
    script.Do(IDD_SYSTEM, "no refresh: the selection is still there", [&](HWND window) {
        EXPECT_EQ(SelectedNames(window), Names{L"z.txt"});
    });
    script.Tap(IDD_SYSTEM, IDC_ENV_SAVE);
    ConfirmName(script, L"report.TXT");
    AnswerPopup(script, L"環境保存", L"[D:\\data\\report.TXT]ファイルが存在します。上書きしてもよろしいですか？", kYes);
    AnswerPopup(script, L"環境保存", L"環境保存処理に失敗しました。", kYes);
    script.Do(IDD_SYSTEM, "refreshed after the save", [&](HWND window) { EXPECT_TRUE(SelectedNames(window).empty()); });
    Close(script);
    Run(script);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(receiver.Count(DLGREQ_SAVE_TEXT), 0u);
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_SETTINGS).Field(L"path"), L"D:\\data\\report.TXT");
}

TEST_F(FileActionsTest, EnvironmentSaveAddsEnvAndTellsSuccess)
{
    StartIn("D:\\data");
    receiver.AnswerYes(DLGREQ_SAVE_SETTINGS);
    ScriptedOperator script;
    OpenFileTab(script);
    script.Tap(IDD_SYSTEM, IDC_ENV_SAVE);
    script.Do(IDD_PROC, "no boxes", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_PROC_VALUE), L"NewEnv.env");
        for (int id : kProcChecks)
            EXPECT_FALSE(Visible(window, id));
    });
    ConfirmName(script, L"setup");
    AnswerPopup(script, L"環境保存", L"環境保存しました。", kYes);
    Close(script);
    Run(script);
    EXPECT_EQ(receiver.Last(DLGREQ_SAVE_SETTINGS).Field(L"path"), L"D:\\data\\setup.ENV");
}

TEST_F(FileActionsTest, TypedNamesThatLeaveTheFolderFailWithTheSaveNotice)
{
    StartIn("D:\\data");
    receiver.AnswerYes(DLGREQ_SAVE_TEXT);
    receiver.AnswerYes(DLGREQ_SAVE_SETTINGS);
    ScriptedOperator script;
    OpenFileTab(script);
    for (const wchar_t* bad : {L"..\\up", L"E:x.txt", L"sub\\x"}) {
        script.Tap(IDD_SYSTEM, IDC_TEXT_SAVE);
        ConfirmName(script, bad);
        AnswerPopup(script, L"TEXT保存", L"テキスト保存処理に失敗しました。", kYes);
        script.Tap(IDD_SYSTEM, IDC_ENV_SAVE);
        ConfirmName(script, bad);
        AnswerPopup(script, L"環境保存", L"環境保存処理に失敗しました。", kYes);
    }
    script.Tap(IDD_SYSTEM, IDC_TEXT_SAVE);
    ConfirmName(script, std::wstring(MAX_PATH, L'n'));
    AnswerPopup(script, L"TEXT保存", L"テキスト保存処理に失敗しました。", kYes);
    Close(script);
    Run(script);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(receiver.Count(DLGREQ_SAVE_TEXT), 0u);
    EXPECT_EQ(receiver.Count(DLGREQ_SAVE_SETTINGS), 0u);
}

TEST_F(FileActionsTest, WithoutAReceiverSavesReportFailure)
{
    withReceiver = false;
    StartIn("D:\\data");
    ScriptedOperator script;
    OpenFileTab(script);
    script.Tap(IDD_SYSTEM, IDC_ENV_SAVE);
    ConfirmName(script, L"setup");
    AnswerPopup(script, L"環境保存", L"環境保存処理に失敗しました。", kYes);
    Close(script);
    Run(script);
    EXPECT_TRUE(script.Finished());
}

TEST_F(FileActionsTest, CsvSaveAsksAboutAnExistingDestinationBeforeSkippingItsType)
{
    root.WriteFile(L"D:\\data\\a.fsd", "a");
    root.WriteFile(L"D:\\data\\b.txt", "b");
    root.WriteFile(L"D:\\data\\b.csv", "old");
    StartIn("D:\\data");
    receiver.AnswerYes(DLGREQ_CONVERT_FILE_CSV);
    ScriptedOperator script;
    OpenFileTab(script);
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
    AnswerPopup(script, L"CSV保存", L"[D:\\data\\b.csv]ファイルが存在します。上書きしてもよろしいですか？", kYes);
    Close(script);
    Run(script);
    EXPECT_TRUE(script.Finished());
    ASSERT_EQ(receiver.Count(DLGREQ_CONVERT_FILE_CSV), 1u);
    EXPECT_EQ(receiver.Last(DLGREQ_CONVERT_FILE_CSV).Field(L"source"), L"D:\\data\\a.fsd");
    EXPECT_EQ(receiver.Last(DLGREQ_CONVERT_FILE_CSV).Field(L"destination"), L"D:\\data\\a.csv");
}

TEST_F(FileActionsTest, CsvFailureIsToldWithTheDestinationAndStopsTheLoop)
{
    root.WriteFile(L"D:\\data\\a.fsd", "a");
    root.WriteFile(L"D:\\data\\b.drt", "b");
    StartIn("D:\\data");
    ScriptedOperator script;
    OpenFileTab(script);
    Select(script, {L"a.fsd", L"b.drt"});
    script.Tap(IDD_SYSTEM, IDC_CSV_SAVE);
    script.Tap(IDD_PROC, IDOK);
    AnswerPopup(script, L"CSV保存", L"[D:\\data\\a.csv]CSV変換処理に失敗しました。", kYes);
    Close(script);
    Run(script);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(receiver.Count(DLGREQ_CONVERT_FILE_CSV), 1u);
}

}  // namespace
}  // namespace files_test
