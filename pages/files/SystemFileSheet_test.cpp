// The file page's listings, navigation, selection and sorting, operated by
// taps inside the system dialog on a temporary data root.
#include "pages/files/FilesTestSupport.h"

#include "host/CurrentProfileScope_test.h"
#include "win/FileApi.h"
#include "win/TextConvert.h"
#include "win/TimeApi.h"

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace files_test {
namespace {

using Names = std::vector<std::wstring>;

void ChangeDirectory(const char* folder) { ASSERT_EQ(_chdir(folder), 0) << folder; }

// Sets a file's last-write time (seconds since 1970, UTC).
void SetWriteTime(const std::string& posix, time_t seconds)
{
    struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, posix.c_str(), times, 0), 0);
}

class FileSheetListingTest : public FilePageTest {};

TEST_F(FileSheetListingTest, DriveRootListsNoParentRowButASubfolderDoes)
{
    root.WriteFile(L"D:\\data\\x.txt", "12345");
    std::filesystem::create_directories(root.PosixOf(L"D:\\data\\sub"));
    ChangeDirectory("D:\\");
    ScriptedOperator script;
    OpenFileTab(script);
    script.Do(IDD_SYSTEM, "the root", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_FOLDER), L"D:\\");
        EXPECT_EQ(Column(window), Names{L"data"});
        EXPECT_EQ(Column(window, 1), Names{L"<DIR>"});
        EXPECT_EQ(HeaderText(window, 0), L"ファイル名");
        EXPECT_EQ(HeaderText(window, 1), L"サイズ");
        EXPECT_EQ(HeaderText(window, 2), L"日時");
        EXPECT_EQ(ControlText(window, 17162), L"カレントフォルダ");
        EXPECT_EQ(ControlText(window, IDC_BROWSE), L"参照...");
        EXPECT_EQ(ControlText(window, IDC_MEMORY_LIST), L"メモリ一覧");
        EXPECT_EQ(ControlText(window, IDC_CSV_SAVE), L"CSV保存");
        HWND list = FindControl(window, IDC_LIST);
        const auto styles = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
        EXPECT_EQ(styles & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        RECT client{};
        GetClientRect(list, &client);
        EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 120);
        EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 140);
        EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 2, 0), client.right - client.left - 276);
    });
    script.TapPart(IDD_SYSTEM, IDC_LIST, "row", 0, 0, true);
    script.Do(IDD_SYSTEM, "inside data", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_FOLDER), L"D:\\data\\");
        EXPECT_EQ(Column(window), (Names{L"..", L"sub", L"x.txt"}));
        EXPECT_EQ(Column(window, 1), (Names{L"<DIR>", L"<DIR>", L"5"}));
        EXPECT_STREQ(host.currentFolder, "D:\\data");
    });
    Close(script);
    EXPECT_EQ(Run(script), 1);
    EXPECT_TRUE(script.Finished());
}

TEST_F(FileSheetListingTest, FoldersWithExtraAttributesAndHiddenFilesAreLeftOut)
{
    for (const wchar_t* folder : {L"D:\\t\\plain", L"D:\\t\\readonly", L"D:\\t\\.hidden", L"D:\\t\\system",
                                  L"D:\\t\\archive"})
        std::filesystem::create_directories(root.PosixOf(folder));
    for (const wchar_t* file : {L"D:\\t\\a.txt", L"D:\\t\\.secret.txt", L"D:\\t\\ro.txt", L"D:\\t\\sys.txt"})
        root.WriteFile(file, "x");
    ASSERT_TRUE(SetFileAttributesW(L"D:\\t\\ro.txt", FILE_ATTRIBUTE_READONLY));
    SetFileAttributesW(L"D:\\t\\sys.txt", FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(SetFileAttributesW(L"D:\\t\\readonly", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
    SetFileAttributesW(L"D:\\t\\system", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesW(L"D:\\t\\archive", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE);
    // Extended attributes carry SYSTEM and ARCHIVE; a file system without them drops both.
    const bool extendedAttributes = (GetFileAttributesW(L"D:\\t\\system") & FILE_ATTRIBUTE_SYSTEM) != 0;
    ChangeDirectory("D:\\t");

    ScriptedOperator script;
    OpenFileTab(script);
    script.Do(IDD_SYSTEM, "read the list", [&](HWND window) {
        Names expected = {L"..", L"plain"};
        if (!extendedAttributes)
            expected = {L"..", L"archive", L"plain", L"system"};
        expected.insert(expected.end(), {L"a.txt", L"ro.txt", L"sys.txt"});
        EXPECT_EQ(Column(window), expected);
    });
    Close(script);
    Run(script);
    SetFileAttributesW(L"D:\\t\\readonly", FILE_ATTRIBUTE_DIRECTORY);  // lets the root be removed
}

TEST_F(FileSheetListingTest, SizesBeyondThirtyTwoBitsAreShownWhole)
{
    std::string big = root.WriteFile(L"D:\\big\\huge.fsd", "");
    std::filesystem::resize_file(big, 5000000000ull);  // sparse: no disk space needed
    std::filesystem::resize_file(root.WriteFile(L"D:\\big\\large.fsd", ""), 3000000000ull);
    ChangeDirectory("D:\\big");
    ScriptedOperator script;
    OpenFileTab(script);
    script.Do(IDD_SYSTEM, "read the size", [&](HWND window) {
        EXPECT_EQ(Column(window, 1), (Names{L"<DIR>", L"5000000000", L"3000000000"}));
    });
    // Sizes sort by their whole value, not cut to 32 bits.
    script.TapPart(IDD_SYSTEM, IDC_LIST, "column", 1);
    script.Do(IDD_SYSTEM, "ascending sizes", [&](HWND window) {
        EXPECT_EQ(Column(window, 1), (Names{L"<DIR>", L"3000000000", L"5000000000"}));
    });
    Close(script);
    Run(script);
}

TEST_F(FileSheetListingTest, DatesAreLocalTimeInTheCommonFormat)
{
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = -540;  // nine hours ahead of UTC, no daylight saving
    win::Clock::SetTimeZone(zone);
    SetWriteTime(root.WriteFile(L"D:\\d\\a.txt", "x"), 1715675400);  // 2024-05-14 08:30:00 UTC
    ChangeDirectory("D:\\d");
    ScriptedOperator script;
    OpenFileTab(script);
    script.Do(IDD_SYSTEM, "read the date", [&](HWND window) {
        EXPECT_EQ(Column(window, 2).back(), L"2024/05/14 17:30:00");
    });
    Close(script);
    Run(script);
    win::Clock::UseProcessTimeZone();
}

TEST(FileSheetStartTest, StartFolderFollowsTheThreeTestsOfTheCurrentDirectory)
{
    testing_support::TempDataRoot root;
    std::filesystem::create_directories(root.Path() + "/UNC/host/share");
    std::filesystem::create_directories(root.PosixOf(L"C:\\work"));
    std::filesystem::create_directories(root.PosixOf(L"E:\\data"));

    ASSERT_EQ(_chdir("\\\\host\\share"), 0);
    {
        CSystemFileSheet page(nullptr);
        EXPECT_EQ(page.GetCurrentFolder(), L"D:\\");
        char cwd[MAX_PATH] = {};
        ASSERT_NE(_getcwd(cwd, MAX_PATH), nullptr);
        EXPECT_STREQ(cwd, "D:\\") << "D:\\ became the process's current directory";
    }
    ASSERT_EQ(_chdir("C:\\work"), 0);
    EXPECT_EQ(CSystemFileSheet(nullptr).GetCurrentFolder(), L"C:\\work\\");
    ASSERT_EQ(_chdir("E:\\data"), 0);
    EXPECT_EQ(CSystemFileSheet(nullptr).GetCurrentFolder(), L"E:\\data\\");
    ASSERT_EQ(_chdir("E:\\"), 0);
    EXPECT_EQ(CSystemFileSheet(nullptr).GetCurrentFolder(), L"E:\\") << "no second backslash";
}

TEST_F(FileSheetListingTest, DoubleTapOnParentGoesUpAndOnAFileDoesNothing)
{
    root.WriteFile(L"D:\\a\\b\\f.txt", "x");
    ChangeDirectory("D:\\a\\b");
    std::strcpy(host.currentFolder, "unchanged");
    ScriptedOperator script;
    OpenFileTab(script);
    script.Do(IDD_SYSTEM, "double-tap the file", [&](HWND window) {
        EXPECT_EQ(Column(window), (Names{L"..", L"f.txt"}));
        win::TapPart(FindControl(window, IDC_LIST), "row", 1, 0, true);
    });
    script.Do(IDD_SYSTEM, "nothing changed", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_FOLDER), L"D:\\a\\b\\");
        EXPECT_STREQ(host.currentFolder, "unchanged");
        win::TapPart(FindControl(window, IDC_LIST), "row", 0, 0, true);
    });
    script.Do(IDD_SYSTEM, "one folder up", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_FOLDER), L"D:\\a\\");
        EXPECT_EQ(Column(window), (Names{L"..", L"b"}));
        EXPECT_STREQ(host.currentFolder, "D:\\a");
        char cwd[MAX_PATH] = {};
        _getcwd(cwd, MAX_PATH);
        EXPECT_STREQ(cwd, "D:\\a");
    });
    Close(script);
    Run(script);
}

TEST_F(FileSheetListingTest, FolderBufferNeverTakesAPathLongerThanItsBytes)
{
    // Two folders of 45 kanji: D:\<45>\<45> is 94 characters but 274 bytes
    // of UTF-8, so it can be listed but its narrow path does not fit the
    // host's 260-byte buffer.
    const std::wstring name(45, L'長');
    const std::wstring outer = L"D:\\" + name;
    std::filesystem::create_directories(root.PosixOf(outer + L"\\" + name));
    ChangeDirectory("D:\\");
    std::memset(host.currentFolder, 'x', sizeof host.currentFolder);
    std::strcpy(host.currentFolder, "D:\\");
    const std::string outerNarrow = win::WideToUtf8(outer);
    ScriptedOperator script;
    OpenFileTab(script);
    script.TapPart(IDD_SYSTEM, IDC_LIST, "row", 0, 0, true);
    script.Do(IDD_SYSTEM, "inside the outer folder", [&](HWND window) {
        EXPECT_EQ(host.currentFolder, outerNarrow) << "this one fits";
        EXPECT_EQ(Column(window), (Names{L"..", name}));
    });
    script.TapPart(IDD_SYSTEM, IDC_LIST, "row", 1, 0, true);
    script.Do(IDD_SYSTEM, "inside the inner folder", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_FOLDER), outer + L"\\" + name + L"\\");
        EXPECT_EQ(Column(window), Names{L".."}) << "listed all the same";
        EXPECT_EQ(host.currentFolder, outerNarrow) << "kept, not cut into another folder's name";
        EXPECT_EQ(host.currentFolder[sizeof host.currentFolder - 1], 'x') << "nothing written past the text";
    });
    Close(script);
    Run(script);
    EXPECT_TRUE(script.Finished());
}

TEST_F(FileSheetListingTest, TapsAddAndRemoveRowsAsCtrlTapsAndSelectAllClearAll)
{
    for (const wchar_t* file : {L"D:\\s\\a.txt", L"D:\\s\\b.txt", L"D:\\s\\c.txt"})
        root.WriteFile(file, "x");
    ChangeDirectory("D:\\s");
    ScriptedOperator script;
    OpenFileTab(script);
    Select(script, {L"a.txt", L"c.txt"});
    script.Do(IDD_SYSTEM, "both taps kept", [&](HWND window) {
        EXPECT_EQ(SelectedNames(window), (Names{L"a.txt", L"c.txt"}));
    });
    Select(script, {L"a.txt"});
    script.Do(IDD_SYSTEM, "the second tap removed it", [&](HWND window) {
        EXPECT_EQ(SelectedNames(window), Names{L"c.txt"});
    });
    script.Tap(IDD_SYSTEM, IDC_SELECT_ALL);
    script.Do(IDD_SYSTEM, "all", [&](HWND window) {
        EXPECT_EQ(SelectedNames(window), (Names{L"..", L"a.txt", L"b.txt", L"c.txt"}));
        EXPECT_EQ(GetFocus(), FindControl(window, IDC_LIST));
    });
    script.Tap(IDD_SYSTEM, IDC_CLEAR_ALL);
    script.Do(IDD_SYSTEM, "none", [&](HWND window) { EXPECT_TRUE(SelectedNames(window).empty()); });
    Close(script);
    Run(script);
}

TEST_F(FileSheetListingTest, ColumnSortsAlternateAcrossColumnsAndDirSortsAsZero)
{
    root.WriteFile(L"D:\\o\\b.txt", std::string(10, 'x'));
    root.WriteFile(L"D:\\o\\a.txt", std::string(300, 'x'));
    root.WriteFile(L"D:\\o\\c.txt", std::string(2, 'x'));
    root.WriteFile(L"D:\\o\\empty.txt", "");
    std::filesystem::create_directories(root.PosixOf(L"D:\\o\\dir"));
    ChangeDirectory("D:\\o");
    ScriptedOperator script;
    OpenFileTab(script);
    script.TapPart(IDD_SYSTEM, IDC_LIST, "column", 0);
    script.Do(IDD_SYSTEM, "names ascending", [&](HWND window) {
        EXPECT_EQ(Column(window), (Names{L"..", L"a.txt", L"b.txt", L"c.txt", L"dir", L"empty.txt"}));
    });
    script.TapPart(IDD_SYSTEM, IDC_LIST, "column", 1);
    script.Do(IDD_SYSTEM, "sizes descending", [&](HWND window) {
        Names sizes = Column(window, 1);
        EXPECT_EQ(Names(sizes.begin(), sizes.begin() + 3), (Names{L"300", L"10", L"2"}));
        Names zeros(sizes.begin() + 3, sizes.end());
        std::sort(zeros.begin(), zeros.end());
        EXPECT_EQ(zeros, (Names{L"0", L"<DIR>", L"<DIR>"})) << "folders sort with the empty file";
    });
    script.TapPart(IDD_SYSTEM, IDC_LIST, "column", 1);
    script.Do(IDD_SYSTEM, "sizes ascending", [&](HWND window) {
        Names sizes = Column(window, 1);
        EXPECT_EQ(Names(sizes.begin() + 3, sizes.end()), (Names{L"2", L"10", L"300"}));
    });
    script.TapPart(IDD_SYSTEM, IDC_LIST, "column", 0);
    script.Do(IDD_SYSTEM, "names descending", [&](HWND window) {
        EXPECT_EQ(Column(window), (Names{L"empty.txt", L"dir", L"c.txt", L"b.txt", L"a.txt", L".."}));
    });
    Close(script);
    Run(script);
}

TEST_F(FileSheetListingTest, MemoryModeListsEnabledBlocksWithTheirYearsAndSwapsTheButtons)
{
    CurrentProfileScope profile([](InstrumentProfile& instrument) {
        instrument.exportLibrary = true;
        instrument.memoryBlocks.assign(3, MemoryBlockProfile{});
        for (MemoryBlockProfile& block : instrument.memoryBlocks) {
            block.sampleCount = 1234;
            block.channels.push_back({0, WaveformChannel::Shape::Sine, 50.0, 1000, 0});
        }
        instrument.memoryBlocks[0].enabled = true;
        instrument.memoryBlocks[0].start = SYSTEMTIME{1979, 12, 1, 31, 23, 58, 59, 0};
        instrument.memoryBlocks[2].enabled = true;
        instrument.memoryBlocks[2].start = SYSTEMTIME{2005, 3, 5, 4, 5, 6, 7, 0};
    });
    ChangeDirectory("D:\\");
    const int fileButtons[] = {IDC_NEW_FOLDER, IDC_COPY, IDC_DELETE, IDC_LOAD, IDC_TEXT_SAVE, IDC_ENV_SAVE,
                               IDC_MATLAB, IDC_FAMOS, IDC_DIADEM};
    ScriptedOperator script;
    OpenFileTab(script);
    script.Do(IDD_SYSTEM, "file mode", [&](HWND window) {
        for (int id : fileButtons)
            EXPECT_TRUE(Enabled(window, id)) << id;
        EXPECT_FALSE(Enabled(window, IDC_MEMORY_SAVE));
        EXPECT_TRUE(Enabled(window, IDC_CSV_SAVE));
    });
    script.Tap(IDD_SYSTEM, IDC_MEMORY_LIST);
    script.Do(IDD_SYSTEM, "memory mode", [&](HWND window) {
        EXPECT_EQ(HeaderText(window, 0), L"ﾒﾓﾘﾌﾞﾛｯｸ番号");
        EXPECT_EQ(Column(window), (Names{L"#001", L"#003"})) << "the disabled block leaves a gap";
        EXPECT_EQ(Column(window, 1), (Names{L"1234", L"1234"}));
        EXPECT_EQ(Column(window, 2), (Names{L"2079/12/31 23:58:59", L"2005/03/04 05:06:07"}));
        for (int id : fileButtons)
            EXPECT_FALSE(Enabled(window, id)) << id;
        EXPECT_TRUE(Enabled(window, IDC_MEMORY_SAVE));
        EXPECT_TRUE(Enabled(window, IDC_CSV_SAVE));
        EXPECT_EQ(SendMessageW(FindControl(window, IDC_MEMORY_LIST), BM_GETCHECK, 0, 0), BST_CHECKED);
    });
    script.Tap(IDD_SYSTEM, IDC_MEMORY_LIST);
    script.Do(IDD_SYSTEM, "file mode again", [&](HWND window) {
        EXPECT_EQ(HeaderText(window, 0), L"ファイル名");
        EXPECT_EQ(RowOf(window, L"#001"), -1);
        EXPECT_TRUE(Enabled(window, IDC_COPY));
        EXPECT_FALSE(Enabled(window, IDC_MEMORY_SAVE));
        EXPECT_EQ(SendMessageW(FindControl(window, IDC_MEMORY_LIST), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    });
    Close(script);
    Run(script);
}

TEST_F(FileSheetListingTest, ExportButtonsExistOnlyWithTheExportLibrary)
{
    CurrentProfileScope profile([](InstrumentProfile& instrument) { instrument.exportLibrary = false; });
    ChangeDirectory("D:\\");
    ScriptedOperator script;
    OpenFileTab(script);
    for (int round = 0; round < 2; ++round) {
        script.Do(IDD_SYSTEM, "no export buttons", [&](HWND window) {
            for (int id : {IDC_MATLAB, IDC_FAMOS, IDC_DIADEM})
                EXPECT_FALSE(Visible(window, id)) << id;
            EXPECT_TRUE(Visible(window, IDC_CSV_SAVE));
        });
        script.Tap(IDD_SYSTEM, IDC_MEMORY_LIST);
    }
    Close(script);
    Run(script);
}

TEST_F(FileSheetListingTest, AFolderOfAHundredThousandEntriesLists)
{
    const std::string folder = root.PosixOf(L"D:\\many");
    std::filesystem::create_directories(folder);
    for (int i = 0; i < 100000; ++i) {
        int fd = ::open((folder + "/f" + std::to_string(i) + ".dat").c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    ChangeDirectory("D:\\many");
    ScriptedOperator script;
    OpenFileTab(script);
    script.Do(IDD_SYSTEM, "count the rows", [&](HWND window) {
        EXPECT_EQ(SendMessageW(FindControl(window, IDC_LIST), LVM_GETITEMCOUNT, 0, 0), 100001) << "with ..";
        EXPECT_EQ(Column(window).back(), L"f99999.dat");
    });
    Close(script);
    Run(script);
}

}  // namespace
}  // namespace files_test
