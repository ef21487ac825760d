#include "win/FileApi.h"

#include "win/Handles.h"
#include "win/TempDataRoot_test.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

using win::testing::TempDataRoot;

constexpr uid_t kNobody = 65534;

// Runs `action` (0 for success) as a user the permission checks apply to,
// which they do not to root: in a child process that becomes "nobody" when
// the tests run as root. What it touches must be given to that user.
template <class Action>
int AsOrdinaryUser(Action action)
{
    if (::geteuid() != 0)
        return action();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        std::_Exit(dropped ? action() : 100);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void GiveToOrdinaryUser(const std::string& path)
{
    EXPECT_TRUE(::geteuid() != 0 || ::chown(path.c_str(), kNobody, kNobody) == 0) << path;
}

class DirectoryApiTest : public ::testing::Test {
protected:
    TempDataRoot root;
};

TEST_F(DirectoryApiTest, DeleteFileRemovesFilesAndLinksOnly)
{
    root.WriteFile("D/a.txt");
    EXPECT_TRUE(DeleteFileW(L"D:\\A.TXT"));
    EXPECT_FALSE(root.Exists("D/a.txt"));
    SetLastError(0);
    EXPECT_FALSE(DeleteFileW(L"D:\\a.txt"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(DeleteFileW(L"D:\\none\\a.txt"));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    root.MakeDir("D/dir");
    EXPECT_FALSE(DeleteFileW(L"D:\\dir"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(root.Exists("D/dir"));
    root.WriteFile("D/ro.txt");
    ::chmod((root / "D/ro.txt").c_str(), 0444);
    EXPECT_FALSE(DeleteFileW(L"D:\\ro.txt"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(root.Exists("D/ro.txt"));
    EXPECT_FALSE(DeleteFileW(nullptr));
    root.WriteFile("D/target.txt", "keep");  // a link goes, never what it leads to
    ASSERT_EQ(::symlink((root / "D/target.txt").c_str(), (root / "D/link.txt").c_str()), 0);
    EXPECT_TRUE(DeleteFileW(L"D:\\link.txt"));
    EXPECT_EQ(root.ReadFile("D/target.txt"), "keep");
}

TEST_F(DirectoryApiTest, CreateDirectory)
{
    EXPECT_TRUE(CreateDirectoryW(L"D:\\_KQ58SYSTEM.$$$", nullptr));
    EXPECT_TRUE(root.Exists("D/_KQ58SYSTEM.$$$"));
    SetLastError(0);
    EXPECT_FALSE(CreateDirectoryW(L"d:\\_kq58system.$$$", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryW(L"D:\\a\\b", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(CreateDirectoryW(L"D:\\", nullptr));
    EXPECT_FALSE(CreateDirectoryW(L"D:\\..\\escape", nullptr));
    EXPECT_FALSE(root.Exists("escape"));
}

TEST_F(DirectoryApiTest, AttributesFromNameModeAndExtendedAttribute)
{
    root.MakeDir("D/folder");
    root.MakeDir("D/.hiddenfolder");
    root.WriteFile("D/file.txt");
    root.WriteFile("D/.hidden");
    EXPECT_EQ(GetFileAttributesW(L"D:\\folder"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesW(L"D:\\.hiddenfolder"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(GetFileAttributesW(L"D:\\file.txt"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesW(L"D:\\.hidden"), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(GetFileAttributesW(L"D:\\"), FILE_ATTRIBUTE_DIRECTORY);
    SetLastError(0);
    EXPECT_EQ(GetFileAttributesW(L"D:\\missing"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetFileAttributesW(L"D:\\..\\D"), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(SetFileAttributesW(L"D:\\file.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesW(L"D:\\file.txt"), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SetFileAttributesW(L"D:\\file.txt", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesW(L"D:\\file.txt"), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(SetFileAttributesW(L"D:\\folder", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesW(L"D:\\folder"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(SetFileAttributesW(L"D:\\missing", 0));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(DirectoryApiTest, ArchiveAndSystemLiveInTheExtendedAttribute)
{
    if (!root.HasExtendedAttributes())
        GTEST_SKIP() << "the file system of /tmp keeps no user extended attributes";
    root.WriteFile("D/sys.dat");
    ASSERT_TRUE(SetFileAttributesW(L"D:\\sys.dat", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(GetFileAttributesW(L"D:\\sys.dat"), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM);
    char text[16] = {};
    ASSERT_GT(::getxattr((root / "D/sys.dat").c_str(), "user.win.attributes", text, sizeof text), 0);
    EXPECT_STREQ(text, "36");
    ASSERT_TRUE(SetFileAttributesW(L"D:\\sys.dat", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(GetFileAttributesW(L"D:\\sys.dat"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    ASSERT_TRUE(SetFileAttributesW(L"D:\\sys.dat", 0));
    EXPECT_EQ(GetFileAttributesW(L"D:\\sys.dat"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_LT(::getxattr((root / "D/sys.dat").c_str(), "user.win.attributes", text, sizeof text), 0);
    // A folder with any attribute besides DIRECTORY is what the file page leaves out.
    root.MakeDir("D/archived");
    ASSERT_TRUE(SetFileAttributesW(L"D:\\archived", FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(GetFileAttributesW(L"D:\\archived"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE);
}

TEST_F(DirectoryApiTest, ArchiveAndSystemAreKeptWhereTheUserMayNotWrite)
{
    if (!root.HasExtendedAttributes())
        GTEST_SKIP() << "the file system of /tmp keeps no user extended attributes";
    root.MakeDir("D/locked");
    const struct {
        const wchar_t* file;
        DWORD before;
        DWORD after;
    } cases[] = {
        {L"D:\\locked\\a.dat", FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM},  // folder unmarkable
        {L"D:\\b.dat", FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_READONLY},  // bits taken off as it becomes read-only
        {L"D:\\c.dat", FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM},
        {L"D:\\d.dat", FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE},  // stays read-only
        {L"D:\\e.dat", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_ARCHIVE},
    };
    for (const auto& test : cases) {
        std::ofstream(root.PosixOf(test.file)) << "data";
        ASSERT_TRUE(SetFileAttributesW(test.file, test.before));
        GiveToOrdinaryUser(root.PosixOf(test.file));
    }
    GiveToOrdinaryUser(root / "D");
    ASSERT_EQ(::chmod(root.Path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod((root / "D/locked").c_str(), 0555), 0);
    const int failedRow = AsOrdinaryUser([&] {
        for (std::size_t row = 0; row < std::size(cases); ++row) {
            if (!SetFileAttributesW(cases[row].file, cases[row].after))
                return static_cast<int>(row) + 1;
        }
        return CopyFileW(L"D:\\d.dat", L"D:\\copy.dat", TRUE) ? 0 : 99;
    });
    EXPECT_EQ(failedRow, 0) << "the first row (from 1) that failed, 99 the copy";
    for (const auto& test : cases)
        EXPECT_EQ(GetFileAttributesW(test.file), test.after) << test.file;
    EXPECT_EQ(GetFileAttributesW(L"D:\\copy.dat"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
}

TEST_F(DirectoryApiTest, SystemFoldersAreCreatedOnDemandOnDriveCOnly)
{
    wchar_t buffer[MAX_PATH];
    EXPECT_EQ(GetSystemDirectoryW(buffer, MAX_PATH), 19u);
    EXPECT_STREQ(buffer, L"C:\\WINDOWS\\system32");
    EXPECT_TRUE(root.Exists("C/WINDOWS/system32"));
    EXPECT_EQ(GetSystemDirectoryW(buffer, 19), 20u);  // too small: the size needed
    TempDataRoot withoutC("D");
    EXPECT_EQ(GetSystemDirectoryW(buffer, MAX_PATH), 0u);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(withoutC.Exists("C"));
}

TEST_F(DirectoryApiTest, LongPathsUpToTheLimit)
{
    // Folders of 50 characters, four deep: "D:\" + 4 * 51 = 207 characters.
    std::wstring path = L"D:";
    for (int level = 0; level < 4; ++level) {
        path += L"\\" + std::wstring(50, static_cast<wchar_t>(L'a' + level));
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << level;
    }
    const std::wstring longest = path + L"\\" + std::wstring(259 - path.size() - 1, L'f');
    ASSERT_EQ(longest.size(), 259u);
    HANDLE file = CreateFileW(longest.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_NE(GetFileAttributesW(longest.c_str()), INVALID_FILE_ATTRIBUTES);
    SetLastError(0);
    const std::wstring tooLong = longest + L"g";
    EXPECT_EQ(CreateFileW(tooLong.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILENAME_EXCED_RANGE);
    EXPECT_FALSE(CreateDirectoryW(tooLong.c_str(), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_FILENAME_EXCED_RANGE);
    EXPECT_TRUE(DeleteFileW(longest.c_str()));
}

}  // namespace
