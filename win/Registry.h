// A read-only registry: the system reads values, the simulator and tests
// fill them through win::Registry. Keys and value names compare without
// regard to case; a key exists when it, or a key below it, was given a
// value or created. Any access mask is accepted on opening (nothing can be
// written through the Win32 functions anyway).
//
// REG_SZ data are the port's wide characters, sizeof(wchar_t) bytes each,
// with the terminator: a buffer of 511 bytes takes 126 characters and the
// terminator. A buffer that is too small gets ERROR_MORE_DATA and the size
// needed; a null buffer just asks for the size.
#pragma once

#include "win/WinNT.h"

#include <string>
#include <string_view>

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u)))
#define HKEY_USERS (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000003u)))
#define HKEY_CURRENT_CONFIG (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000005u)))

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, HKEY* result);
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize);
LONG RegCloseKey(HKEY key);

namespace win {

class Registry {
public:
    // A value under one of the predefined roots; the key and its parents
    // come into being. An empty name is the key's default value.
    static void SetValue(HKEY root, std::wstring_view subKey, std::wstring_view name, std::wstring_view text);
    static void SetValue(HKEY root, std::wstring_view subKey, std::wstring_view name, DWORD value);
    static void CreateKey(HKEY root, std::wstring_view subKey);
    static void RemoveValue(HKEY root, std::wstring_view subKey, std::wstring_view name);
    // Empties the whole registry.
    static void Clear();

    // Answers the local machine's Windows version key
    // ("SOFTWARE\Microsoft\Windows NT\CurrentVersion") from the machine the
    // port runs on:
    // "ProductName" from the release file's PRETTY_NAME (NAME when it has
    // none), "CurrentVersion" from its VERSION_ID and "CurrentBuildNumber"
    // from the kernel's release. A Linux system has no service pack, so
    // "CSDVersion" is never set. What the file does not give is left out;
    // false when the file cannot be read (nothing is set then).
    static bool LoadMachineRelease(const std::string& releaseFile = "/etc/os-release");
};

}  // namespace win
