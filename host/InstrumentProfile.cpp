#include "host/InstrumentProfile.h"

#include "host/ProfileFile.h"

#include <mutex>

namespace {

std::mutex g_currentMutex;
std::shared_ptr<const InstrumentProfile> g_current;

SYSTEMTIME MakeTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME time;
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

WaveformChannel Channel(int slot, WaveformChannel::Shape shape, double frequencyHz, int amplitude, int offset = 0)
{
    WaveformChannel channel;
    channel.slot = slot;
    channel.shape = shape;
    channel.frequencyHz = frequencyHz;
    channel.amplitude = amplitude;
    channel.offset = offset;
    return channel;
}

std::vector<MemoryBlockProfile> DefaultMemoryBlocks()
{
    using Shape = WaveformChannel::Shape;
    std::vector<MemoryBlockProfile> blocks(4);

    blocks[0].enabled = true;
    blocks[0].start = MakeTime(2024, 5, 14, 9, 30, 15);
    blocks[0].sampleCount = 2000;
    blocks[0].samplingIntervalUs = 100;
    blocks[0].channels = {Channel(0, Shape::Sine, 50.0, 12000), Channel(1, Shape::Triangle, 20.0, 8000),
                          Channel(2, Shape::Square, 10.0, 5000, 1000)};

    blocks[1].enabled = true;
    blocks[1].start = MakeTime(2024, 5, 14, 10, 2, 48);
    blocks[1].sampleCount = 5000;
    blocks[1].samplingIntervalUs = 1000;
    blocks[1].channels = {Channel(0, Shape::Sine, 1.5, 20000), Channel(4, Shape::Ramp, 0.5, 16000)};

    // Block 2 was cleared: it exists but holds nothing.

    blocks[3].enabled = true;
    blocks[3].start = MakeTime(2023, 12, 31, 23, 59, 58);
    blocks[3].sampleCount = 1000;
    blocks[3].samplingIntervalUs = 10;
    blocks[3].channels = {Channel(3, Shape::Sine, 1000.0, 30000)};
    return blocks;
}

} // namespace

InstrumentProfile InstrumentProfile::Default()
{
    InstrumentProfile profile;
    profile.productId = 5801234;
    profile.mainProgram = {1, 12, 2, 345, L"2024/04/01"};

    profile.mlcuDriver = {1, 0x05};
    profile.flcuDriver = {1, 0x03};
    profile.prmpDriver = {2, 0x10};
    profile.prmpDriverKP = {1, 0x02};
    profile.ampDriver = {1, 0x21};
    profile.bramDriver = {1, 0x00};
    profile.commDriver = {3, 0x0A};
    profile.mlcu = {2, 0x01, 0x0102, 256};
    profile.flcu = {2, 0x00, 0x0101, 64};
    profile.prmpHardwareVersion = 0x00030201;

    profile.ampTypes = {1, 1, 1, 1, 2, 2, 3, 0, 4, 4, 5, 0, 6, 6, 0, 0};
    profile.ampTypeNames = {{1, L"DC AMP"},     {2, L"TEMP AMP"}, {3, L"STRAIN AMP"}, {4, L"FREQ AMP"},
                            {5, L"ISO DC AMP"}, {6, L"LOGIC"},    {7, L"ACC AMP"}};

    profile.network = {false, 0xC0A80064, 0xFFFFFF00, 0xC0A80001, 1};
    profile.memoryBlocks = DefaultMemoryBlocks();
    profile.memBackupReserveSize = 256LL * 1024 * 1024;
    profile.printer.version = L"V2.10 (BOOT V1.02)";
    return profile;
}

bool InstrumentProfile::LoadFromFile(const std::string& path, InstrumentProfile& out, std::string& error,
                                     win::FollowLinks links)
{
    // A profile is a few kilobytes of text; the limit only stops a hostile file.
    std::string text;
    if (!win::ReadWholeFile(path, 4 << 20, "profile file", text, error, links))
        return false;
    InstrumentProfile loaded = Default();
    std::string parseError;
    if (!ProfileFile::Parse(text, loaded, parseError)) {
        error = path + ": " + parseError;
        return false;
    }
    out = std::move(loaded);
    return true;
}

std::shared_ptr<const InstrumentProfile> InstrumentProfile::Current()
{
    std::lock_guard<std::mutex> lock(g_currentMutex);
    if (!g_current)
        g_current = std::make_shared<const InstrumentProfile>(Default());
    return g_current;
}

void InstrumentProfile::SetCurrent(InstrumentProfile profile)
{
    auto published = std::make_shared<const InstrumentProfile>(std::move(profile));
    std::lock_guard<std::mutex> lock(g_currentMutex);
    g_current = std::move(published);
}

void InstrumentProfile::Modify(const std::function<void(InstrumentProfile&)>& change)
{
    std::lock_guard<std::mutex> lock(g_currentMutex);
    InstrumentProfile copy = g_current ? *g_current : Default();
    change(copy);
    g_current = std::make_shared<const InstrumentProfile>(std::move(copy));
}
