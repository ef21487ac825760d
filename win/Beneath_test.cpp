// The file functions reach a drive's entries only beneath the drive's folder:
// through a link that stays on the drive they work, through any way out of it
// they fail and leave what lies outside as it was.
#include "win/Beneath.h"

#include "win/DebugLog.h"
#include "win/FileApi.h"
#include "win/Handles.h"
#include "win/TempDataRoot_test.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

namespace {

using win::testing::TempDataRoot;
namespace fs = std::filesystem;

// A file function used on the folder `way` (a Windows path); true when it
// did what it was asked.
struct Use {
    const char* what;
    std::function<bool(const std::wstring& way)> run;
};

bool Closed(HANDLE handle)
{
    return handle != INVALID_HANDLE_VALUE && CloseHandle(handle);
}

bool Shell(UINT function, const std::wstring& from, const std::wstring& to)
{
    const std::wstring fromList = from + L'\0';
    const std::wstring toList = to + L'\0';
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = function;
    operation.pFrom = fromList.c_str();
    operation.pTo = to.empty() ? nullptr : toList.c_str();
    operation.fFlags = FOF_NOCONFIRMATION;
    return SHFileOperationW(&operation) == 0;
}

// In this order each use finds what the uses before it left.
const Use kUses[] = {
    {"open", [](const std::wstring& way) {
         return Closed(CreateFileW((way + L"\\kept.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
     }},
    {"attributes", [](const std::wstring& way) {
         return GetFileAttributesW((way + L"\\kept.txt").c_str()) != INVALID_FILE_ATTRIBUTES;
     }},
    {"list", [](const std::wstring& way) {
         WIN32_FIND_DATAW data;
         HANDLE search = FindFirstFileW((way + L"\\*").c_str(), &data);
         return search != INVALID_HANDLE_VALUE && FindClose(search);
     }},
    {"copy out",
     [](const std::wstring& way) { return CopyFileW((way + L"\\kept.txt").c_str(), L"D:\\taken.txt", TRUE); }},
    {"create", [](const std::wstring& way) {
         return Closed(CreateFileW((way + L"\\new.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
     }},
    {"make a folder", [](const std::wstring& way) { return CreateDirectoryW((way + L"\\made").c_str(), nullptr); }},
    {"copy in",
     [](const std::wstring& way) { return CopyFileW(L"D:\\src.txt", (way + L"\\copied.txt").c_str(), FALSE); }},
    {"move in", [](const std::wstring& way) { return MoveFileW(L"D:\\move.txt", (way + L"\\moved.txt").c_str()); }},
    {"shell copy in", [](const std::wstring& way) { return Shell(FO_COPY, L"D:\\src.txt", way); }},
    {"shell copy out", [](const std::wstring& way) { return Shell(FO_COPY, way + L"\\kept.txt", L"D:\\shell.txt"); }},
    {"delete", [](const std::wstring& way) { return DeleteFileW((way + L"\\copied.txt").c_str()); }},
    {"shell delete", [](const std::wstring& way) { return Shell(FO_DELETE, way + L"\\new.txt", L""); }},
};

class BeneathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* folder : {"outside", "C/far", "D/real", "D/nest"}) {
            root.MakeDir(folder);
            root.WriteFile(std::string(folder) + "/kept.txt", folder);
        }
        root.WriteFile("D/src.txt", "src");
        root.WriteFile("D/move.txt", "move");
        win::DebugLog::Clear();
    }

    void TearDown() override { win::SetOpenat2MissingForTesting(false); }

    // Every file below the folders a drive must not reach, with its content.
    std::map<std::string, std::string> OutsideTheDrive() const
    {
        std::map<std::string, std::string> files;
        for (const char* folder : {"outside", "C/far"}) {
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder)) {
                const std::string relative = fs::relative(entry.path(), root.Path()).string();
                files[relative] = entry.is_regular_file() ? root.ReadFile(relative) : "";
            }
        }
        return files;
    }

    TempDataRoot root;
};

TEST_F(BeneathTest, ALinkOnTheDriveWorksEveryWayOutFails)
{
    const struct {
        const char* way;
        const char* link;  // where the link D/way (or D/nest/way) leads; "/..." below the data root; null: no link
        std::wstring path;
        bool reachable;
        DWORD error;       // of the opening, when not reachable
    } ways[] = {
        {"a link that stays on the drive", "real", L"D:\\way", true, 0},
        {"a link deeper down that stays", "../real", L"D:\\nest\\way", true, 0},
        {"a link out of the data root", "../outside", L"D:\\way", false, ERROR_ACCESS_DENIED},
        {"a link deeper down that leads out", "../../outside", L"D:\\nest\\way", false, ERROR_ACCESS_DENIED},
        {"a link to another drive", "../C/far", L"D:\\way", false, ERROR_ACCESS_DENIED},
        {"an absolute link", "/outside", L"D:\\way", false, ERROR_ACCESS_DENIED},
        {"an absolute link back onto the drive", "/D/real", L"D:\\way", false, ERROR_ACCESS_DENIED},
        {"a climb by \"..\"", nullptr, L"D:\\..\\outside", false, ERROR_PATH_NOT_FOUND},
        {"a climb by \"..\" from a folder", nullptr, L"D:\\nest\\..\\..\\C\\far", false, ERROR_PATH_NOT_FOUND},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        SetUp();
        if (way.link != nullptr) {
            const std::string target = *way.link == '/' ? root.Path() + way.link : way.link;
            const std::string link = root / (way.path == L"D:\\way" ? "D/way" : "D/nest/way");
            ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
        }
        const std::map<std::string, std::string> before = OutsideTheDrive();
        for (const Use& use : kUses) {
            SetLastError(0);
            EXPECT_EQ(use.run(way.path), way.reachable) << use.what;
            if (!way.reachable && std::string(use.what) == "open") {
                EXPECT_EQ(GetLastError(), way.error);
            }
        }
        EXPECT_EQ(OutsideTheDrive(), before);
        if (way.reachable) {
            EXPECT_EQ(root.ReadFile("D/real/moved.txt"), "move");
            EXPECT_EQ(root.ReadFile("D/real/src.txt"), "src");
            EXPECT_FALSE(root.Exists("D/real/new.txt") || root.Exists("D/real/copied.txt"));
        } else if (way.link != nullptr) {
            EXPECT_TRUE(win::DebugLog::Contains(L"leads out")) << "the debug output says why";
        }
        fs::remove_all(root / "D");
        fs::remove_all(root / "C");
        fs::remove_all(root / "outside");
        root.MakeDir("C");
        root.MakeDir("D");
    }
}

// Without the kernel's resolution beneath a folder nothing of the drives is
// reached: there is no weaker check to fall back on.
TEST_F(BeneathTest, WithoutOpenat2EveryAccessIsRefused)
{
    win::SetOpenat2MissingForTesting(true);
    for (const Use& use : kUses)
        EXPECT_FALSE(use.run(L"D:\\real")) << use.what;
    EXPECT_EQ(root.ReadFile("D/real/kept.txt"), "D/real");
    EXPECT_FALSE(root.Exists("D/real/made") || root.Exists("D/real/new.txt"));
    EXPECT_TRUE(win::DebugLog::Contains(L"openat2"));
    win::SetOpenat2MissingForTesting(false);
    EXPECT_TRUE(kUses[0].run(L"D:\\real"));
}

}  // namespace
