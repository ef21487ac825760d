#include "host/TextService.h"

#include "host/KeyValueText.h"
#include "win/TextConvert.h"
#include "win/DebugLog.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

struct ParsedEntry {
    DWORD group = 0;
    DWORD item = 0;
    std::wstring text;
};

bool ParseNumber(std::string_view text, DWORD& out)
{
    long long value = 0;
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos
        || !KeyValueText::ParseInteger(text, 0, 0xFFFFFFFFLL, value))
        return false;
    out = static_cast<DWORD>(value);
    return true;
}

bool ParseTable(std::string_view text, std::vector<ParsedEntry>& entries, std::string& error)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    if (!win::IsValidUtf8(text)) {
        error = "the table is not valid UTF-8";
        return false;
    }
    std::unordered_set<std::uint64_t> seen;
    int lineNumber = 0;
    std::size_t position = 0;
    while (position < text.size()) {
        const auto end = text.find('\n', position);
        std::string_view line = text.substr(position, end == std::string_view::npos ? std::string_view::npos
                                                                                     : end - position);
        position = end == std::string_view::npos ? text.size() : end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const auto firstTab = line.find('\t');
        const auto secondTab = firstTab == std::string_view::npos ? firstTab : line.find('\t', firstTab + 1);
        ParsedEntry entry;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (secondTab == std::string_view::npos) {
            error = where + "expected group<TAB>item<TAB>text";
            return false;
        }
        if (!ParseNumber(line.substr(0, firstTab), entry.group)
            || !ParseNumber(line.substr(firstTab + 1, secondTab - firstTab - 1), entry.item)) {
            error = where + "group and item must be numbers";
            return false;
        }
        // The text is taken as it stands (blanks included); only \s is not
        // needed here, but the shared escapes are accepted.
        if (!KeyValueText::Unescape(line.substr(secondTab + 1), entry.text)) {
            error = where + "bad escape in the text";
            return false;
        }
        if (!seen.insert((std::uint64_t(entry.group) << 32) | entry.item).second) {
            error = where + "key " + std::to_string(entry.group) + "/" + std::to_string(entry.item) + " given twice";
            return false;
        }
        entries.push_back(std::move(entry));
    }
    return true;
}

void ReportFailure(const std::string& message, std::string* error)
{
    OutputDebugStringW(win::Utf8ToWide("CTextService: " + message + "\n").c_str());
    if (error)
        *error = message;
}

} // namespace

const wchar_t* CTextService::GetText(DWORD group, DWORD item, const wchar_t* defaultText)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (const auto found = m_table.find(Key(group, item)); found != m_table.end())
        return found->second;
    if (!m_table.empty() && m_missingSeen.insert(Key(group, item)).second)
        m_missing.push_back(Key(group, item));
    // Elements of an unordered_set keep their address when the set grows.
    return m_defaults.emplace(defaultText ? defaultText : L"").first->c_str();
}

bool CTextService::LoadTable(const std::string& path, std::string* error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ReportFailure(path + ": cannot open the text table", error);
        return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    std::string parseError;
    if (!LoadTableText(content.str(), &parseError)) {
        if (error)
            *error = path + ": " + parseError;
        return false;
    }
    return true;
}

bool CTextService::LoadTableText(std::string_view utf8, std::string* error)
{
    std::vector<ParsedEntry> entries;
    std::string parseError;
    if (!ParseTable(utf8, entries, parseError)) {
        ReportFailure(parseError, error);
        return false;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    std::unordered_map<std::uint64_t, const wchar_t*> table;
    for (auto& entry : entries)
        table[Key(entry.group, entry.item)] = Store(std::move(entry.text));
    m_table = std::move(table);
    m_missing.clear();
    m_missingSeen.clear();
    return true;
}

void CTextService::ClearTable()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_table.clear();
    m_missing.clear();
    m_missingSeen.clear();
}

void CTextService::SetText(DWORD group, DWORD item, std::wstring_view text)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_table[Key(group, item)] = Store(std::wstring(text));
}

std::size_t CTextService::GetTableSize() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_table.size();
}

bool CTextService::HasText(DWORD group, DWORD item) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_table.count(Key(group, item)) != 0;
}

namespace {

std::vector<std::pair<DWORD, DWORD>> SplitKeys(const std::vector<std::uint64_t>& keys)
{
    std::vector<std::pair<DWORD, DWORD>> split;
    for (std::uint64_t key : keys)
        split.emplace_back(static_cast<DWORD>(key >> 32), static_cast<DWORD>(key));
    return split;
}

}  // namespace

std::vector<std::pair<DWORD, DWORD>> CTextService::GetTableKeys() const
{
    std::vector<std::uint64_t> keys;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto& entry : m_table)
            keys.push_back(entry.first);
    }
    std::sort(keys.begin(), keys.end());
    return SplitKeys(keys);
}

std::vector<std::pair<DWORD, DWORD>> CTextService::GetMissingKeys() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return SplitKeys(m_missing);
}

const wchar_t* CTextService::Store(std::wstring text)
{
    // A deque never moves its elements when it grows at the back.
    m_storage.push_back(std::move(text));
    return m_storage.back().c_str();
}

CTextService* GetTextServiceObject()
{
    static CTextService service;
    return &service;
}
