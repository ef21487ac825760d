// What the host does for the file page's data-file requests: a waveform-memory
// block written to a file (DLGREQ_SAVE_MEMORY_BLOCK), a recorded data file
// converted to CSV (DLGREQ_CONVERT_FILE_CSV) and a recorded data file
// exported for MATLAB, FAMOS or DIAdem (DLGREQ_EXPORT_FILE). The files are
// those of host/formats: the recorded-data container for ".FSD" memory files,
// CSV, Level 4 MAT-files and the host's FAMOS and DIAdem transfer files.
//
// A missing or damaged source writes nothing. Every file is written
// atomically: a destination that cannot be written keeps no partial file, and
// an existing file of that name stays as it was.
#pragma once

#include "host/formats/RecordedData.h"
#include "win/Win32Types.h"

#include <string>

class DataFileRequests {
public:
    // The answer for the request's result byte, and what the host did, for
    // the request log ("wrote D:\data\001.FSD", "refused: ...").
    struct Outcome {
        bool done = false;
        std::string note;
    };

    // Block index from 0; format 1 the recorded-data container (kind FSD),
    // 0 CSV of the block's samples.
    static Outcome SaveMemoryBlock(long long blockIndex, const wchar_t* destination, DWORD format);
    // A recorded data file of the four kinds (.FSD, .FPP, .DRT, .CLC) to CSV.
    static Outcome ConvertToCsv(const wchar_t* source, const wchar_t* destination);
    // Into `folder`, named after the source without its extension: format 2
    // "<name>.mat", 3 "<name>.raw", 4 "<name>.dat" with "<name>.r64".
    static Outcome Export(const wchar_t* folder, const wchar_t* source, DWORD format);

    // The block as the waveform memory holds it (CMemBlockMan): its channels'
    // samples, scales, units and amplifier slots. False for a block that does
    // not exist or holds no data.
    static bool ReadMemoryBlock(long long blockIndex, formats::RecordedData& data, std::string& error);
    // A recorded data file by its Windows path; false for a path outside the
    // drives, an extension of another kind, a missing or a damaged file.
    static bool ReadRecordedFile(const wchar_t* source, formats::RecordedData& data, std::string& error);
};
