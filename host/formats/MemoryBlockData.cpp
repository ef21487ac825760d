#include "host/formats/MemoryBlockData.h"

#include "win/TextConvert.h"

#include <cstdio>

namespace formats {

bool ReadMemoryBlock(const CMemBlockMan& memory, int block, RecordedData& data, std::string& error)
{
    const std::string named = "memory block " + std::to_string(block + 1);
    if (block < 0 || block >= memory.GetNumBlocks()) {
        error = "no " + named;
        return false;
    }
    const T_DATAINF* info = memory.GetDATAINF(block);
    const T_FHEADER* header = memory.GetFHEADER(block);
    if (!info || !header) {
        error = named + " holds no data";
        return false;
    }
    RecordedData result;
    result.kind = DataFileKind::Fsd;
    result.start = header->stStart;
    result.intervalSeconds = header->dwSamplingIntervalUs / 1e6;
    for (int channel = 0; channel < static_cast<int>(info->dwChannelCount); ++channel) {
        DataChannel out;
        out.slot = memory.GetChannelSlot(block, channel);
        std::vector<short> samples = memory.GetChannelData(block, channel);
        out.samples.assign(samples.begin(), samples.end());
        wchar_t name[16];
        std::swprintf(name, 16, L"CH%02d", out.slot + 1);
        out.name = name;
        if (channel < 16) {
            out.scale = header->fScale[channel];
            out.offset = header->fOffset[channel];
            out.unit = win::Utf16FieldToWide(header->szUnit[channel], 8);
        }
        result.channels.push_back(std::move(out));
    }
    std::string invalid = ValidateRecordedData(result);
    if (!invalid.empty()) {
        error = named + " is damaged: " + invalid;
        return false;
    }
    data = std::move(result);
    return true;
}

}  // namespace formats
