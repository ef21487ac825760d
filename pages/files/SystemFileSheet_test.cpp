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

namespace files_test {
namespace {

// Sets a file's last-write time (seconds since 1970, UTC).
void SetWriteTime(const std::string& posix, time_t seconds)
{
    struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, posix.c_str(), times, 0), 0);
}

class FileSheetListingTest : public FilePageTest {};

TEST_F(FileSheetListingTest, RootHasNoParentRowAndFoldersComeFirst)
{
    for (const wchar_t* file : {L"D:\\data\\x.txt", L"D:\\data\\a.txt"})
        root.WriteFile(file, "12345");
    for (const wchar_t* folder : {L"D:\\data\\sub", L"D:\\data\\zz"})
        std::filesystem::create_directories(root.PosixOf(folder));
    script.Do(IDD_SYSTEM, "the root", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_FOLDER), L"D:\\");
        EXPECT_EQ(Column(window), Names{L"data"});
        EXPECT_EQ(Column(window, 1), Names{L"<DIR>"});
        HWND list = FindControl(window, IDC_LIST);
        EXPECT_EQ(win::DescribeControl(list).columns, (Names{L"ファイル名", L"サイズ", L"日時"}));
        const auto styles = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
        EXPECT_EQ(styles & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        RECT client{};
        GetClientRect(list, &client);
        auto width = [list](int column) { return SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0); };
        EXPECT_EQ((std::vector<LRESULT>{width(0), width(1), width(2)}),
                  (std::vector<LRESULT>{120, 140, client.right - client.left - 276}));
    });
    script.TapPart(IDD_SYSTEM, IDC_LIST, "row", 0, 0, true);
    script.Do(IDD_SYSTEM, "inside data", [&](HWND window) {
        EXPECT_EQ(ControlText(window, IDC_FOLDER), L"D:\\data\\");
        EXPECT_EQ(Column(window), (Names{L"..", L"sub", L"zz", L"a.txt", L"x.txt"})) << "each group in name order";
        EXPECT_EQ(Column(window, 1), (Names{L"<DIR>", L"<DIR>", L"<DIR>", L"5", L"5"}));
        EXPECT_STREQ(host.currentFolder, "D:\\data");
    });
    EXPECT_EQ(Finish(), 1);
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
    ASSERT_EQ(_chdir("D:\\t"), 0);
    script.Do(IDD_SYSTEM, "read the list", [&](HWND window) {
        Names expected = extendedAttributes ? Names{L"..", L"plain"} : Names{L"..", L"archive", L"plain", L"system"};
        expected.insert(expected.end(), {L"a.txt", L"ro.txt", L"sys.txt"});
        EXPECT_EQ(Column(window), expected);
    });
    Finish();
    SetFileAttributesW(L"D:\\t\\readonly", FILE_ATTRIBUTE_DIRECTORY);  // lets the root be removed
}

TEST_F(FileSheetListingTest, ColumnTapsSortByTextSizeAndDateAlternatingTheDirection)
{
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = -540;  // nine hours ahead of UTC, no daylight saving
    win::Clock::SetTimeZone(zone);
    const std::wstring longA = L"recording-2024-05-14-a.fsd";
    const std::wstring longB = L"recording-2024-05-14-b.fsd";
    // Name, size and the day of its last write, in order of that day.
    const std::vector<std::tuple<std::wstring, unsigned long long, int>> files = {
        {L"huge.fsd", 5000000000ull, 1}, {L"Zeta.txt", 1, 2},      {L"ra", 8, 4},        {L"c.txt", 2, 5},
        {L"長い.txt", 4, 6},             {L"empty.txt", 0, 7},     {L"large.fsd", 3000000000ull, 8},
        {L"b.txt", 10, 9},               {L"rb", 7, 10},           {L"a.txt", 300, 0}};
    for (const auto& [name, size, day] : files) {
        const std::wstring spelled = name == L"ra" ? longA : name == L"rb" ? longB : name;
        const std::string posix = root.WriteFile(L"D:\\o\\" + spelled, "");
        std::filesystem::resize_file(posix, size);  // sparse: no disk space needed
        SetWriteTime(posix, day == 0 ? 1715675400 : 1672531200 + day * 86400);  // a.txt: 2024-05-14 08:30 UTC
    }
    std::filesystem::create_directories(root.PosixOf(L"D:\\o\\dir"));
    SetWriteTime(root.PosixOf(L"D:\\o\\dir"), 1672531200 + 3 * 86400);
    ASSERT_EQ(_chdir("D:\\o"), 0);
    const Names byName = {L"..", L"Zeta.txt", L"a.txt", L"b.txt", L"c.txt", L"dir", L"empty.txt",
                          L"huge.fsd", L"large.fsd", longA, longB, L"長い.txt"};
    const struct {
        int column;
        int shown;  // the column compared
        Names texts;
    } taps[] = {
        {0, 0, byName},
        {1, 1, {L"5000000000", L"3000000000", L"300", L"10", L"8", L"7", L"4", L"2", L"1", L"<DIR>", L"<DIR>", L"0"}},
        {1, 1, {L"<DIR>", L"<DIR>", L"0", L"1", L"2", L"4", L"7", L"8", L"10", L"300", L"3000000000", L"5000000000"}},
        {2, 0, {L"..", L"a.txt", longB, L"b.txt", L"large.fsd", L"empty.txt", L"長い.txt", L"c.txt", longA, L"dir",
                L"Zeta.txt", L"huge.fsd"}},
        {0, 0, byName},
    };
    script.Do(IDD_SYSTEM, "sizes and dates as listed", [&](HWND window) {
        EXPECT_EQ(Column(window, 1)[RowOf(window, L"huge.fsd")], L"5000000000") << "not cut to 32 bits";
        EXPECT_EQ(Column(window, 2)[RowOf(window, L"a.txt")], L"2024/05/14 17:30:00") << "local time";
    });
    for (const auto& tap : taps) {
        script.TapPart(IDD_SYSTEM, IDC_LIST, "column", tap.column);
        script.Do(IDD_SYSTEM, "sorted", [&](HWND window) { EXPECT_EQ(Column(window, tap.shown), tap.texts); });
    }
    Finish();
    win::Clock::UseProcessTimeZone();
}

TEST(FileSheetStartTest, StartFolderFollowsTheThreeTestsOfTheCurrentDirectory)
{
    testing_support::TempDataRoot root;
    std::filesystem::create_directories(root.Path() + "/UNC/host/share");
    std::filesystem::create_directories(root.PosixOf(L"C:\\work"));
    std::filesystem::create_directories(root.PosixOf(L"E:\\data"));
    ASSERT_EQ(_chdir("\\\\host\\share"), 0);
    EXPECT_EQ(CSystemFileSheet(nullptr).GetCurrentFolder(), L"D:\\");
    char cwd[MAX_PATH] = {};
    ASSERT_NE(_getcwd(cwd, MAX_PATH), nullptr);
    EXPECT_STREQ(cwd, "D:\\") << "D:\\ became the process's current directory";
    const std::pair<const char*, const wchar_t*> kept[] = {
        {"C:\\work", L"C:\\work\\"}, {"E:\\data", L"E:\\data\\"}, {"E:\\", L"E:\\"}};
    for (const auto& [directory, folder] : kept) {
        ASSERT_EQ(_chdir(directory), 0);
        EXPECT_EQ(CSystemFileSheet(nullptr).GetCurrentFolder(), folder);
    }
    // 94 characters but 274 bytes of UTF-8: kept, and the process stays there.
    const std::wstring deep = L"E:\\" + std::wstring(45, L'長') + L"\\" + std::wstring(45, L'長');
    std::filesystem::create_directories(root.PosixOf(deep));
    ASSERT_EQ(_wchdir(deep.c_str()), 0);
    EXPECT_EQ(CSystemFileSheet(nullptr).GetCurrentFolder(), deep + L"\\");
    wchar_t cwd2[MAX_PATH] = {};
    ASSERT_NE(_wgetcwd(cwd2, MAX_PATH), nullptr);
    EXPECT_EQ(std::wstring(cwd2), deep);
}

TEST_F(FileSheetListingTest, DoubleTapsGoUpOrIntoFoldersAndTheHostBufferTakesOnlyWholePaths)
{
    // D:\<45 kanji>\<45 kanji> is 94 characters but 274 bytes of UTF-8: it
    // can be listed, but its narrow path does not fit the host's 260 bytes.
    const std::wstring name(45, L'長');
    const std::wstring outer = L"D:\\" + name;
    std::filesystem::create_directories(root.PosixOf(outer + L"\\" + name));
    StartIn("D:\\a", {L"f.txt"});
    std::memset(host.currentFolder, 'x', sizeof host.currentFolder);
    std::strcpy(host.currentFolder, "unchanged");
    auto shows = [&](const std::wstring& folder, const Names& rows, const std::string& buffer) {
        script.Do(IDD_SYSTEM, "a folder shown", [=, this](HWND window) {
            EXPECT_EQ(ControlText(window, IDC_FOLDER), folder);
            EXPECT_EQ(Column(window), rows);
            EXPECT_EQ(host.currentFolder, buffer);
            EXPECT_EQ(host.currentFolder[sizeof host.currentFolder - 1], 'x') << "nothing written past the text";
        });
    };
    script.TapPart(IDD_SYSTEM, IDC_LIST, "row", 1, 0, true);  // a file: nothing happens
    shows(L"D:\\a\\", {L"..", L"f.txt"}, "unchanged");
    // A folder gone since it was listed: the page stays and lists again.
    script.Do(IDD_SYSTEM, "a folder appears", [&](HWND) { std::filesystem::create_directories(root.PosixOf(L"D:\\a\\gone")); });
    script.Tap(IDD_SYSTEM, IDC_MEMORY_LIST).Tap(IDD_SYSTEM, IDC_MEMORY_LIST);
    script.Do(IDD_SYSTEM, "and goes", [&](HWND) { std::filesystem::remove(root.PosixOf(L"D:\\a\\gone")); });
    script.TapPart(IDD_SYSTEM, IDC_LIST, "row", 1, 0, true);
    shows(L"D:\\a\\", {L"..", L"f.txt"}, "unchanged");
    script.TapPart(IDD_SYSTEM, IDC_LIST, "row", 0, 0, true);
    shows(L"D:\\", {L"a", name}, "D:\\");
    script.TapPart(IDD_SYSTEM, IDC_LIST, "row", 1, 0, true);
    shows(outer + L"\\", {L"..", name}, win::WideToUtf8(outer));
    script.TapPart(IDD_SYSTEM, IDC_LIST, "row", 1, 0, true);
    shows(outer + L"\\" + name + L"\\", {L".."}, win::WideToUtf8(outer));  // kept, not cut into another name
    Finish();
    char cwd[MAX_PATH * 2] = {};
    ASSERT_NE(_getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(win::Utf8ToWide(cwd), outer + L"\\" + name) << "the process's directory followed all the same";
}

TEST_F(FileSheetListingTest, TapsAddAndRemoveRowsAsCtrlTapsAndSelectAllClearAll)
{
    StartIn("D:\\s", {L"a.txt", L"b.txt", L"c.txt"});
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
    Finish();
}

TEST_F(FileSheetListingTest, MemoryModeListsEnabledBlocksWithTheirYearsSortsThemAndSwapsTheButtons)
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
    const int fileButtons[] = {IDC_NEW_FOLDER, IDC_COPY, IDC_DELETE, IDC_LOAD, IDC_TEXT_SAVE, IDC_ENV_SAVE,
                               IDC_MATLAB, IDC_FAMOS, IDC_DIADEM};
    auto checkMode = [&](HWND window, bool memory) {
        for (int id : fileButtons)
            EXPECT_EQ(Enabled(window, id), !memory) << id;
        EXPECT_EQ(Enabled(window, IDC_MEMORY_SAVE), memory);
        EXPECT_TRUE(Enabled(window, IDC_CSV_SAVE));
        EXPECT_EQ(SendMessageW(FindControl(window, IDC_MEMORY_LIST), BM_GETCHECK, 0, 0), memory ? BST_CHECKED : BST_UNCHECKED);
    };
    script.Do(IDD_SYSTEM, "file mode", [&](HWND window) { checkMode(window, false); });
    script.Tap(IDD_SYSTEM, IDC_MEMORY_LIST);
    script.Do(IDD_SYSTEM, "memory mode", [&](HWND window) {
        EXPECT_EQ(HeaderText(window, 0), L"ﾒﾓﾘﾌﾞﾛｯｸ番号");
        EXPECT_EQ(Column(window), (Names{L"#001", L"#003"})) << "the disabled block leaves a gap";
        EXPECT_EQ(Column(window, 1), (Names{L"1234", L"1234"}));
        EXPECT_EQ(Column(window, 2), (Names{L"2079/12/31 23:58:59", L"2005/03/04 05:06:07"}));
        checkMode(window, true);
    });
    // Blocks sort by their start times too, each tap reversing the direction.
    for (const Names& order : {Names{L"#003", L"#001"}, Names{L"#001", L"#003"}}) {
        script.TapPart(IDD_SYSTEM, IDC_LIST, "column", 2);
        script.Do(IDD_SYSTEM, "sorted by start", [order](HWND window) { EXPECT_EQ(Column(window), order); });
    }
    script.Tap(IDD_SYSTEM, IDC_MEMORY_LIST);
    script.Do(IDD_SYSTEM, "file mode again", [&](HWND window) {
        EXPECT_EQ(HeaderText(window, 0), L"ファイル名");
        EXPECT_EQ(RowOf(window, L"#001"), -1);
        checkMode(window, false);
    });
    Finish();
}

TEST_F(FileSheetListingTest, ExportButtonsExistOnlyWithTheExportLibrary)
{
    CurrentProfileScope profile([](InstrumentProfile& instrument) { instrument.exportLibrary = false; });
    auto noExports = [](HWND window) {
        EXPECT_EQ((std::vector<bool>{Visible(window, IDC_MATLAB), Visible(window, IDC_FAMOS),
                                     Visible(window, IDC_DIADEM), Visible(window, IDC_CSV_SAVE)}),
                  (std::vector<bool>{false, false, false, true}));
    };
    script.Do(IDD_SYSTEM, "file mode", noExports);
    script.Tap(IDD_SYSTEM, IDC_MEMORY_LIST);
    script.Do(IDD_SYSTEM, "memory mode", noExports);
    Finish();
}

}  // namespace
}  // namespace files_test
