// The instrument's clock across runs. The platform's clock is the machine's
// plus an offset that the clock calibration moves (SetLocalTime); the
// simulator keeps that offset in <root>/host/clock.txt, one line
// "offset_seconds = N", so that a time set on the instrument survives a
// restart, even of a simulator that was killed.
#pragma once

#include <cstdint>
#include <string>

class InstrumentClock {
public:
    explicit InstrumentClock(std::string path);

    // Sets the platform's clock from the file. A missing file leaves the
    // machine's time; a damaged one too, and says why in `error`.
    bool Load(std::string& error);
    // Writes the offset when it changed since it was last loaded or kept.
    bool KeepIfChanged(std::string& error);

private:
    std::string m_path;
    std::int64_t m_kept = 0;
};
