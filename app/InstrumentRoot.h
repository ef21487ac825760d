// The simulator's data root: the drive folders the platform maps drive
// letters to (<root>/C, <root>/D, <root>/E), the host's own files under
// <root>/host, and the sample content a new root starts with.
//
// Recorded data files (".FSD", ".FPP", ".DRT") written by this host are:
//   SYSDLG-SIM RECORDED DATA 1        first line
//   start = 2024/05/14 09:30:15       key = value lines
//   interval_us = 100
//   samples = 2000                    per channel
//   channels = 0,1,2                  amplifier slots
//   data                              then samples * channels little-endian
//                                     16-bit values, one sample of every
//                                     channel after another
#pragma once

#include "host/InstrumentProfile.h"

#include <string>

class InstrumentRoot {
public:
    explicit InstrumentRoot(std::string root);

    // Makes the root and its drives and points the platform's drive mapping
    // at it. A root whose drive D did not exist yet gets the sample content.
    bool Prepare(std::string& error);
    bool CreatedSamples() const { return m_createdSamples; }

    const std::string& Path() const { return m_root; }
    std::string HostFolder() const { return m_root + "/host"; }
    std::string StatePath() const { return HostFolder() + "/state.txt"; }
    std::string ProfilePath() const { return HostFolder() + "/instrument.txt"; }

    // Writes one recorded data file of the block's channels.
    static bool WriteRecordedData(const std::string& posixPath, const MemoryBlockProfile& block,
                                  std::string& error);

private:
    bool WriteSamples(std::string& error);

    std::string m_root;
    bool m_createdSamples = false;
};
