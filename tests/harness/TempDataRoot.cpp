#include "tests/harness/TempDataRoot.h"

#include "win/Drives.h"
#include "win/TextConvert.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ftw.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>

namespace testing_support {
namespace {

// Read-only entries a test left behind go too.
int RemoveEntry(const char* path, const struct stat*, int, struct FTW*)
{
    ::chmod(path, 0777);
    ::remove(path);
    return 0;
}

}  // namespace

TempDataRoot::TempDataRoot(const std::string& drives)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "sysdlg-root-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary data root");
    m_path = pattern;
    for (char letter : drives)
        std::filesystem::create_directories(m_path + "/" + letter);
    EXPECT_TRUE(win::Drives::SetDataRoot(m_path)) << "cannot map the temporary data root " << m_path;
}

TempDataRoot::~TempDataRoot()
{
    win::Drives::SetDataRoot("");
    ::nftw(m_path.c_str(), &RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::string TempDataRoot::PosixOf(const std::wstring& windowsPath) const
{
    std::string path = win::WideToUtf8(windowsPath);
    std::string result = m_path;
    if (path.size() >= 2 && path[1] == ':') {
        result += "/";
        result += static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
        path = path.substr(2);
    }
    for (char& c : path)
        if (c == '\\')
            c = '/';
    if (!path.empty() && path.front() != '/')
        result += "/";
    return result + path;
}

std::string TempDataRoot::WriteFile(const std::wstring& windowsPath, const std::string& content) const
{
    std::string posix = PosixOf(windowsPath);
    std::filesystem::create_directories(std::filesystem::path(posix).parent_path());
    std::ofstream out(posix, std::ios::binary);
    out << content;
    return posix;
}

bool TempDataRoot::Exists(const std::wstring& windowsPath) const
{
    return std::filesystem::exists(PosixOf(windowsPath));
}

std::string TempDataRoot::ReadFile(const std::wstring& windowsPath) const
{
    std::ifstream in(PosixOf(windowsPath), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace testing_support
