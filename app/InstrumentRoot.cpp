#include "InstrumentRoot.h"

#include "host/formats/DataFile.h"
#include "host/formats/MemoryBlockData.h"
#include "win/Drives.h"

#include <filesystem>
#include <fstream>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

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

bool InstrumentRoot::LoadProfile(const std::string& named, std::string& error, std::string& note) const
{
    InstrumentProfile profile = InstrumentProfile::Default();
    if (!named.empty()) {
        if (!InstrumentProfile::LoadFromFile(named, profile, error))
            return false;
        InstrumentProfile::SetCurrent(std::move(profile));
        return true;
    }
    const std::string path = ProfilePath();
    struct stat info{};
    if (::lstat(path.c_str(), &info) != 0)
        return true;
    std::string damage;
    if (!InstrumentProfile::LoadFromFile(path, profile, damage, win::FollowLinks::No)) {
        const std::string aside = SetAside(path);
        note = damage + "; starting with the default instrument" + (aside.empty() ? "" : ", the file kept as " + aside);
        InstrumentProfile::SetCurrent(InstrumentProfile::Default());
        return true;
    }
    InstrumentProfile::SetCurrent(std::move(profile));
    return true;
}

std::string InstrumentRoot::SetAside(const std::string& path)
{
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        std::string aside = path + "." + stamp + (attempt > 1 ? "-" + std::to_string(attempt) : "") + ".bad";
        // link then unlink never replaces an earlier copy, as rename would.
        if (::link(path.c_str(), aside.c_str()) == 0) {
            ::unlink(path.c_str());
            return aside;
        }
        if (errno != EEXIST)
            break;
    }
    // A FIFO or a link cannot always be linked (other file system rules):
    // renaming onto a fresh name is the fallback.
    std::string aside = path + "." + stamp + "-" + std::to_string(::getpid()) + ".bad";
    struct stat info{};
    if (::lstat(aside.c_str(), &info) != 0 && std::rename(path.c_str(), aside.c_str()) == 0)
        return aside;
    return "";
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
    return MakeStandIns(error);
}

bool InstrumentRoot::MakeStandIns(std::string& error)
{
    // The platform starts them with SYSDLG_DATA_ROOT set; run by hand, the
    // root is found from where they lie.
    static const char kWriteFilter[] =
        "#!/bin/sh\n"
        "# Stand-in for the system's write-filter manager: records each run in\n"
        "# <data root>/host/ewfmgr.log and succeeds.\n"
        "root=\"${SYSDLG_DATA_ROOT:-$(cd \"$(dirname \"$0\")/../../..\" && pwd)}\"\n"
        "mkdir -p \"$root/host\" || exit 1\n"
        "printf '%s EWFMGR.EXE %s\\n' \"$(date '+%Y-%m-%d %H:%M:%S')\" \"$*\" >> \"$root/host/ewfmgr.log\" || exit 1\n"
        "exit 0\n";
    static const char kCalibration[] =
        "#!/bin/sh\n"
        "# Stand-in for the touch-panel driver's calibration program: records each\n"
        "# run and the folder it ran in in <data root>/host/calibration.log.\n"
        "root=\"${SYSDLG_DATA_ROOT:-$(cd \"$(dirname \"$0\")/../../../..\" && pwd)}\"\n"
        "mkdir -p \"$root/host\" || exit 1\n"
        "printf '%s TouchPanelCalibration.exe %s\\n' \"$(date '+%Y-%m-%d %H:%M:%S')\" \"$PWD\" >> \"$root/host/calibration.log\" || exit 1\n"
        "exit 0\n";
    return MakeStandIn(WriteFilterToolPath(), kWriteFilter, error) &&
           MakeStandIn(CalibrationProgramPath(), kCalibration, error);
}

bool InstrumentRoot::MakeStandIn(const std::string& path, const char* script, std::string& error)
{
    struct stat info{};
    if (stat(path.c_str(), &info) == 0)
        return true;  // an existing one (perhaps set up for a test) is kept
    if (!MakeFolder(path.substr(0, path.rfind('/')), error))
        return false;
    std::string temporary = path + ".making";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << script;
        if (!file) {
            error = "cannot write " + temporary;
            return false;
        }
    }
    if (chmod(temporary.c_str(), 0755) != 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        error = "cannot make " + path;
        return false;
    }
    return true;
}

bool InstrumentRoot::WriteSamples(std::string& error)
{
    std::string data = m_root + "/D/data";
    if (!MakeFolder(data, error))
        return false;
    struct Sample {
        const char* name;
        formats::DataFileKind kind;
    };
    const Sample samples[] = {{"WAVE0001.FSD", formats::DataFileKind::Fsd},
                              {"WAVE0002.FSD", formats::DataFileKind::Fsd},
                              {"PEN0001.FPP", formats::DataFileKind::Fpp},
                              {"HD0001.DRT", formats::DataFileKind::Drt},
                              {"CALC0001.CLC", formats::DataFileKind::Clc}};
    for (int i = 0; i < static_cast<int>(std::size(samples)); ++i)
        if (!WriteRecordedData(data + "/" + samples[i].name, SampleBlock(i), samples[i].kind, error))
            return false;
    return MakeFolder(m_root + "/D/setup", error) && MakeFolder(m_root + "/C/temp", error);
}

bool InstrumentRoot::WriteRecordedData(const std::string& posixPath, const MemoryBlockProfile& block,
                                       formats::DataFileKind kind, std::string& error)
{
    // The block as a waveform memory holding it would: the same samples as a
    // memory save of it.
    InstrumentProfile holding;
    holding.memoryBlocks = {block};
    formats::RecordedData data;
    std::string why;
    if (!formats::ReadMemoryBlock(CMemBlockMan(std::make_shared<const InstrumentProfile>(std::move(holding))), 0,
                                  data, why)) {
        error = "no data for " + posixPath + ": " + why;
        return false;
    }
    data.kind = kind;
    if (!formats::WriteDataFile(posixPath, data, &why)) {
        error = "cannot write " + posixPath + ": " + why;
        return false;
    }
    return true;
}
