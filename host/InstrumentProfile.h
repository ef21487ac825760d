// The simulated instrument: everything the host's device and product
// queries report about the hardware they run on. A built-in default describes
// a fully fitted instrument; a profile file (see ProfileFile.h for its
// format) can change any part of it. One profile is current per process;
// device classes read it at each call, and the few that change the
// instrument (the network adapter's configuration) write it back through
// Modify, so the simulator sees and can persist what changed.
#pragma once

#include "win/WholeFile.h"
#include "win/Win32Types.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// One recorded channel of a memory block, generated from its shape rather
// than stored, so that a profile file stays small and readable.
struct WaveformChannel {
    enum class Shape { Sine, Triangle, Square, Ramp };
    int slot = 0;              // amplifier slot 0 to 15 the channel came from
    Shape shape = Shape::Sine;
    double frequencyHz = 50.0;
    int amplitude = 10000;     // peak value in A/D counts (16-bit samples)
    int offset = 0;            // added to every sample, in A/D counts
};

struct MemoryBlockProfile {
    bool enabled = false;      // the block holds data
    SYSTEMTIME start{2000, 1, 6, 1, 0, 0, 0, 0}; // local trigger time of the recording
    int sampleCount = 0;       // samples per channel
    DWORD samplingIntervalUs = 100;
    std::vector<WaveformChannel> channels;
};

struct VersionPair {
    DWORD major = 0;
    DWORD minor = 0;
};

struct SubCpuVersion {
    DWORD major = 0;
    DWORD minor = 0;
    DWORD hardware = 0;
    DWORD ramMegabytes = 0;
};

// Where an injected printer failure strikes.
enum class PrinterFailurePoint { None, Lock, Start, Pattern, DataChart };

struct PrinterProfile {
    std::wstring version;           // firmware version text
    int patternMilliseconds = 1500; // simulated time to print one test pattern
    PrinterFailurePoint failAt = PrinterFailurePoint::None;
    int failAfterPatterns = 0;      // with Pattern: patterns that print before the failure
    DWORD failureCode = 1;          // selects the failure message (PrinterIOException)
    DWORD failureState = 2;         // above 1 is a failure the operator must see
};

struct NetworkProfile {
    bool dhcp = false;
    DWORD address = 0;              // first dotted number in the most significant byte
    DWORD mask = 0;
    DWORD gateway = 0;
    int setConfigResult = 1;        // 1 applied, 2 applied after a restart, other: failed
};

struct InterfaceProfile {
    bool rs232c = true;
    bool event = true;
    bool gps = false;
    bool clockSync = false;
    bool remote = true;
};

struct MainProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;               // letter code: 0 none, 1.. 'a'.., 100.. 'A'..
    int build = 0;
    std::wstring text;
};

class InstrumentProfile {
public:
    static constexpr int kAmpSlots = 16;
    static constexpr int kMaxMemoryBlocks = 256;
    static constexpr int kMaxSamplesPerChannel = 1 << 20;

    DWORD productId = 0;
    bool pw7200 = false;
    int optionKQ58_751 = 0;         // the option counts as present only when 1
    MainProgramVersion mainProgram;

    VersionPair mlcuDriver, flcuDriver, prmpDriver, prmpDriverKP, ampDriver, bramDriver, commDriver;
    SubCpuVersion mlcu, flcu;
    DWORD prmpHardwareVersion = 0;

    std::array<BYTE, kAmpSlots> ampTypes{};   // 0 is an empty slot
    std::map<int, std::wstring> ampTypeNames; // type code to display name

    InterfaceProfile interfaces;
    NetworkProfile network;

    std::vector<MemoryBlockProfile> memoryBlocks;
    LONGLONG memBackupReserveSize = 0;

    bool exportLibrary = true;
    PrinterProfile printer;
    int usbEjectResult = 1;         // non-zero: the drives were released

    std::wstring playbackFile;      // Windows path open on the playback screen, empty for none
    bool playbackCloseSucceeds = true;

    // The instrument the simulator starts with when no profile file is given.
    static InstrumentProfile Default();

    // Reads a profile file on top of the built-in default. On failure `out`
    // is left as it was and `error` names the line and the fault.
    static bool LoadFromFile(const std::string& path, InstrumentProfile& out, std::string& error,
                             win::FollowLinks links = win::FollowLinks::Yes);

    // The process-wide current profile. Current() hands out an immutable
    // snapshot that stays valid however the profile changes afterwards.
    static std::shared_ptr<const InstrumentProfile> Current();
    static void SetCurrent(InstrumentProfile profile);
    // Changes the current profile atomically (copy, change, publish). The
    // change runs under the profile's lock: it must not call Current,
    // SetCurrent or Modify itself.
    static void Modify(const std::function<void(InstrumentProfile&)>& change);
};
