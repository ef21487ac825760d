#include "pages/mode/ConfigSnapshot.h"

#include "host/ConfigSysMeas.h"
#include "host/ConfigSysRec.h"
#include "host/Product.h"
#include "host/devices/AMPIO.h"
#include "host/devices/PRMPIO.h"

#include <cstring>
#include <type_traits>

namespace {

constexpr int kAmpSlots = 16;
constexpr const wchar_t* kLineEnd = L"\r\n";
// Shown for an empty amplifier slot, and for a mode or port this system
// does not know (a copy can hold anything the host stored).
constexpr const wchar_t* kNone = L"----";

const wchar_t* MeasureModeName(int mode)
{
    static constexpr const wchar_t* names[] = {L"PEN RECORDER", L"MEMORY RECORDER", L"HD RECORDER",
                                               L"MULTI RECORDER", L"X-Y RECORDER"};
    return mode >= 0 && mode < 5 ? names[mode] : kNone;
}

const wchar_t* CommPortName(DWORD port)
{
    static constexpr const wchar_t* names[] = {L"NONE", L"RS-232C", L"LAN"};
    return port < 3 ? names[port] : kNone;
}

// The configuration objects are plain data: a byte copy of one is read
// through its accessors by copying it back into an object.
template <class Object>
std::unique_ptr<Object> ObjectFrom(const BYTE* bytes)
{
    static_assert(std::is_trivially_copyable_v<Object>);
    auto object = std::make_unique<Object>();
    std::memcpy(static_cast<void*>(object.get()), bytes, sizeof(Object));
    return object;
}

}  // namespace

static_assert(sizeof(CONFIG_SYSMEAS) == CONFIG_SYSMEAS_SIZE);
static_assert(sizeof(CONFIG_SYSREC) == CONFIG_SYSREC_SIZE);

ConfigSnapshot::ConfigSnapshot() : m_bytes(new BYTE[kSize]()) {}

ConfigSnapshot::~ConfigSnapshot() = default;

void ConfigSnapshot::CopyIn(std::size_t offset, const void* source, std::size_t size)
{
    if (source)
        std::memcpy(m_bytes.get() + offset, source, size);
    else
        std::memset(m_bytes.get() + offset, 0, size);
}

void ConfigSnapshot::Take(const T_CONFIG_SYSTEM& config)
{
    CopyIn(kSysMeasOffset, config.pSysMeas, CONFIG_SYSMEAS_SIZE);
    CopyIn(kFolderOffset, config.pCurrentFolder, CURRENT_FOLDER_SIZE);
    CopyIn(kSysRecOffset, config.pSysRec1, CONFIG_SYSREC_SIZE);
    CopyIn(kCommOffset, config.pComm, CONFIG_COMM_SIZE);
    CopyIn(kMiscOffset, config.pMisc, CONFIG_MISC_SIZE);
}

int ConfigSnapshot::GetMeasureMode() const
{
    return ObjectFrom<CONFIG_SYSMEAS>(m_bytes.get() + kSysMeasOffset)->GetMode();
}

DWORD ConfigSnapshot::GetFeedLen() const
{
    return ObjectFrom<CONFIG_SYSREC>(m_bytes.get() + kSysRecOffset)->GetFeedLen();
}

DWORD ConfigSnapshot::GetUseChanMask() const
{
    return ObjectFrom<CONFIG_SYSREC>(m_bytes.get() + kSysRecOffset)->GetUseChanMask();
}

DWORD ConfigSnapshot::GetTotalMemSize() const
{
    return ObjectFrom<CONFIG_SYSREC>(m_bytes.get() + kSysRecOffset)->GetTotalMemSize();
}

DWORD ConfigSnapshot::GetCommPort() const
{
    T_CONFIG_COMM comm;
    std::memcpy(&comm, m_bytes.get() + kCommOffset, sizeof comm);
    return comm.dwPort;
}

CString ConfigSnapshot::BuildSummary() const
{
    auto recording = ObjectFrom<CONFIG_SYSREC>(m_bytes.get() + kSysRecOffset);
    // The amplifier slots are the instrument's own, read while the summary
    // is built; the board object lives alongside as the host expects.
    CAMPIO amplifiers;
    [[maybe_unused]] CPRMPIO board;

    CString text;
    text.Format(L"Measure Mode: %s%s", MeasureModeName(GetMeasureMode()), kLineEnd);
    CString before = text;
    text.Format(L"%sFeed legth: %d%s", before.GetString(), static_cast<int>(recording->GetFeedLen()), kLineEnd);

    BYTE typeCodes[kAmpSlots] = {};
    for (int slot = 0; slot < kAmpSlots; ++slot) {
        typeCodes[slot] = amplifiers.GetAmpTypeCode(slot);
        const wchar_t* name = typeCodes[slot] != 0 ? GetAmpTypeName(typeCodes[slot]) : nullptr;
        before = text;
        text.Format(L"%sSLOT-%02d %s%s", before.GetString(), slot + 1, name ? name : kNone, kLineEnd);
    }

    // An amplifier slot's channel counts only where an amplifier is fitted;
    // the bits above the slots (the event input) count as they are.
    DWORD channels = recording->GetUseChanMask();
    for (int slot = 0; slot < kAmpSlots; ++slot) {
        if (typeCodes[slot] == 0)
            channels &= ~(1u << slot);
    }
    unsigned count = 0;
    for (DWORD rest = channels; rest != 0; rest &= rest - 1)
        ++count;
    if (count != 0) {
        const unsigned wordsPerChannel = (recording->GetTotalMemSize() >> 1) / count;
        before = text;
        text.Format(L"%sMemory size: %d W/CH%s", before.GetString(), static_cast<int>(wordsPerChannel), kLineEnd);
    }

    before = text;
    text.Format(L"%sCOMM: %s%s", before.GetString(), CommPortName(GetCommPort()), kLineEnd);
    return text;
}
