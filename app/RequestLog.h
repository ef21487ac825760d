// The host's log of every request the dialog sent: sequence number, kind,
// kind name and the kind's fields decoded by name, as the receiver saw them
// after answering. Written on the UI thread, read by the touch-panel server.
#pragma once

#include "core/DlgRequest.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

struct LoggedRequest {
    std::uint64_t seq = 0;           // from 1, never reused
    DWORD kind = 0;
    std::wstring name;               // "DLGREQ_SAVE_SETTINGS"
    std::vector<DlgRequestField> fields;
};

class RequestLog {
public:
    // A long session must not grow without bound; the oldest entries go.
    static constexpr std::size_t kMaxEntries = 5000;

    // Appends an entry; returns its sequence number.
    std::uint64_t Add(DWORD kind, std::vector<DlgRequestField> fields);
    // Entries with a sequence number above `after`, oldest first.
    std::vector<LoggedRequest> Since(std::uint64_t after) const;
    std::uint64_t LastSeq() const;

    // [{"seq", "kind", "name", "fields": {name: value}}]
    static nlohmann::json ToJson(const std::vector<LoggedRequest>& entries);
    // One line for the console: "#3 DLGREQ_SETTING_CHANGED flags=CHG_COMM".
    static std::string ToLine(const LoggedRequest& entry);

private:
    mutable std::mutex m_lock;
    std::deque<LoggedRequest> m_entries;
    std::uint64_t m_lastSeq = 0;
};
