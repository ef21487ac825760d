// The simulator's data root: the drive folders the platform maps drive
// letters to (<root>/C, <root>/D, <root>/E), the host's own files under
// <root>/host, and the sample content a new root starts with: recorded data
// files of the four kinds in D:\data\ (the host's recorded-data container of
// host/formats/DataFile.h, with real sampled waveforms), the folders
// D:\setup\ and C:\temp\.
//
// Every root, new or not, has the stand-in of the system's write-filter tool,
// C:\WINDOWS\system32\EWFMGR.EXE: a shell script that appends one line per run
// to <root>/host/ewfmgr.log ("2024-05-14 09:30:15 EWFMGR.EXE C: -disable")
// and succeeds. Likewise the stand-in of the touch panel's calibration
// program, C:\Program Files\Gunze\Gunze TPDD\TouchPanelCalibration.exe,
// which notes each run and its folder in <root>/host/calibration.log. A
// missing stand-in is made again at the next start.
#pragma once

#include "host/InstrumentProfile.h"
#include "host/formats/RecordedData.h"

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
    std::string WriteFilterToolPath() const { return m_root + "/C/WINDOWS/system32/EWFMGR.EXE"; }
    std::string WriteFilterLogPath() const { return HostFolder() + "/ewfmgr.log"; }
    std::string CalibrationProgramPath() const
    {
        return m_root + "/C/Program Files/Gunze/Gunze TPDD/TouchPanelCalibration.exe";
    }
    std::string CalibrationLogPath() const { return HostFolder() + "/calibration.log"; }
    // The instrument clock's offset from the machine's (InstrumentClock).
    std::string ClockPath() const { return HostFolder() + "/clock.txt"; }
    std::string LanguagePath() const { return HostFolder() + "/language.txt"; }

    // Makes the current instrument profile the file `named` (which must be
    // right: false and `error` otherwise) or, without one, the instrument as
    // the last run left it. A damaged kept instrument is set aside and the
    // default instrument used; `note` then says so.
    bool LoadProfile(const std::string& named, std::string& error, std::string& note) const;

    // Moves a damaged host file out of the way as "<path>.<UTC time>.bad"
    // (with "-2", "-3", ... when that name is taken), so that each damaged
    // file is kept for a look. The new path, or "" when it could not be moved.
    static std::string SetAside(const std::string& path);

    // Writes one recorded data file of the block's channels, of the given kind.
    static bool WriteRecordedData(const std::string& posixPath, const MemoryBlockProfile& block,
                                  formats::DataFileKind kind, std::string& error);

private:
    bool WriteSamples(std::string& error);
    bool MakeStandIns(std::string& error);
    static bool MakeStandIn(const std::string& path, const char* script, std::string& error);

    std::string m_root;
    bool m_createdSamples = false;
};
