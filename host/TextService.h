// The host's text service: every visible text of the dialogs is fetched by
// a key (group, item) with the caller's default. A text table holds one
// language; without a table, or for a key it lacks, the default is shown.
//
// Table files are UTF-8, one entry per line:
//     <group><TAB><item><TAB><text>
// with the escapes \n, \r, \t and \\ in the text. Blank lines and lines
// starting with '#' are ignored; a key may appear only once.
//
// Callers keep returned pointers (selector labels, for example), so every
// text handed out stays valid and unchanged for the life of the service:
// loading another table adds new storage and never frees the old.
#pragma once

#include "win/Win32Types.h"

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

class CTextService {
public:
    CTextService() = default;
    CTextService(const CTextService&) = delete;
    CTextService& operator=(const CTextService&) = delete;

    // The table's text for the key, or a stored copy of `defaultText` (an
    // empty text for null). Never null.
    const wchar_t* GetText(DWORD group, DWORD item, const wchar_t* defaultText);

    // Replaces the table with the file's (all or nothing). On failure the
    // old table stays, the fault goes to the debug output and to `error`.
    bool LoadTable(const std::string& path, std::string* error = nullptr);
    bool LoadTableText(std::string_view utf8, std::string* error = nullptr);
    // Back to defaults only.
    void ClearTable();
    // Sets one entry of the current table.
    void SetText(DWORD group, DWORD item, std::wstring_view text);
    std::size_t GetTableSize() const;
    bool HasText(DWORD group, DWORD item) const;
    std::vector<std::pair<DWORD, DWORD>> GetTableKeys() const;
    // Keys asked for while a table was loaded that the table lacks (shown
    // with their defaults, so in the wrong language), in the order first asked.
    std::vector<std::pair<DWORD, DWORD>> GetMissingKeys() const;

private:
    static std::uint64_t Key(DWORD group, DWORD item) { return (std::uint64_t(group) << 32) | item; }
    const wchar_t* Store(std::wstring text);

    mutable std::mutex m_mutex;
    std::deque<std::wstring> m_storage;                       // texts of every table ever loaded
    std::unordered_map<std::uint64_t, const wchar_t*> m_table; // current language
    std::unordered_set<std::wstring> m_defaults;              // copies of callers' defaults
    std::unordered_set<std::uint64_t> m_missingSeen;
    std::vector<std::uint64_t> m_missing;
};

// The process-wide text service.
CTextService* GetTextServiceObject();
