#include "pages/maintenance/VersionReport.h"

#include "host/Product.h"
#include "host/devices/AMPIO.h"
#include "host/devices/BRAMIO.h"
#include "host/devices/CommIO.h"
#include "host/devices/FLCUIO.h"
#include "host/devices/MLCUIO.h"
#include "host/devices/PRMPIO.h"
#include "host/devices/PrinterIO.h"
#include "pages/maintenance/MaintenanceIds.h"
#include "win/Registry.h"

#include <cstring>

namespace {

constexpr const wchar_t* kWindowsVersionKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr DWORD kRegistryBufferBytes = 511;

const wchar_t* const kReportFormat =
    L"製品ID          : %07d\n"
    L"メインプログラム: %s\n"
    L"ドライバ (MLCU) : %s\n"
    L"         (FLCU) : %s\n"
    L"         (PRMP) : %s\n"
    L"         (AMP)  : %s\n"
    L"         (BRAM) : %s\n"
    L"         (COMM) : %s\n"
    L"サブCPU (MLCU)  : %s\n"
    L"        (FLCU)  : %s\n"
    L"プリンタCPU     : %s\n"
    L"OS              : %s\n"
    L"                  %s\n"
    L"                  %s\n"
    L"Option          : %s\n"
    L"H/W Option      : %s\n";

// A sub-CPU board's driver reports its version in the two bytes at 2 and 3.
CString BoardDriverText(const T_DRIVER_VERSION* record)
{
    CString text;
    text.Format(L"V%X.%02X", static_cast<unsigned>(record->bMajor), static_cast<unsigned>(record->bMinor));
    return text;
}

// The other drivers report theirs in the words at 4 and 8.
CString DriverText(const T_DRIVER_VERSION* record)
{
    CString text;
    text.Format(L"V%X.%02X", static_cast<unsigned>(record->dwMajor), static_cast<unsigned>(record->dwMinor));
    return text;
}

CString CpuText(const T_CPU_VERSION* record)
{
    CString text;
    text.Format(L"V%X.%02X (H/W:%04X) RAM %dMB", static_cast<unsigned>(record->dwMajor),
                static_cast<unsigned>(record->dwMinor), static_cast<unsigned>(record->dwHwVersion),
                static_cast<int>(record->dwRamSize));
    return text;
}

// One text value of the Windows version key; false, and `text` untouched,
// when the key or the value cannot be read.
bool ReadVersionValue(const wchar_t* name, CString& text)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kWindowsVersionKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    // One character more than the bytes hold, so that the text always ends.
    wchar_t buffer[kRegistryBufferBytes / sizeof(wchar_t) + 1] = {};
    DWORD type = 0;
    DWORD size = kRegistryBufferBytes;
    const bool read = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
                      ERROR_SUCCESS;
    RegCloseKey(key);
    if (!read)
        return false;
    text = buffer;
    return true;
}

}  // namespace

CString VersionReport::RevisionLetter(int code)
{
    CString letter;
    if (code != 0)
        letter += static_cast<wchar_t>(code < 100 ? code + 96 : code - 35);
    return letter;
}

CString VersionReport::MainProgram(bool withText)
{
    int major = 0, minor = 0, revision = 0, build = 0;
    CString text;
    GetMainProgramVersion(&major, &minor, &revision, &build, &text);
    CString version;
    if (withText)
        version.Format(L"V%d.%d%s build %d %s", major, minor, RevisionLetter(revision).GetString(), build,
                       text.GetString());
    else
        version.Format(L"V%d.%d%s build %d", major, minor, RevisionLetter(revision).GetString(), build);
    return version;
}

void VersionReport::OperatingSystem(CString& product, CString& version, CString& servicePack)
{
    ReadVersionValue(L"ProductName", product);
    CString number, build;
    if (ReadVersionValue(L"CurrentVersion", number) && ReadVersionValue(L"CurrentBuildNumber", build))
        version.Format(L"%s build %s", number.GetString(), build.GetString());
    ReadVersionValue(L"CSDVersion", servicePack);
}

CString VersionReport::HardwareOptions()
{
    const CPRMPIO board;
    CString options;
    if (board.DetectRemote())
        options += L"REMOTE  ";
    if (board.DetectCLKSync())
        options += L"CLKSYNC  ";
    if (board.DetectRS232C())
        options += L"RS232C  ";
    if (board.DetectGPS())
        options += L"GPS  ";
    if (board.DetectEvent())
        options += L"EVENT  ";
    return options;
}

CString VersionReport::Build(PrinterIO& printer)
{
    const CString mainProgram = MainProgram(true);
    const CString mlcuDriver = BoardDriverText(CMLCUIO::GetDriverVersion());
    const CString flcuDriver = BoardDriverText(CFLCUIO::GetDriverVersion());
    const T_DRIVER_VERSION* prmp = CPRMPIO::GetDriverVersion();
    const T_DRIVER_VERSION* keyPanel = CPRMPIO::GetDriverVersionKP();
    CString prmpDriver;
    prmpDriver.Format(L"V%X.%02X (KP:V%X.%02X)", static_cast<unsigned>(prmp->dwMajor),
                      static_cast<unsigned>(prmp->dwMinor), static_cast<unsigned>(keyPanel->dwMajor),
                      static_cast<unsigned>(keyPanel->dwMinor));
    const T_DRIVER_VERSION* amp = CAMPIO::GetDriverVersion();
    CString ampDriver;
    ampDriver.Format(L"V%X.%02X (H/W:%04X)", static_cast<unsigned>(amp->dwMajor), static_cast<unsigned>(amp->dwMinor),
                     static_cast<unsigned>(CPRMPIO::GetHwVersion() & 0xFFFF));
    const CString bramDriver = DriverText(CBRAMIO::GetDriverVersion());
    const CString commDriver = DriverText(CommIO::GetDriverVersion());
    const CString mlcu = CpuText(CMLCUIO::GetVersion());
    const CString flcu = CpuText(CFLCUIO::GetVersion());

    CString option;
    if (IsOptionKQ58_751() == 1)
        option += L"KQ58-751";
    if (option.IsEmpty())
        option = L"None";
    const CString hardwareOptions = HardwareOptions();
    CString osProduct, osVersion, osServicePack;
    OperatingSystem(osProduct, osVersion, osServicePack);
    const CString printerVersion = printer.GetPrinterVersion(true);

    CString report;
    report.Format(maintenance_ids::Text(100, kReportFormat), static_cast<int>(GetMachineID()), mainProgram.GetString(),
                  mlcuDriver.GetString(), flcuDriver.GetString(), prmpDriver.GetString(), ampDriver.GetString(),
                  bramDriver.GetString(), commDriver.GetString(), mlcu.GetString(), flcu.GetString(),
                  printerVersion.GetString(), osProduct.GetString(), osVersion.GetString(),
                  osServicePack.GetString(), option.GetString(), hardwareOptions.GetString());
    return report;
}
