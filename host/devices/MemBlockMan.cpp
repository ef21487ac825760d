#include "host/devices/MemBlockMan.h"

#include "host/formats/DataFile.h"
#include "win/TextConvert.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>

namespace {

static_assert(formats::kDataFileMagic.size() == sizeof(T_FHEADER::magic));

std::atomic<int> g_scanCount{0};

int DaysFromCivil(int year, unsigned month, unsigned day)
{
    // Days since 1970-01-01 of a proleptic Gregorian date.
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<int>(dayOfEra) - 719468;
}

void FillStartTime(const SYSTEMTIME& start, T_DATAINF& info)
{
    info.tmSecond = start.wSecond;
    info.tmMinute = start.wMinute;
    info.tmHour = start.wHour;
    info.tmDay = start.wDay;
    info.tmMonth = start.wMonth - 1;
    info.tmYear = start.wYear - 1900;
    const int days = DaysFromCivil(start.wYear, start.wMonth, start.wDay);
    info.tmWeekDay = ((days % 7) + 11) % 7;  // 1970-01-01 was a Thursday (4)
    info.tmYearDay = days - DaysFromCivil(start.wYear, 1, 1);
}

double ShapeValue(WaveformChannel::Shape shape, double phase)
{
    constexpr double kTwoPi = 6.283185307179586;
    switch (shape) {
    case WaveformChannel::Shape::Sine: return std::sin(kTwoPi * phase);
    case WaveformChannel::Shape::Triangle: return 1.0 - 4.0 * std::fabs(phase - 0.5);
    case WaveformChannel::Shape::Square: return phase < 0.5 ? 1.0 : -1.0;
    case WaveformChannel::Shape::Ramp: return 2.0 * phase - 1.0;
    }
    return 0.0;
}

} // namespace

CMemBlockMan::CMemBlockMan() : CMemBlockMan(InstrumentProfile::Current()) {}

CMemBlockMan::CMemBlockMan(std::shared_ptr<const InstrumentProfile> profile) : m_profile(std::move(profile))
{
    const auto& blocks = m_profile->memoryBlocks;
    m_dataInfo.resize(blocks.size());
    m_headers.resize(blocks.size());
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const MemoryBlockProfile& block = blocks[b];
        T_DATAINF& info = m_dataInfo[b];
        info.dwBlockNo = static_cast<DWORD>(b);
        info.dwChannelCount = static_cast<DWORD>(block.channels.size());
        info.lDataSize = block.sampleCount;
        info.dwSamplingIntervalUs = block.samplingIntervalUs;
        for (const WaveformChannel& channel : block.channels)
            info.dwChannelMask |= 1u << channel.slot;
        wchar_t title[32];
        std::swprintf(title, 32, L"BLOCK %03d", static_cast<int>(b) + 1);
        win::CopyToUtf16Buffer(title, info.szTitle, std::size(info.szTitle));
        FillStartTime(block.start, info);

        T_FHEADER& header = m_headers[b];
        std::copy(formats::kDataFileMagic.begin(), formats::kDataFileMagic.end(), header.magic);
        header.dwChannelCount = info.dwChannelCount;
        header.lDataCount = info.lDataSize;
        header.dwSamplingIntervalUs = info.dwSamplingIntervalUs;
        header.dwChannelMask = info.dwChannelMask;
        header.stStart = block.start;
        for (std::size_t k = 0; k < block.channels.size() && k < 16; ++k) {
            header.fScale[k] = kFullScaleVolts / 32767.0f;
            header.szUnit[k][0] = u'V';
        }
    }
}

const MemoryBlockProfile* CMemBlockMan::Block(int block) const
{
    if (block < 0 || block >= GetNumBlocks())
        return nullptr;
    return &m_profile->memoryBlocks[static_cast<std::size_t>(block)];
}

int CMemBlockMan::GetNumBlocks() const
{
    return static_cast<int>(m_profile->memoryBlocks.size());
}

bool CMemBlockMan::IsEnableData(int block) const
{
    const MemoryBlockProfile* found = Block(block);
    return found && found->enabled;
}

const T_DATAINF* CMemBlockMan::GetDATAINF(int block) const
{
    return IsEnableData(block) ? &m_dataInfo[static_cast<std::size_t>(block)] : nullptr;
}

const T_FHEADER* CMemBlockMan::GetFHEADER(int block) const
{
    return IsEnableData(block) ? &m_headers[static_cast<std::size_t>(block)] : nullptr;
}

int CMemBlockMan::GetChannelSlot(int block, int channel) const
{
    const MemoryBlockProfile* found = Block(block);
    if (!found || !found->enabled || channel < 0 || channel >= static_cast<int>(found->channels.size()))
        return -1;
    return found->channels[static_cast<std::size_t>(channel)].slot;
}

std::vector<short> CMemBlockMan::GetChannelData(int block, int channel) const
{
    if (GetChannelSlot(block, channel) < 0)
        return {};
    const MemoryBlockProfile& found = *Block(block);
    const WaveformChannel& wave = found.channels[static_cast<std::size_t>(channel)];
    std::vector<short> samples(static_cast<std::size_t>(found.sampleCount));
    const double secondsPerSample = found.samplingIntervalUs * 1e-6;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        // Rounded to a nanocycle, so that a sample that falls on an edge in
        // decimal (a square wave's half period) lands on the side it does on paper.
        const double cycles = std::round(wave.frequencyHz * secondsPerSample * static_cast<double>(i) * 1e9) / 1e9;
        const double value = wave.offset + wave.amplitude * ShapeValue(wave.shape, cycles - std::floor(cycles));
        samples[i] = static_cast<short>(std::lround(std::fmin(32767.0, std::fmax(-32768.0, value))));
    }
    return samples;
}

LONGLONG CMemBlockMan::ScanMemBackupReserveSize()
{
    ++g_scanCount;
    const auto profile = InstrumentProfile::Current();
    LONGLONG held = 0;
    for (const MemoryBlockProfile& block : profile->memoryBlocks)
        if (block.enabled)
            held += static_cast<LONGLONG>(block.sampleCount) * static_cast<LONGLONG>(block.channels.size()) * 2;
    return held > profile->memBackupReserveSize ? held : profile->memBackupReserveSize;
}

int CMemBlockMan::GetScanCount()
{
    return g_scanCount.load();
}
