#include "host/Product.h"

#include "host/InstrumentProfile.h"

#include <cwchar>
#include <mutex>
#include <string>
#include <unordered_set>

namespace {

// Stands for the loaded export library; only its address is used.
struct ExportLibraryModule {
    char unused = 0;
} g_exportLibrary;

// Names handed out stay valid although the profile may be replaced.
const wchar_t* Intern(std::wstring name)
{
    static std::mutex mutex;
    static std::unordered_set<std::wstring> names;
    std::lock_guard<std::mutex> lock(mutex);
    return names.insert(std::move(name)).first->c_str();
}

} // namespace

DWORD GetMachineID()
{
    return InstrumentProfile::Current()->productId;
}

void GetMainProgramVersion(int* major, int* minor, int* revision, int* build, CString* text)
{
    const auto profile = InstrumentProfile::Current();
    const MainProgramVersion& version = profile->mainProgram;
    if (major)
        *major = version.major;
    if (minor)
        *minor = version.minor;
    if (revision)
        *revision = version.revision;
    if (build)
        *build = version.build;
    if (text)
        *text = version.text;
}

const wchar_t* GetAmpTypeName(int code)
{
    if (code == 0)
        return L"----";
    const auto profile = InstrumentProfile::Current();
    if (const auto found = profile->ampTypeNames.find(code); found != profile->ampTypeNames.end())
        return Intern(found->second);
    wchar_t fallback[24];
    std::swprintf(fallback, 24, L"AMP(%02X)", static_cast<unsigned>(code));
    return Intern(fallback);
}

bool IsPW7200()
{
    return InstrumentProfile::Current()->pw7200;
}

BOOL IsOptionKQ58_751()
{
    return InstrumentProfile::Current()->optionKQ58_751;
}

HMODULE GetExportDLL()
{
    if (!InstrumentProfile::Current()->exportLibrary)
        return nullptr;
    return reinterpret_cast<HMODULE>(&g_exportLibrary);
}
