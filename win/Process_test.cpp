#include "win/Process.h"

#include "win/FileApi.h"
#include "win/TempDataRoot_test.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using win::testing::TempDataRoot;
using Arguments = std::vector<std::wstring>;

TEST(CommandLineTest, SplitsByTheRuntimeRules)
{
    EXPECT_EQ(win::SplitCommandLine(L"C:\\WINDOWS\\system32\\EWFMGR.EXE C: -disable"),
              (Arguments{L"C:\\WINDOWS\\system32\\EWFMGR.EXE", L"C:", L"-disable"}));
    EXPECT_EQ(win::SplitCommandLine(L"\"C:\\Program Files\\x.exe\" \"a b\"  c"),
              (Arguments{L"C:\\Program Files\\x.exe", L"a b", L"c"}));
    // Backslashes count only before a quote.
    EXPECT_EQ(win::SplitCommandLine(L"p a\\\\b \"c\\\\\" d\\\"e \\\\\\\"f\""),
              (Arguments{L"p", L"a\\\\b", L"c\\", L"d\"e", L"\\\"f"}));
    EXPECT_EQ(win::SplitCommandLine(L"p \"say \"\"hi\"\"\""), (Arguments{L"p", L"say \"hi\""}));
    EXPECT_EQ(win::SplitCommandLine(L"p \"\""), (Arguments{L"p", L""}));
    EXPECT_EQ(win::SplitCommandLine(L"p \"unclosed arg"), (Arguments{L"p", L"unclosed arg"}));
    EXPECT_EQ(win::SplitCommandLine(L""), Arguments{});
}

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override { root.MakeDir("D/out"); }

    // A stand-in for a Windows tool: records its arguments and folder.
    void Script(const std::string& relative, const std::string& body, mode_t mode = 0755)
    {
        root.WriteFile(relative, "#!/bin/sh\n" + body + "\n");
        ::chmod((root / relative).c_str(), mode);
    }

    void RecordingScript(const std::string& relative, int exitCode = 0)
    {
        Script(relative, "for a in \"$@\"; do printf '%s|' \"$a\"; done > \"$SYSDLG_DATA_ROOT/D/out/args\"\n"
                         "pwd > \"$SYSDLG_DATA_ROOT/D/out/pwd\"\nexit " +
                             std::to_string(exitCode));
    }

    BOOL Start(LPCWSTR application, const std::wstring& commandLine, LPCWSTR folder = nullptr, DWORD flags = 0x20)
    {
        line = commandLine;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        info = PROCESS_INFORMATION{};
        return CreateProcessW(application, commandLine.empty() ? nullptr : line.data(), nullptr, nullptr, FALSE,
                              flags, nullptr, folder, &startup, &info);
    }

    DWORD FinishAndClose()
    {
        EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
        DWORD code = 0;
        EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
        EXPECT_TRUE(CloseHandle(info.hThread));
        EXPECT_TRUE(CloseHandle(info.hProcess));
        return code;
    }

    TempDataRoot root;
    std::wstring line;
    PROCESS_INFORMATION info;
};

// The write-filter tool's run from the system folder, to its end, is the
// shutdown's story; here how names are found.
TEST_F(ProcessTest, ProgramNamesAreFoundLikeWindowsFindsThem)
{
    GetSystemDirectoryW(nullptr, 0);
    RecordingScript("C/WINDOWS/system32/EWFMGR.EXE");
    ASSERT_TRUE(Start(nullptr, L"c:\\windows\\SYSTEM32\\ewfmgr.exe x y"));  // any case
    EXPECT_EQ(FinishAndClose(), 0u);
    EXPECT_EQ(root.ReadFile("D/out/args"), "x|y|");

    root.MakeDir("C/Program Files");
    root.MakeDir("C/Program Files/Vendor");
    RecordingScript("C/Program Files/Vendor/tool.exe");
    ASSERT_TRUE(Start(nullptr, L"\"C:\\Program Files\\Vendor\\tool.exe\" \"two words\" end"));
    EXPECT_EQ(FinishAndClose(), 0u);
    EXPECT_EQ(root.ReadFile("D/out/args"), "two words|end|");
}

TEST_F(ProcessTest, ApplicationNameAndCurrentDirectory)
{
    root.MakeDir("C/Program Files");
    RecordingScript("C/Program Files/TouchPanelCalibration.exe", 0);
    ASSERT_TRUE(Start(L"C:\\Program Files\\TouchPanelCalibration.exe", L"", L"C:\\Program Files\\", 0x220));
    EXPECT_EQ(FinishAndClose(), 0u);
    EXPECT_EQ(root.ReadFile("D/out/args"), "");
    EXPECT_EQ(root.ReadFile("D/out/pwd"), root / "C/Program Files\n");
    // With both, the command line's first token is the program's own name.
    ASSERT_TRUE(Start(L"C:\\Program Files\\TouchPanelCalibration.exe", L"\"any name\" -x"));
    EXPECT_EQ(FinishAndClose(), 0u);
    EXPECT_EQ(root.ReadFile("D/out/args"), "-x|");
    SetLastError(0);
    EXPECT_FALSE(Start(L"C:\\Program Files\\TouchPanelCalibration.exe", L"", L"D:\\nowhere"));
    EXPECT_EQ(GetLastError(), ERROR_DIRECTORY);
}

TEST_F(ProcessTest, FailuresToStart)
{
    SetLastError(0);
    EXPECT_FALSE(Start(nullptr, L"C:\\WINDOWS\\system32\\EWFMGR.EXE C: -disable"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(Start(L"D:\\missing.exe", L""));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    Script("D/plain.exe", "exit 0", 0644);
    EXPECT_FALSE(Start(nullptr, L"D:\\plain.exe"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(Start(nullptr, L"C:\\..\\..\\bin\\sh -c true"));
    EXPECT_FALSE(Start(nullptr, L"   "));
    EXPECT_FALSE(Start(nullptr, L"D:\\plain.exe", nullptr, 0x20 | CREATE_SUSPENDED));
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    STARTUPINFOW startup{};
    EXPECT_FALSE(CreateProcessW(nullptr, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
