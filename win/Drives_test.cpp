#include "win/Drives.h"

#include "win/Handles.h"
#include "win/TempDataRoot_test.h"
#include "win/TextConvert.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <thread>

namespace {

using win::Drives;
using win::testing::TempDataRoot;

class DrivesTest : public ::testing::Test {
protected:
    TempDataRoot root;
};

TEST_F(DrivesTest, PathsMapIntoTheDriveFoldersOrFail)
{
    for (const char* folder : {"D/work", "D/Data", "UNC", "UNC/server", "UNC/server/Share"})
        root.MakeDir(folder);
    root.WriteFile("D/Data/Report.TXT");
    root.MakeDir("D/ｆｕｌｌ");
    ASSERT_TRUE(Drives::SetCurrentDirectory(L"D:\\work"));
    const struct {
        std::wstring path;
        const char* posix;  // null: the mapping fails with `error`
        DWORD error = 0;
    } cases[] = {
        {L"D:\\a\\b", "D/a/b"},
        {L"d:/a/b/", "D/a/b"},
        {L"D:\\", "D"},
        {L"C:\\x\\.\\y\\..\\z", "C/x/z"},
        {L"D:\\\\a\\\\\\b", "D/a/b"},
        {L"D:\\name. . ", "D/name"},  // trailing dots and blanks are dropped
        {L"D:\\a\\...\\b", "D/a/b"},
        {L"file.csv", "D/work/file.csv"},  // relative: the current directory
        {L"..\\up.csv", "D/up.csv"},
        {L"\\top.csv", "D/top.csv"},          // the root of the current drive
        {L"D:same.csv", "D/work/same.csv"},    // the current directory of D:
        {L"C:other.csv", "C/other.csv"},       // C: is not current: its root
        {L"D:\\DATA\\report.txt", "D/Data/Report.TXT"},  // existing names whatever their case
        {L"D:\\data\\new.txt", "D/Data/new.txt"},
        {L"D:\\ＦＵＬＬ", "D/ｆｕｌｌ"},
        {L"\\\\SERVER\\share\\dir\\f.txt", "UNC/server/Share/dir/f.txt"},
        {L"\\\\?\\UNC\\server\\share\\x", "UNC/server/Share/x"},
        {L"D:\\..", nullptr, ERROR_PATH_NOT_FOUND},  // ".." never leaves the drive
        {L"D:\\a\\..\\..\\C\\x", nullptr, ERROR_PATH_NOT_FOUND},
        {L"..\\..\\..\\etc\\passwd", nullptr, ERROR_PATH_NOT_FOUND},
        {L"\\\\server\\share\\..\\..\\x", nullptr, ERROR_PATH_NOT_FOUND},
        {L"", nullptr, ERROR_PATH_NOT_FOUND},
        {L"E:\\x", nullptr, ERROR_PATH_NOT_FOUND},  // no such drive
        {L"\\\\other\\share\\x", nullptr, ERROR_BAD_NETPATH},
        {L"\\\\server\\none\\x", nullptr, ERROR_BAD_NET_NAME},
        {L"\\\\server", nullptr, ERROR_BAD_PATHNAME},
    };
    for (const auto& test : cases) {
        SetLastError(0);
        const std::optional<std::string> posix = Drives::ToPosix(test.path);
        if (test.posix)
            EXPECT_EQ(posix, root / test.posix) << win::WideToUtf8(test.path);
        else
            EXPECT_EQ(posix ? 0 : GetLastError(), test.error) << win::WideToUtf8(test.path);
    }
    for (const std::wstring& bad : {std::wstring(L"D:\\a\0b", 6), std::wstring(L"D:\\a\x01"), std::wstring(L"\\\\.\\COM1")}) {
        SetLastError(0);
        EXPECT_FALSE(Drives::ToPosix(bad));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME) << win::WideToUtf8(bad);
    }
    for (wchar_t bad : std::wstring(L"<>|\"*?:")) {
        SetLastError(0);
        EXPECT_FALSE(Drives::ToPosix(L"D:\\a" + std::wstring(1, bad) + L"b"));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME) << static_cast<char>(bad);
    }
    root.MakeDir("E");
    EXPECT_EQ(Drives::ToPosix(L"e:\\x"), root / "E/x") << "a drive exists when its folder does";
}

TEST_F(DrivesTest, ResolvedPathIsNormalised)
{
    auto resolved = Drives::Resolve(L"d:/data/../data2/./f.txt");
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->windows, L"D:\\data2\\f.txt");
    EXPECT_EQ(resolved->root, L"D:\\");
    EXPECT_FALSE(resolved->isRoot);
    EXPECT_TRUE(Drives::Resolve(L"D:\\a\\..")->isRoot);
    root.MakeDir("UNC");
    root.MakeDir("UNC/server");
    root.MakeDir("UNC/server/share");
    resolved = Drives::Resolve(L"\\\\server\\share");
    ASSERT_TRUE(resolved);
    EXPECT_TRUE(resolved->isRoot);
    EXPECT_EQ(resolved->windows, L"\\\\server\\share\\");
}

TEST_F(DrivesTest, PathLengthLimitIsMaxPath)
{
    // "D:\" + 256 characters = 259: the longest full path allowed.
    std::wstring longest = L"D:\\" + std::wstring(200, L'a') + L"\\" + std::wstring(55, L'b');
    ASSERT_EQ(longest.size(), 259u);
    EXPECT_TRUE(Drives::ToPosix(longest));
    SetLastError(0);
    EXPECT_FALSE(Drives::ToPosix(longest + L"c"));
    EXPECT_EQ(GetLastError(), ERROR_FILENAME_EXCED_RANGE);
    // A relative path counts with the current directory in front of it.
    ASSERT_TRUE(Drives::SetCurrentDirectory(L"D:\\"));
    EXPECT_TRUE(Drives::ToPosix(longest.substr(3)));
    EXPECT_FALSE(Drives::ToPosix(longest.substr(3) + L"c"));
    // The long-path prefix lifts the limit; a single name is still at most 255.
    EXPECT_TRUE(Drives::ToPosix(L"\\\\?\\" + longest + L"c"));
    EXPECT_FALSE(Drives::ToPosix(L"D:\\" + std::wstring(256, L'n')));
}

// Links are looked up by the kernel beneath the drive's folder: one that
// stays below it works, one that leaves it (to the system, to another drive,
// by an absolute path even into the drive itself, or by "..") does not.
TEST_F(DrivesTest, SymbolicLinksCannotLeadOutOfTheDrive)
{
    root.MakeDir("D/inside");
    root.MakeDir("D/inside/deeper");
    root.MakeDir("C/other");
    const struct {
        const char* target;
        bool followed;
    } links[] = {
        {"inside", true},           {"inside/deeper/..", true}, {"/etc", false},
        {"../C/other", false},      {"../../..", false},               {nullptr, false},
    };
    for (const auto& link : links) {
        const std::string target = link.target ? link.target : root / "D/inside";  // absolute, into the drive
        ::unlink((root / "D/link").c_str());
        ASSERT_EQ(::symlink(target.c_str(), (root / "D/link").c_str()), 0);
        SetLastError(0);
        for (const wchar_t* path : {L"D:\\link", L"D:\\link\\new.txt", L"D:\\LINK\\x\\y"}) {
            EXPECT_EQ(Drives::ToPosix(path).has_value(), link.followed) << target << " " << path;
            if (!link.followed) {
                EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED) << target << " " << path;
            }
        }
        // The link itself stays within reach, for removing it.
        EXPECT_TRUE(Drives::Resolve(L"D:\\link", Drives::FinalLink::Keep)) << target;
        if (link.followed) {
            EXPECT_EQ(Drives::ToPosix(L"d:\\LINK\\Deeper"), root / "D/link/deeper") << "spelled as the drive has it";
        }
    }
}

TEST_F(DrivesTest, FromPosixIsTheReverse)
{
    const struct {
        std::string posix;
        const wchar_t* windows;  // null: not a path of a drive or share
    } cases[] = {
        {root / "D/a/b.txt", L"D:\\a\\b.txt"}, {root / "D", L"D:\\"}, {root / "D/x/../y/", L"D:\\y"},
        {root / "UNC/srv/share/f", L"\\\\srv\\share\\f"}, {root / "D/データ", L"D:\\データ"},
        {root.Path(), nullptr}, {"/etc/passwd", nullptr}, {root / "lower/x", nullptr},
        {root / "D/back\\slash", nullptr}, {root / "D/../../x", nullptr}, {"relative/D", nullptr},
    };
    for (const auto& test : cases) {
        const std::optional<std::wstring> windows = Drives::FromPosix(test.posix);
        EXPECT_EQ(windows.value_or(L"(none)"), test.windows ? test.windows : L"(none)") << test.posix;
    }
}

TEST_F(DrivesTest, WithoutDataRootNothingMaps)
{
    Drives::SetDataRoot("");
    EXPECT_FALSE(Drives::ToPosix(L"D:\\x"));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(GetLogicalDrives(), 0u);
    EXPECT_FALSE(Drives::FromPosix(root / "D/x"));
}

TEST_F(DrivesTest, CurrentDirectoryDefaultsToCFollowsChdirAndKeepsItOnFailure)
{
    EXPECT_EQ(Drives::GetCurrentDirectory(), L"C:\\");
    root.MakeDir("D/フォルダ");
    EXPECT_EQ(_chdir("d:\\\xE3\x83\x95\xE3\x82\xA9\xE3\x83\xAB\xE3\x83\x80\\"), 0);
    EXPECT_EQ(Drives::GetCurrentDirectory(), L"D:\\フォルダ");
    char narrow[260] = {};
    ASSERT_NE(_getcwd(narrow, 260), nullptr);
    EXPECT_STREQ(narrow, "D:\\\xE3\x83\x95\xE3\x82\xA9\xE3\x83\xAB\xE3\x83\x80");
    EXPECT_EQ(_wchdir(L"D:\\"), 0);
    wchar_t wide[8];
    EXPECT_STREQ(_wgetcwd(wide, 8), L"D:\\");
    char small[4];
    errno = 0;
    EXPECT_EQ(_getcwd(small, 3), nullptr);  // "D:\" needs 4 bytes
    EXPECT_EQ(errno, ERANGE);
    EXPECT_STREQ(_getcwd(small, 4), "D:\\");
    EXPECT_EQ(_chdir("D:\\missing"), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(_chdir("F:\\"), -1);
    EXPECT_EQ(_chdir(nullptr), -1);
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(Drives::GetCurrentDirectory(), L"D:\\") << "a failed change keeps the current directory";
    EXPECT_TRUE(Drives::SetDataRoot(root.Path()));
    EXPECT_EQ(Drives::GetCurrentDirectory(), L"C:\\");
}

TEST_F(DrivesTest, CurrentDirectoryIsConsistentAcrossThreads)
{
    root.MakeDir("D/one");
    root.MakeDir("D/two");
    std::atomic<bool> stop{false};
    std::atomic<int> bad{0};
    std::thread reader([&] {
        while (!stop) {
            std::wstring current = Drives::GetCurrentDirectory();
            if (current != L"D:\\one" && current != L"D:\\two" && current != L"C:\\")
                ++bad;
        }
    });
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(_chdir(i % 2 ? "D:\\one" : "D:\\two"), 0);
    stop = true;
    reader.join();
    EXPECT_EQ(bad, 0);
}

TEST_F(DrivesTest, LogicalDrivesAreTheDriveFoldersThatExist)
{
    EXPECT_EQ(GetLogicalDrives(), (1u << 2) | (1u << 3));
    root.MakeDir("E");
    root.MakeDir("G");
    EXPECT_EQ(GetLogicalDrives(), (1u << 2) | (1u << 3) | (1u << 4) | (1u << 6));
}

TEST(SplitPathTest, SplitsLikeTheCRuntime)
{
    const struct {
        const wchar_t* path;
        const wchar_t* parts[4];  // drive, folder, name, extension
    } cases[] = {
        {L"D:\\data\\sub\\file.tar.gz", {L"D:", L"\\data\\sub\\", L"file.tar", L".gz"}},
        {L"name", {L"", L"", L"name", L""}},
        {L"a/b.c/noext", {L"", L"a/b.c/", L"noext", L""}},
        {L"D:.env", {L"D:", L"", L"", L".env"}},
    };
    for (const auto& test : cases) {
        wchar_t drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        _wsplitpath(test.path, drive, dir, fname, ext);
        EXPECT_EQ((std::vector<std::wstring>{drive, dir, fname, ext}),
                  (std::vector<std::wstring>(std::begin(test.parts), std::end(test.parts))));
    }
    wchar_t fname[_MAX_FNAME];
    _wsplitpath(L"C:\\x.y", nullptr, nullptr, fname, nullptr);
    EXPECT_STREQ(fname, L"x");
}

TEST(SplitPathTest, MakePathAddsSeparators)
{
    wchar_t path[_MAX_PATH];
    _wmakepath(path, L"D", L"\\data", L"file", L"csv");
    EXPECT_STREQ(path, L"D:\\data\\file.csv");
    _wmakepath(path, L"D:", L"\\data\\", L"file", L".csv");
    EXPECT_STREQ(path, L"D:\\data\\file.csv");
    _wmakepath(path, nullptr, nullptr, L"file", nullptr);
    EXPECT_STREQ(path, L"file");
}

}  // namespace
