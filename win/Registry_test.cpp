#include "win/Registry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr const wchar_t* kVersionKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        win::Registry::Clear();
        win::Registry::SetValue(HKEY_LOCAL_MACHINE, kVersionKey, L"ProductName", L"Embedded Edition");
        win::Registry::SetValue(HKEY_LOCAL_MACHINE, kVersionKey, L"CurrentVersion", L"5.1");
        win::Registry::SetValue(HKEY_LOCAL_MACHINE, kVersionKey, L"InstallDate", 0x12345678);
    }
    void TearDown() override { win::Registry::Clear(); }
};

TEST_F(RegistryTest, ReadsStringsAsTheVersionReportDoes)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    ASSERT_NE(key, nullptr);
    BYTE buffer[511];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExW(key, L"productname", nullptr, &type, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, (16 + 1) * sizeof(wchar_t));
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(buffer), L"Embedded Edition");
    size = sizeof buffer;
    EXPECT_EQ(RegQueryValueExW(key, L"CSDVersion", nullptr, &type, buffer, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, SmallBuffersGetMoreData)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    BYTE buffer[8];
    std::memset(buffer, 0xAB, sizeof buffer);
    DWORD size = sizeof buffer;
    EXPECT_EQ(RegQueryValueExW(key, L"ProductName", nullptr, nullptr, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 17 * sizeof(wchar_t));
    EXPECT_EQ(buffer[0], 0xAB);  // untouched
    DWORD needed = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"ProductName", nullptr, nullptr, nullptr, &needed), ERROR_SUCCESS);
    EXPECT_EQ(needed, 17 * sizeof(wchar_t));
    // Exactly enough.
    BYTE exact[4 * sizeof(wchar_t)];
    size = sizeof exact;
    EXPECT_EQ(RegQueryValueExW(key, L"CurrentVersion", nullptr, nullptr, exact, &size), ERROR_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(exact), L"5.1");
    EXPECT_EQ(RegQueryValueExW(key, L"CurrentVersion", nullptr, nullptr, exact, nullptr), ERROR_INVALID_PARAMETER);
    DWORD reserved = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"CurrentVersion", &reserved, nullptr, nullptr, &size), ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
}

TEST_F(RegistryTest, DwordValues)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExW(key, L"InstallDate", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(value, 0x12345678u);
    BYTE small[3];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExW(key, L"InstallDate", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, KeysAndParents)
{
    HKEY software = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"software\\MICROSOFT", 0, KEY_READ, &software), ERROR_SUCCESS);
    HKEY version = nullptr;
    ASSERT_EQ(RegOpenKeyExW(software, L"Windows NT\\CurrentVersion", 0, KEY_READ, &version), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(version, L"CurrentVersion", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(software, L"CurrentVersion", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    HKEY missing = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Micro", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kVersionKey, 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
    RegCloseKey(version);
    RegCloseKey(software);
    EXPECT_EQ(RegOpenKeyExW(software, L"x", 0, KEY_READ, &missing), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"x", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, RemovedAndClearedValuesAreGone)
{
    win::Registry::RemoveValue(HKEY_LOCAL_MACHINE, kVersionKey, L"PRODUCTNAME");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"ProductName", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    win::Registry::Clear();
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    win::Registry::CreateKey(HKEY_LOCAL_MACHINE, L"Empty\\Key");
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"EMPTY", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    win::Registry::SetValue(HKEY_LOCAL_MACHINE, L"Empty\\Key", L"", L"default");
    DWORD type = 0;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Empty\\Key", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    RegCloseKey(key);
}

}  // namespace
