// A byte copy of everything the configuration record points to, taken when
// the saved-setups dialog opens (and again when "現在値" is pressed): the
// measurement configuration, the folder buffer, the first recording
// configuration, the communication block and the auxiliary block, in that
// order and at their instrument sizes, 86128 bytes in all. The dialog's
// summary of the current values is built from this copy, never from the
// live objects.
#pragma once

#include "core/ConfigRecords.h"
#include "win/CString.h"

#include <cstddef>
#include <memory>

class ConfigSnapshot {
public:
    static constexpr std::size_t kSysMeasOffset = 0;
    static constexpr std::size_t kFolderOffset = kSysMeasOffset + CONFIG_SYSMEAS_SIZE;
    static constexpr std::size_t kSysRecOffset = kFolderOffset + CURRENT_FOLDER_SIZE;
    static constexpr std::size_t kCommOffset = kSysRecOffset + CONFIG_SYSREC_SIZE;
    static constexpr std::size_t kMiscOffset = kCommOffset + CONFIG_COMM_SIZE;
    static constexpr std::size_t kSize = kMiscOffset + CONFIG_MISC_SIZE;
    static_assert(kSize == 86128);

    ConfigSnapshot();
    ~ConfigSnapshot();
    ConfigSnapshot(const ConfigSnapshot&) = delete;
    ConfigSnapshot& operator=(const ConfigSnapshot&) = delete;

    // Copies the five objects and blocks. A member the host left null reads
    // as zeros rather than being copied from nowhere.
    void Take(const T_CONFIG_SYSTEM& config);

    const BYTE* Bytes() const { return m_bytes.get(); }

    // Values read back from the copy through the objects' own accessors.
    int GetMeasureMode() const;
    DWORD GetFeedLen() const;
    DWORD GetUseChanMask() const;
    DWORD GetTotalMemSize() const;
    DWORD GetCommPort() const;

    // The summary: measurement mode, feed length, the sixteen amplifier
    // slots, the memory per channel in use and the communication port, each
    // line ended by CR LF. Amplifier slots come from the instrument itself.
    CString BuildSummary() const;

private:
    void CopyIn(std::size_t offset, const void* source, std::size_t size);

    std::unique_ptr<BYTE[]> m_bytes;
};
