#include "win/Registry.h"

#include "win/DebugLog.h"
#include "win/Handles.h"
#include "win/NameMatch.h"

#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct Store {
    std::mutex mutex;
    std::set<std::wstring> keys;                                      // normalised paths
    std::map<std::wstring, std::map<std::wstring, Value>> values;     // key path -> folded name -> value
};

Store& TheStore()
{
    static Store store;
    return store;
}

class KeyObject : public win::KernelObject {
public:
    explicit KeyObject(std::wstring path) : KernelObject(win::ObjectKind::RegistryKey), path(std::move(path)) {}
    const std::wstring path;
};

std::wstring Fold(std::wstring_view text)
{
    std::wstring folded(text);
    for (wchar_t& c : folded)
        c = win::FoldNameCharacter(c);
    return folded;
}

std::optional<std::wstring> RootName(HKEY root)
{
    switch (reinterpret_cast<std::uintptr_t>(root)) {
    case 0x80000000u: return L"HKCR";
    case 0x80000001u: return L"HKCU";
    case 0x80000002u: return L"HKLM";
    case 0x80000003u: return L"HKU";
    case 0x80000005u: return L"HKCC";
    default: return std::nullopt;
    }
}

// "ROOT\A\B" from a base path and a sub key, folded, without empty parts.
std::wstring Join(const std::wstring& base, std::wstring_view subKey)
{
    std::wstring path = base;
    std::size_t pos = 0;
    while (pos <= subKey.size()) {
        std::size_t end = subKey.find(L'\\', pos);
        if (end == std::wstring_view::npos)
            end = subKey.size();
        if (end > pos)
            path += L"\\" + Fold(subKey.substr(pos, end - pos));
        pos = end + 1;
    }
    return path;
}

// The path of an open key or predefined root.
std::optional<std::wstring> PathOf(HKEY key)
{
    if (std::optional<std::wstring> root = RootName(key))
        return root;
    auto object = win::HandleTable::FindAs<KeyObject>(reinterpret_cast<HANDLE>(key), win::ObjectKind::RegistryKey);
    if (!object)
        return std::nullopt;
    return object->path;
}

bool KeyExistsLocked(const Store& store, const std::wstring& path)
{
    if (path.find(L'\\') == std::wstring::npos)
        return true;  // a predefined root
    auto it = store.keys.lower_bound(path);
    return it != store.keys.end() && (*it == path || it->rfind(path + L"\\", 0) == 0);
}

void StoreValue(HKEY root, std::wstring_view subKey, std::wstring_view name, Value value)
{
    std::optional<std::wstring> rootName = RootName(root);
    if (!rootName) {
        OutputDebugStringW(L"Registry::SetValue: not a predefined root");
        return;
    }
    const std::wstring path = Join(*rootName, subKey);
    Store& store = TheStore();
    std::lock_guard<std::mutex> lock(store.mutex);
    store.keys.insert(path);
    store.values[path][Fold(name)] = std::move(value);
}

}  // namespace

namespace win {

void Registry::SetValue(HKEY root, std::wstring_view subKey, std::wstring_view name, std::wstring_view text)
{
    Value value;
    value.type = REG_SZ;
    std::wstring terminated(text);
    terminated += L'\0';
    value.data.resize(terminated.size() * sizeof(wchar_t));
    std::memcpy(value.data.data(), terminated.data(), value.data.size());
    StoreValue(root, subKey, name, std::move(value));
}

void Registry::SetValue(HKEY root, std::wstring_view subKey, std::wstring_view name, DWORD number)
{
    Value value;
    value.type = REG_DWORD;
    value.data.resize(sizeof(DWORD));
    std::memcpy(value.data.data(), &number, sizeof number);  // little-endian, as stored on Windows
    StoreValue(root, subKey, name, std::move(value));
}

void Registry::CreateKey(HKEY root, std::wstring_view subKey)
{
    std::optional<std::wstring> rootName = RootName(root);
    if (!rootName)
        return;
    Store& store = TheStore();
    std::lock_guard<std::mutex> lock(store.mutex);
    store.keys.insert(Join(*rootName, subKey));
}

void Registry::RemoveValue(HKEY root, std::wstring_view subKey, std::wstring_view name)
{
    std::optional<std::wstring> rootName = RootName(root);
    if (!rootName)
        return;
    Store& store = TheStore();
    std::lock_guard<std::mutex> lock(store.mutex);
    auto key = store.values.find(Join(*rootName, subKey));
    if (key != store.values.end())
        key->second.erase(Fold(name));
}

void Registry::Clear()
{
    Store& store = TheStore();
    std::lock_guard<std::mutex> lock(store.mutex);
    store.keys.clear();
    store.values.clear();
}

}  // namespace win

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, HKEY* result)
{
    if (result == nullptr)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    *result = nullptr;
    std::optional<std::wstring> base = PathOf(key);
    if (!base)
        return static_cast<LONG>(ERROR_INVALID_HANDLE);
    const std::wstring path = Join(*base, subKey != nullptr ? std::wstring_view(subKey) : std::wstring_view());
    {
        Store& store = TheStore();
        std::lock_guard<std::mutex> lock(store.mutex);
        if (!KeyExistsLocked(store, path))
            return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    }
    *result = reinterpret_cast<HKEY>(win::HandleTable::Insert(std::make_shared<KeyObject>(path)));
    return static_cast<LONG>(ERROR_SUCCESS);
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize)
{
    if (reserved != nullptr || (data != nullptr && dataSize == nullptr))
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    std::optional<std::wstring> path = PathOf(key);
    if (!path)
        return static_cast<LONG>(ERROR_INVALID_HANDLE);
    Value value;
    {
        Store& store = TheStore();
        std::lock_guard<std::mutex> lock(store.mutex);
        auto values = store.values.find(*path);
        if (values == store.values.end())
            return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
        auto found = values->second.find(Fold(valueName != nullptr ? valueName : L""));
        if (found == values->second.end())
            return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
        value = found->second;
    }
    if (type != nullptr)
        *type = value.type;
    const auto needed = static_cast<DWORD>(value.data.size());
    if (data == nullptr) {
        if (dataSize != nullptr)
            *dataSize = needed;
        return static_cast<LONG>(ERROR_SUCCESS);
    }
    if (*dataSize < needed) {
        *dataSize = needed;
        return static_cast<LONG>(ERROR_MORE_DATA);
    }
    std::memcpy(data, value.data.data(), needed);
    *dataSize = needed;
    return static_cast<LONG>(ERROR_SUCCESS);
}

LONG RegCloseKey(HKEY key)
{
    if (RootName(key))
        return static_cast<LONG>(ERROR_SUCCESS);  // predefined roots need no closing
    if (!win::HandleTable::Remove(reinterpret_cast<HANDLE>(key), win::ObjectKind::RegistryKey))
        return static_cast<LONG>(ERROR_INVALID_HANDLE);
    return static_cast<LONG>(ERROR_SUCCESS);
}
