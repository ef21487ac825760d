// The page's actions that go through the host's folder chooser: copy,
// exports, the page's own browse button and the folder mode of the folder
// and name dialog.
#include "pages/files/FilesTestSupport.h"

#include "host/IMRRec.h"

#include <filesystem>

namespace files_test {
namespace {

class ChooserActionsTest : public FilePageTest {
protected:
    void SetUp() override
    {
        FilePageTest::SetUp();
        root.WriteFile(L"D:\\data\\sub\\x.txt", "x");
        std::filesystem::create_directories(root.PosixOf(L"D:\\dst"));
        StartIn("D:\\data", {L"a.fsd"});
    }
};

TEST_F(ChooserActionsTest, CopyTakesFilesAndFoldersWithTheirContentsToTheChosenFolder)
{
    root.WriteFile(L"D:\\data\\b.fsd", "b");
    Select(script, {L"a.fsd", L"b.fsd"});
    script.Tap(IDD_SYSTEM, IDC_COPY);
    script.Do(IDD_PROC, "the copy dialog asks for a folder", [&](HWND window) {
        EXPECT_EQ(GetWindowTextString(window) + L" " + ControlText(window, IDC_PROC_LABEL), L"コピー コピー先");
        EXPECT_EQ(ControlText(window, IDC_PROC_VALUE), L"D:\\data\\");
    });
    script.Tap(IDD_PROC, IDC_PROC_BROWSE);
    script.Tap(IDD_BROWSE, IDCANCEL);
    ExpectText(script, IDD_PROC, IDC_PROC_VALUE, L"D:\\data\\");  // a cancelled choice keeps the value
    script.Tap(IDD_PROC, IDOK);  // onto themselves: the shell's error box for each, and on
    AnswerMessageBox(script, L"File Operation", L"Error");
    AnswerMessageBox(script, L"File Operation", L"Error");
    Select(script, {L"..", L"a.fsd", L"sub"});
    script.Tap(IDD_SYSTEM, IDC_COPY);
    script.Tap(IDD_PROC, IDC_PROC_BROWSE);
    ChooseFolder(script, {L".."}, L"dst");
    ExpectText(script, IDD_PROC, IDC_PROC_VALUE, L"D:\\dst\\");  // the chosen folder, with a backslash
    script.Tap(IDD_PROC, IDOK);
    script.Tap(IDD_SYSTEM, IDC_COPY);
    ExpectText(script, IDD_PROC, IDC_PROC_VALUE, L"D:\\dst\\");  // the last destination is offered
    script.Tap(IDD_PROC, IDCANCEL);
    Finish();
    EXPECT_EQ(root.ReadFile(L"D:\\data\\b.fsd"), "b");
    EXPECT_EQ(root.ReadFile(L"D:\\dst\\a.fsd"), "a.fsd");
    EXPECT_EQ(root.ReadFile(L"D:\\dst\\sub\\x.txt"), "x");
    EXPECT_TRUE(root.Exists(L"D:\\data\\a.fsd")) << "a copy, not a move";
    Names copied;
    for (const auto& entry : std::filesystem::directory_iterator(root.PosixOf(L"D:\\dst")))
        copied.push_back(entry.path().filename().wstring());
    std::sort(copied.begin(), copied.end());
    EXPECT_EQ(copied, (Names{L"a.fsd", L"sub"})) << "the parent row is skipped";
    EXPECT_EQ(IMRRec::GetReportedCodes(), (std::vector<UINT>{256, 256})) << "only after a copy ran";
}

TEST_F(ChooserActionsTest, ExportsSendOneRequestPerDataFileToTheChosenFolder)
{
    Select(script, {L"..", L"a.fsd", L"sub"});
    script.Tap(IDD_SYSTEM, IDC_MATLAB);
    script.Do(IDD_BROWSE, "the export prompt, starting at the drives", [&](HWND chooser) {
        EXPECT_TRUE(testing_support::ShowsText(chooser, L"保存先を選択して下さい。"));
        EXPECT_EQ(ListColumn(chooser, kChooserList), (Names{L"C:\\", L"D:\\", L"E:\\"}));
    });
    ChooseFolder(script, {}, L"E:\\");
    script.Do(IDD_SYSTEM, "refreshed", [&](HWND window) { EXPECT_TRUE(SelectedNames(window).empty()); });
    Select(script, {L"a.fsd"});
    script.Tap(IDD_SYSTEM, IDC_DIADEM);
    ChooseFolder(script, {L"D:\\"}, L"dst");
    script.Tap(IDD_SYSTEM, IDC_FAMOS);
    script.Tap(IDD_BROWSE, IDCANCEL);
    Finish();
    ASSERT_EQ(receiver.Count(DLGREQ_EXPORT_FILE), 2u);
    const auto& first = receiver.Requests()[0];
    EXPECT_EQ(first.kind, DLGREQ_EXPORT_FILE);
    EXPECT_EQ(first.received.Word(12), 0u);
    EXPECT_EQ(first.Field(L"folder"), L"E:\\");
    EXPECT_EQ(first.Field(L"source"), L"D:\\data\\a.fsd");
    EXPECT_EQ(first.received.Word(24), 2u);
    EXPECT_EQ(first.received.Byte(28), 1);
    const auto& second = receiver.Last(DLGREQ_EXPORT_FILE);
    EXPECT_EQ(second.Field(L"folder"), L"D:\\dst\\");
    EXPECT_EQ(second.received.Word(24), 4u);
}

TEST_F(ChooserActionsTest, BrowseChangesTheFolderAndTheHostBufferButNotTheMemoryList)
{
    script.Tap(IDD_SYSTEM, IDC_BROWSE);
    script.Do(IDD_BROWSE, "starts in the page's folder", [&](HWND chooser) {
        EXPECT_TRUE(testing_support::ShowsText(chooser, L"ﾃﾞｰﾀﾌｧｲﾙのあるﾌｫﾙﾀﾞを選択して下さい。"));
        EXPECT_EQ(ListColumn(chooser, kChooserList), (Names{L"..", L"sub"}));
    });
    ChooseFolder(script, {L".."}, L"dst");
    script.Do(IDD_SYSTEM, "in dst", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_FOLDER), L"D:\\dst\\");
        EXPECT_STREQ(host.currentFolder, "D:\\dst");
        EXPECT_EQ(Column(window), Names{L".."});
    });
    script.Tap(IDD_SYSTEM, IDC_MEMORY_LIST);
    script.Tap(IDD_SYSTEM, IDC_BROWSE);
    ChooseFolder(script, {L".."}, L"data");
    script.Do(IDD_SYSTEM, "memory list kept", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_FOLDER), L"D:\\data\\");
        EXPECT_EQ(HeaderText(window, 0), L"ﾒﾓﾘﾌﾞﾛｯｸ番号");
    });
    script.Tap(IDD_SYSTEM, IDC_MEMORY_LIST);
    script.Do(IDD_SYSTEM, "the new folder once back in file mode", [&](HWND window) {
        EXPECT_EQ(Column(window), (Names{L"..", L"sub", L"a.fsd"}));
    });
    Finish();
}

}  // namespace
}  // namespace files_test
