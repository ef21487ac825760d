// The entries of one folder for a find-first search. The names are read in
// one pass over the open folder, without a look-up per entry, and put in the
// order NTFS gives them: by name without regard to case (NameMatch.h), the
// same names in byte order. What else an entry has (type, size, times,
// attributes) is read only when the entry is reached, with one statx
// relative to the open folder.
//
// Left out: "." and ".." (the search adds them), names that are not UTF-8
// or that a Windows path cannot spell, and, when reached, entries that
// vanished and symbolic links that lead out of the folder's drive (they are
// followed beneath the drive's folder, Beneath.h).
#pragma once

#include "win/Descriptor.h"
#include "win/FileInfo.h"
#include "win/ResolvedPath.h"
#include "win/WinNT.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

class FolderListing {
public:
    // Every entry of the folder. Null with errno set when the folder cannot
    // be read.
    static std::unique_ptr<FolderListing> ReadAll(const ResolvedPath& folder);
    // The entry named `name`: that spelling when it exists, else the first
    // in byte order that equals it without regard to case. No pass over the
    // folder when the spelling exists.
    static std::unique_ptr<FolderListing> ReadOne(const ResolvedPath& folder, std::wstring_view name);
    // Every entry of the same open folder.
    std::unique_ptr<FolderListing> ReadAllAgain() const;

    ~FolderListing();
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    std::size_t Count() const { return m_entries.size(); }
    // Writes entry `index`'s name, terminated, into `buffer` (MAX_PATH
    // characters; every listed name fits) and returns it.
    std::wstring_view Name(std::size_t index, wchar_t* buffer) const;
    // Nothing when the entry vanished or leads out of the data root.
    std::optional<FileInfo> Info(std::size_t index, std::wstring_view name) const;
    // The folder itself (".") or its parent ("..").
    std::optional<FileInfo> DotInfo(bool parent) const;

private:
    struct Entry {
        std::uint64_t keyHigh = 0;  // the first 16 folded characters, see Add
        std::uint64_t keyLow = 0;
        std::uint32_t offset = 0;   // of the UTF-8 name in m_names
        std::uint16_t length = 0;   // in bytes
        bool keyIsWholeName = false;
        bool ascii = false;
    };

    FolderListing(Descriptor descriptor, std::shared_ptr<const Descriptor> drive, std::string beneath);
    static std::unique_ptr<FolderListing> ReadAllOf(std::unique_ptr<FolderListing> listing);
    bool Add(std::string_view posixName);
    void Sort();
    bool Less(const Entry& a, const Entry& b) const;
    std::string_view PosixName(const Entry& entry) const;

    Descriptor m_descriptor;
    std::shared_ptr<const Descriptor> m_drive;  // the drive's folder, where links are followed
    std::string m_beneath;                      // the folder's path below it
    bool m_readsStoredAttributes;
    std::vector<Entry> m_entries;
    std::vector<char> m_names;  // the UTF-8 names, each followed by a NUL
};

}  // namespace win
