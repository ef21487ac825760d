#include "win/Registry.h"

#include <gtest/gtest.h>

#include <sys/utsname.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr const wchar_t* kVersionKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// The value as the version report reads it, or "(none)".
std::wstring Read(const wchar_t* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return L"(none)";
    wchar_t buffer[128] = {};
    DWORD size = 511;
    const LONG result = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? buffer : L"(none)";
}

TEST(RegistryMachineRelease, TheVersionKeyAnswersFromTheReleaseFileAndTheKernel)
{
    utsname system{};
    ASSERT_EQ(uname(&system), 0);
    const std::wstring kernel(system.release, system.release + std::char_traits<char>::length(system.release));
    const std::string path = ::testing::TempDir() + "/os-release";
    struct Case {
        const char* file;
        std::wstring product, version;
    };
    const Case cases[] = {
        {"PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\nVERSION_ID=\"12\"\n",
         L"Debian GNU/Linux 12 (bookworm)", L"12"},
        {"# a comment\nNAME='Alpine Linux'\nVERSION_ID=3.19.1\n", L"Alpine Linux", L"3.19.1"},
        {"PRETTY_NAME=\"Say \\\"hello\\\"\"\n", L"Say \"hello\"", L"(none)"},
        {"", L"(none)", L"(none)"},
    };
    for (const Case& c : cases) {
        win::Registry::Clear();
        std::ofstream(path, std::ios::trunc) << c.file;
        ASSERT_TRUE(win::Registry::LoadMachineRelease(path)) << c.file;
        EXPECT_EQ(Read(L"ProductName"), c.product) << c.file;
        EXPECT_EQ(Read(L"CurrentVersion"), c.version) << c.file;
        EXPECT_EQ(Read(L"CurrentBuildNumber"), kernel) << c.file;
        EXPECT_EQ(Read(L"CSDVersion"), L"(none)") << "no service pack";
    }
    std::remove(path.c_str());
    win::Registry::Clear();
    EXPECT_FALSE(win::Registry::LoadMachineRelease(path));
    EXPECT_EQ(Read(L"CurrentBuildNumber"), L"(none)") << "nothing set without the file";
}

}  // namespace
