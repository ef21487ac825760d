// Test support: a temporary data root with drives C: and D:, made the
// platform's data root for the life of the object and removed afterwards.
#pragma once

#include "win/Drives.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <ftw.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace win::testing {

class TempDataRoot {
public:
    explicit TempDataRoot(const char* drives = "CD")
    {
        char pattern[] = "/tmp/svc-root-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        EXPECT_NE(made, nullptr);
        m_path = made != nullptr ? made : "";
        for (const char* d = drives; *d != '\0'; ++d)
            MakeDir(std::string(1, *d));
        EXPECT_TRUE(Drives::SetDataRoot(m_path));
    }

    ~TempDataRoot()
    {
        Drives::SetDataRoot("");
        if (!m_path.empty())
            ::nftw(m_path.c_str(), &RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
    }

    TempDataRoot(const TempDataRoot&) = delete;
    TempDataRoot& operator=(const TempDataRoot&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& relative) const { return m_path + "/" + relative; }

    void MakeDir(const std::string& relative) const { ::mkdir((m_path + "/" + relative).c_str(), 0777); }

    void WriteFile(const std::string& relative, const std::string& content = "data") const
    {
        std::ofstream out(m_path + "/" + relative, std::ios::binary);
        out << content;
    }

    std::string ReadFile(const std::string& relative) const
    {
        std::ifstream in(m_path + "/" + relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    bool Exists(const std::string& relative) const
    {
        struct stat info {};
        return ::lstat((m_path + "/" + relative).c_str(), &info) == 0;
    }

private:
    static int RemoveEntry(const char* path, const struct stat*, int, struct FTW*)
    {
        ::chmod(path, 0777);
        ::remove(path);
        return 0;
    }

    std::string m_path;
};

}  // namespace win::testing
