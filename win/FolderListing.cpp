#include "win/FolderListing.h"

#include "win/Beneath.h"
#include "win/FreedMemory.h"
#include "win/NameMatch.h"
#include "win/SortPrefix.h"
#include "win/TextConvert.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace win {
namespace {

constexpr unsigned kStatxFields = STATX_BASIC_STATS | STATX_BTIME;
constexpr std::size_t kKeyCharacters = SortPrefix::kCharacters;

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Decodes a name into `buffer` (MAX_PATH characters, terminated); the
// length, or npos when the name is not UTF-8 or too long for Windows.
std::size_t Decode(std::string_view name, bool ascii, wchar_t* buffer)
{
    if (ascii) {
        if (name.size() >= MAX_PATH)
            return std::string_view::npos;
        for (std::size_t i = 0; i < name.size(); ++i)
            buffer[i] = static_cast<unsigned char>(name[i]);
        buffer[name.size()] = L'\0';
        return name.size();
    }
    if (!IsValidUtf8(name))
        return std::string_view::npos;
    const std::wstring wide = Utf8ToWide(name);
    if (wide.size() >= MAX_PATH)
        return std::string_view::npos;
    std::copy(wide.begin(), wide.end(), buffer);
    buffer[wide.size()] = L'\0';
    return wide.size();
}

// Reads the folder's names in blocks, without a look-up per name.
template <class Visit>
bool ReadNames(int descriptor, Visit visit)
{
    alignas(dirent64) char block[32768];
    for (;;) {
        const ssize_t length = ::getdents64(descriptor, block, sizeof block);
        if (length < 0)
            return false;
        if (length == 0)
            return true;
        for (ssize_t position = 0; position < length;) {
            const auto* entry = reinterpret_cast<const dirent64*>(block + position);
            visit(std::string_view(entry->d_name));
            position += entry->d_reclen;
        }
    }
}

}  // namespace

FolderListing::FolderListing(Descriptor descriptor, std::shared_ptr<const Descriptor> drive, std::string beneath)
    : m_descriptor(std::move(descriptor)),
      m_drive(std::move(drive)),
      m_beneath(std::move(beneath)),
      m_readsStoredAttributes(FileInfo::FolderMayHoldStoredAttributes(m_descriptor.Get()))
{
}

FolderListing::~FolderListing()
{
    m_descriptor.Reset();
    const std::size_t count = m_entries.size();
    std::vector<Entry>().swap(m_entries);
    std::vector<char>().swap(m_names);
    ReturnFreedMemory(count);
}

std::unique_ptr<FolderListing> FolderListing::ReadAllOf(std::unique_ptr<FolderListing> listing)
{
    if (!ReadNames(listing->m_descriptor.Get(), [&](std::string_view name) { listing->Add(name); }))
        return nullptr;
    listing->Sort();
    return listing;
}

std::unique_ptr<FolderListing> FolderListing::ReadAll(const ResolvedPath& folder)
{
    Descriptor descriptor(folder.Open(O_RDONLY | O_DIRECTORY));
    if (!descriptor.IsOpen())
        return nullptr;
    return ReadAllOf(
        std::unique_ptr<FolderListing>(new FolderListing(std::move(descriptor), folder.drive, folder.beneath)));
}

std::unique_ptr<FolderListing> FolderListing::ReadAllAgain() const
{
    Descriptor descriptor(::openat(m_descriptor.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!descriptor.IsOpen())
        return nullptr;
    return ReadAllOf(std::unique_ptr<FolderListing>(new FolderListing(std::move(descriptor), m_drive, m_beneath)));
}

std::unique_ptr<FolderListing> FolderListing::ReadOne(const ResolvedPath& folder, std::wstring_view name)
{
    Descriptor opened(folder.Open(O_RDONLY | O_DIRECTORY));
    if (!opened.IsOpen())
        return nullptr;
    const int descriptor = opened.Get();
    std::unique_ptr<FolderListing> listing(new FolderListing(std::move(opened), folder.drive, folder.beneath));
    const std::string spelled = WideToUtf8(name);
    struct statx info {};
    if (::statx(descriptor, spelled.c_str(), AT_SYMLINK_NOFOLLOW, STATX_TYPE, &info) == 0) {
        listing->Add(spelled);
        return listing;
    }
    std::string found;
    const bool read = ReadNames(descriptor, [&](std::string_view candidate) {
        if ((found.empty() || candidate < found) && IsValidUtf8(candidate) && NamesEqual(Utf8ToWide(candidate), name))
            found = candidate;
    });
    if (!read)
        return nullptr;
    if (!found.empty())
        listing->Add(found);
    return listing;
}

bool FolderListing::Add(std::string_view posixName)
{
    if (posixName == "." || posixName == "..")
        return false;
    Entry entry;
    entry.ascii = IsAscii(posixName);
    wchar_t wide[MAX_PATH];
    const std::size_t length = Decode(posixName, entry.ascii, wide);
    if (length == std::string_view::npos || !IsValidFileName(std::wstring_view(wide, length)))
        return false;

    const SortPrefix key = PackSortPrefix(std::wstring_view(wide, length), true);
    entry.keyHigh = key.high;
    entry.keyLow = key.low;
    entry.keyIsWholeName = key.whole;
    entry.offset = static_cast<std::uint32_t>(m_names.size());
    entry.length = static_cast<std::uint16_t>(posixName.size());
    m_names.insert(m_names.end(), posixName.begin(), posixName.end());
    m_names.push_back('\0');
    m_entries.push_back(entry);
    return true;
}

void FolderListing::Sort()
{
    std::sort(m_entries.begin(), m_entries.end(), [this](const Entry& a, const Entry& b) { return Less(a, b); });
}

bool FolderListing::Less(const Entry& a, const Entry& b) const
{
    if (a.keyHigh != b.keyHigh)
        return a.keyHigh < b.keyHigh;
    if (a.keyLow != b.keyLow)
        return a.keyLow < b.keyLow;
    const std::string_view x = PosixName(a);
    const std::string_view y = PosixName(b);
    if (!a.keyIsWholeName || !b.keyIsWholeName) {
        int order;
        if (a.ascii && b.ascii) {
            // Equal keys: the first 16 characters already fold alike.
            order = CompareNames(x.substr(std::min(x.size(), kKeyCharacters)),
                                 y.substr(std::min(y.size(), kKeyCharacters)));
        } else {
            wchar_t first[MAX_PATH];
            wchar_t second[MAX_PATH];
            const std::size_t firstLength = Decode(x, a.ascii, first);
            const std::size_t secondLength = Decode(y, b.ascii, second);
            order = CompareNames(std::wstring_view(first, firstLength), std::wstring_view(second, secondLength));
        }
        if (order != 0)
            return order < 0;
    }
    return x < y;
}

std::string_view FolderListing::PosixName(const Entry& entry) const
{
    return std::string_view(m_names.data() + entry.offset, entry.length);
}

std::wstring_view FolderListing::Name(std::size_t index, wchar_t* buffer) const
{
    const Entry& entry = m_entries[index];
    return std::wstring_view(buffer, Decode(PosixName(entry), entry.ascii, buffer));
}

std::optional<FileInfo> FolderListing::Info(std::size_t index, std::wstring_view name) const
{
    const char* posixName = m_names.data() + m_entries[index].offset;
    struct statx info {};
    if (::statx(m_descriptor.Get(), posixName, AT_SYMLINK_NOFOLLOW, kStatxFields, &info) != 0)
        return std::nullopt;  // vanished meanwhile
    if (!S_ISLNK(info.stx_mode)) {
        const DWORD stored = m_readsStoredAttributes ? FileInfo::StoredAttributesAt(m_descriptor.Get(), posixName) : 0;
        return FileInfo::FromStatx(info, name, stored);
    }
    // A link is listed as what it leads to, and only when that lies on the
    // drive. Its bits are its target's, which may have been stored through
    // the target's own path: only the target's folder is marked then.
    const Descriptor target(OpenBeneath(m_drive->Get(), JoinBeneath(m_beneath, posixName), O_PATH));
    if (!target.IsOpen() || ::statx(target.Get(), "", AT_EMPTY_PATH, kStatxFields, &info) != 0)
        return std::nullopt;
    return FileInfo::FromStatx(info, name, FileInfo::StoredAttributes(target.Get()));
}

std::optional<FileInfo> FolderListing::DotInfo(bool parent) const
{
    struct statx info {};
    const int folder = m_descriptor.Get();
    const int result = parent ? ::statx(folder, "..", 0, kStatxFields, &info)
                              : ::statx(folder, "", AT_EMPTY_PATH, kStatxFields, &info);
    if (result != 0)
        return std::nullopt;
    const DWORD stored = parent ? FileInfo::StoredAttributesAt(folder, "..") : FileInfo::StoredAttributes(folder);
    return FileInfo::FromStatx(info, parent ? L".." : L".", stored);
}

}  // namespace win
