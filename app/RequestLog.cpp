#include "RequestLog.h"

#include "win/TextConvert.h"

std::uint64_t RequestLog::Add(DWORD kind, std::vector<DlgRequestField> fields)
{
    LoggedRequest entry;
    entry.kind = kind;
    const wchar_t* name = DlgRequestKindName(kind);
    entry.name = (name && *name) ? name : L"DLGREQ_UNKNOWN";
    entry.fields = std::move(fields);
    std::lock_guard guard(m_lock);
    entry.seq = ++m_lastSeq;
    m_entries.push_back(std::move(entry));
    while (m_entries.size() > kMaxEntries)
        m_entries.pop_front();
    return m_lastSeq;
}

std::vector<LoggedRequest> RequestLog::Since(std::uint64_t after) const
{
    std::lock_guard guard(m_lock);
    std::vector<LoggedRequest> result;
    for (const LoggedRequest& entry : m_entries)
        if (entry.seq > after)
            result.push_back(entry);
    return result;
}

std::uint64_t RequestLog::LastSeq() const
{
    std::lock_guard guard(m_lock);
    return m_lastSeq;
}

nlohmann::json RequestLog::ToJson(const std::vector<LoggedRequest>& entries)
{
    nlohmann::json list = nlohmann::json::array();
    for (const LoggedRequest& entry : entries) {
        nlohmann::json fields = nlohmann::json::object();
        for (const DlgRequestField& field : entry.fields)
            fields[win::WideToUtf8(field.name)] = win::WideToUtf8(field.value);
        list.push_back({{"seq", entry.seq}, {"kind", entry.kind}, {"name", win::WideToUtf8(entry.name)},
                        {"fields", std::move(fields)}});
    }
    return list;
}

std::string RequestLog::ToLine(const LoggedRequest& entry)
{
    std::string line = "#" + std::to_string(entry.seq) + " " + win::WideToUtf8(entry.name);
    for (const DlgRequestField& field : entry.fields)
        line += " " + win::WideToUtf8(field.name) + "=" + win::WideToUtf8(field.value);
    return line;
}
