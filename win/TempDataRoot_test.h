// Test support: the shared temporary data root (drives C: and D: by default),
// with helpers that take paths relative to the root ("D/a.txt").
#pragma once

#include "tests/harness/TempDataRoot.h"
#include "win/Drives.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace win::testing {

class TempDataRoot : public testing_support::TempDataRoot {
public:
    explicit TempDataRoot(const char* drives = "CD") : testing_support::TempDataRoot(drives) {}

    std::string operator/(const std::string& relative) const { return Path() + "/" + relative; }
    void MakeDir(const std::string& relative) const { ::mkdir((*this / relative).c_str(), 0777); }
    void WriteFile(const std::string& relative, const std::string& content = "data") const
    {
        std::ofstream(*this / relative, std::ios::binary) << content;
    }
    std::string ReadFile(const std::string& relative) const
    {
        std::ifstream in(*this / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Links count as they are, without following them.
    bool Exists(const std::string& relative) const
    {
        struct stat info {};
        return ::lstat((*this / relative).c_str(), &info) == 0;
    }
    // False where the file system keeps no user extended attributes, which
    // hold the archive and system bits.
    bool HasExtendedAttributes() const
    {
        WriteFile(".probe");
        const bool kept = ::setxattr((*this / ".probe").c_str(), "user.probe", "1", 1, 0) == 0;
        ::unlink((*this / ".probe").c_str());
        return kept;
    }
};

}  // namespace win::testing
