// Typed names and paths through the drive mapping: whatever resolves lies
// inside the data root.
#include "FuzzTarget.h"

#include "win/Drives.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

std::string g_root;

void RemoveRoot()
{
    std::error_code ignored;
    std::filesystem::remove_all(g_root, ignored);
}

std::string MakeRoot()
{
    char pattern[] = "/tmp/sysdlg-fuzz-XXXXXX";
    const std::string root = ::mkdtemp(pattern);
    g_root = root;
    std::atexit(RemoveRoot);
    for (const char* drive : {"C", "D", "E", "UNC"})
        std::filesystem::create_directories(root + "/" + drive);
    std::filesystem::create_directories(root + "/D/data/sub");
    win::Drives::SetDataRoot(root);
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string root = MakeRoot();
    const std::wstring path = fuzz::Wide(data, size);
    if (const auto resolved = win::Drives::Resolve(path)) {
        const std::string& posix = resolved->posix;
        if (posix.compare(0, root.size() + 1, root + "/") != 0 && posix != root)
            fuzz::Finding("a path resolved outside the data root");
        if (posix.find("/../") != std::string::npos || posix.ends_with("/.."))
            fuzz::Finding("a resolved path climbs");
    }
    return 0;
}
