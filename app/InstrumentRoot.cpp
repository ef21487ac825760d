#include "InstrumentRoot.h"

#include "host/KeyValueText.h"
#include "win/Drives.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

bool FolderExists(const std::string& path)
{
    struct stat info{};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeFolder(const std::string& path, std::string& error)
{
    std::error_code fault;
    std::filesystem::create_directories(path, fault);
    if (!fault && FolderExists(path))
        return true;
    error = "cannot create " + path + (fault ? ": " + fault.message() : "");
    return false;
}

short Sample(const WaveformChannel& channel, double seconds)
{
    constexpr double kPi = 3.14159265358979323846;
    double phase = std::fmod(seconds * channel.frequencyHz, 1.0);
    double unit = 0;
    switch (channel.shape) {
    case WaveformChannel::Shape::Sine: unit = std::sin(2 * kPi * phase); break;
    case WaveformChannel::Shape::Triangle: unit = phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase; break;
    case WaveformChannel::Shape::Square: unit = phase < 0.5 ? 1 : -1; break;
    case WaveformChannel::Shape::Ramp: unit = 2 * phase - 1; break;
    }
    double value = unit * channel.amplitude + channel.offset;
    return static_cast<short>(std::lround(std::clamp(value, -32768.0, 32767.0)));
}

MemoryBlockProfile SampleBlock(int index)
{
    MemoryBlockProfile block;
    block.enabled = true;
    block.start = SYSTEMTIME{2024, 5, 2, static_cast<WORD>(14 + index), static_cast<WORD>(9 + index), 30, 15, 0};
    block.sampleCount = 1000 * (index + 1);
    block.samplingIntervalUs = index == 2 ? 1000 : 100;
    block.channels = {
        {0, WaveformChannel::Shape::Sine, 50.0 * (index + 1), 12000, 0},
        {1, WaveformChannel::Shape::Triangle, 20.0, 8000, 1000},
    };
    if (index == 1)
        block.channels.push_back({2, WaveformChannel::Shape::Square, 10.0, 6000, -500});
    return block;
}

}  // namespace

InstrumentRoot::InstrumentRoot(std::string root) : m_root(std::move(root))
{
    while (m_root.size() > 1 && m_root.back() == '/')
        m_root.pop_back();
}

bool InstrumentRoot::Prepare(std::string& error)
{
    if (!MakeFolder(m_root, error) || !MakeFolder(HostFolder(), error))
        return false;
    bool newDriveD = !FolderExists(m_root + "/D");
    for (const char* drive : {"C", "D", "E"})
        if (!MakeFolder(m_root + "/" + drive, error))
            return false;
    if (!win::Drives::SetDataRoot(m_root)) {
        error = "cannot use " + m_root + " as the data root";
        return false;
    }
    if (newDriveD) {
        if (!WriteSamples(error))
            return false;
        m_createdSamples = true;
    }
    return true;
}

bool InstrumentRoot::WriteSamples(std::string& error)
{
    std::string data = m_root + "/D/data";
    if (!MakeFolder(data, error))
        return false;
    const char* names[] = {"WAVE0001.FSD", "WAVE0002.FSD", "PEN0001.FPP", "HD0001.DRT"};
    for (int i = 0; i < 4; ++i)
        if (!WriteRecordedData(data + "/" + names[i], SampleBlock(i), error))
            return false;
    return MakeFolder(m_root + "/D/setup", error) && MakeFolder(m_root + "/C/temp", error);
}

bool InstrumentRoot::WriteRecordedData(const std::string& posixPath, const MemoryBlockProfile& block,
                                       std::string& error)
{
    std::ofstream file(posixPath, std::ios::binary | std::ios::trunc);
    if (!file) {
        error = "cannot write " + posixPath;
        return false;
    }
    std::string slots;
    for (const WaveformChannel& channel : block.channels)
        slots += (slots.empty() ? "" : ",") + std::to_string(channel.slot);
    file << "SYSDLG-SIM RECORDED DATA 1\n"
         << "start = " << KeyValueText::FormatTime(block.start, false) << "\n"
         << "interval_us = " << block.samplingIntervalUs << "\n"
         << "samples = " << block.sampleCount << "\n"
         << "channels = " << slots << "\n"
         << "data\n";
    std::string samples;
    samples.reserve(static_cast<std::size_t>(block.sampleCount) * block.channels.size() * 2);
    for (int i = 0; i < block.sampleCount; ++i) {
        double seconds = i * (block.samplingIntervalUs / 1e6);
        for (const WaveformChannel& channel : block.channels) {
            auto value = static_cast<unsigned short>(Sample(channel, seconds));
            samples += static_cast<char>(value & 0xFF);
            samples += static_cast<char>(value >> 8);
        }
    }
    file.write(samples.data(), static_cast<std::streamsize>(samples.size()));
    if (!file) {
        error = "cannot write " + posixPath;
        return false;
    }
    return true;
}
