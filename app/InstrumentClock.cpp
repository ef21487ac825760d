#include "InstrumentClock.h"

#include "host/formats/AtomicFile.h"
#include "win/TimeApi.h"
#include "win/WholeFile.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <string>
#include <sys/stat.h>

namespace {

constexpr const char* kKey = "offset_seconds = ";

}  // namespace

InstrumentClock::InstrumentClock(std::string path) : m_path(std::move(path)) {}

bool InstrumentClock::Load(std::string& error)
{
    m_kept = win::Clock::GetOffsetSeconds();
    struct stat info{};
    if (::lstat(m_path.c_str(), &info) != 0 && errno == ENOENT)
        return true;  // a new instrument runs on the machine's time
    // Read as every host file is: a regular file only, never through a link,
    // and small, so that nothing put in its place can stall the start.
    std::string line;
    if (!win::ReadWholeFile(m_path, 256, "clock file", line, error, win::FollowLinks::No))
        return false;
    line = line.substr(0, line.find('\n'));
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
    std::string why;
    if (!formats::WriteFileAtomically(m_path, kKey + std::to_string(offset) + '\n', &why)) {
        error = "cannot keep the clock: " + why;
        return false;
    }
    m_kept = offset;
    return true;
}
