#include "InstrumentClock.h"

#include "win/TimeApi.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

constexpr const char* kKey = "offset_seconds = ";

}  // namespace

InstrumentClock::InstrumentClock(std::string path) : m_path(std::move(path)) {}

bool InstrumentClock::Load(std::string& error)
{
    std::ifstream file(m_path, std::ios::binary);
    if (!file) {
        m_kept = win::Clock::GetOffsetSeconds();
        return true;  // a new instrument runs on the machine's time
    }
    std::string line;
    std::getline(file, line);
    std::int64_t offset = 0;
    bool read = line.rfind(kKey, 0) == 0;
    if (read) {
        const char* last = line.data() + line.size();
        const auto [end, fault] = std::from_chars(line.data() + std::strlen(kKey), last, offset);
        read = fault == std::errc() && end == last;
    }
    if (!read) {
        error = m_path + ": not a clock offset";
        return false;
    }
    win::Clock::SetOffsetSeconds(offset);
    m_kept = offset;
    return true;
}

bool InstrumentClock::KeepIfChanged(std::string& error)
{
    const std::int64_t offset = win::Clock::GetOffsetSeconds();
    if (offset == m_kept)
        return true;
    const std::string temporary = m_path + ".saving";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << kKey << offset << '\n';
        if (!file) {
            error = "cannot write " + temporary;
            return false;
        }
    }
    if (std::rename(temporary.c_str(), m_path.c_str()) != 0) {
        std::remove(temporary.c_str());
        error = "cannot keep the clock in " + m_path;
        return false;
    }
    m_kept = offset;
    return true;
}
