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
    static LONG Size(HKEY key, LPCWSTR name, DWORD& size) { return RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size); }
};

TEST_F(RegistryTest, ValuesAnswerAsTheVersionReportReadsThem)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    ASSERT_NE(key, nullptr);
    const struct {
        LPCWSTR name;
        DWORD bufferSize;
        LONG status;
        DWORD type;
        DWORD size;
        LPCWSTR text;
    } cases[] = {
        {L"productname", 511, ERROR_SUCCESS, REG_SZ, 17 * sizeof(wchar_t), L"Embedded Edition"},  // names ignore case
        {L"ProductName", 8, ERROR_MORE_DATA, REG_SZ, 17 * sizeof(wchar_t), nullptr},
        {L"CurrentVersion", 4 * sizeof(wchar_t), ERROR_SUCCESS, REG_SZ, 4 * sizeof(wchar_t), L"5.1"},  // exactly enough
        {L"InstallDate", 4, ERROR_SUCCESS, REG_DWORD, 4, nullptr},
        {L"InstallDate", 3, ERROR_MORE_DATA, REG_DWORD, 4, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bufferSize << " bytes");
        BYTE buffer[512];
        std::memset(buffer, 0xAB, sizeof buffer);
        DWORD size = c.bufferSize;
        DWORD type = 0;
        EXPECT_EQ(RegQueryValueExW(key, c.name, nullptr, &type, buffer, &size), c.status);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(size, c.size);
        if (c.status == ERROR_MORE_DATA)
            EXPECT_EQ(buffer[0], 0xAB) << "a buffer too small is left untouched";
        else if (c.type == REG_SZ)
            EXPECT_STREQ(reinterpret_cast<const wchar_t*>(buffer), c.text);
        else
            EXPECT_EQ(*reinterpret_cast<const DWORD*>(buffer), 0x12345678u);
    }
    DWORD size = 0;
    EXPECT_EQ(Size(key, L"ProductName", size), ERROR_SUCCESS);
    EXPECT_EQ(size, 17 * sizeof(wchar_t));
    EXPECT_EQ(Size(key, L"CSDVersion", size), ERROR_FILE_NOT_FOUND);
    BYTE buffer[8];
    EXPECT_EQ(RegQueryValueExW(key, L"CurrentVersion", nullptr, nullptr, buffer, nullptr), ERROR_INVALID_PARAMETER);
    DWORD reserved = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"CurrentVersion", &reserved, nullptr, nullptr, &size), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

// Key paths ignore case and open below an open key; a removed value and a
// cleared registry are gone; a key may hold only a default value.
TEST_F(RegistryTest, KeysParentsAndRemovedValues)
{
    HKEY software = nullptr;
    HKEY version = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"software\\MICROSOFT", 0, KEY_READ, &software), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExW(software, L"Windows NT\\CurrentVersion", 0, KEY_READ, &version), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(Size(version, L"CurrentVersion", size), ERROR_SUCCESS);
    EXPECT_EQ(Size(software, L"CurrentVersion", size), ERROR_FILE_NOT_FOUND);
    HKEY missing = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Micro", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kVersionKey, 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
    win::Registry::RemoveValue(HKEY_LOCAL_MACHINE, kVersionKey, L"PRODUCTNAME");
    EXPECT_EQ(Size(version, L"ProductName", size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(version);
    RegCloseKey(software);
    EXPECT_EQ(RegOpenKeyExW(software, L"x", 0, KEY_READ, &missing), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"x", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);

    win::Registry::Clear();
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, KEY_READ, &version), ERROR_FILE_NOT_FOUND);
    win::Registry::SetValue(HKEY_LOCAL_MACHINE, L"Empty\\Key", L"", L"default");
    DWORD type = 0;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"EMPTY\\key", 0, KEY_READ, &version), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(version, nullptr, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    RegCloseKey(version);
}

}  // namespace
