// A temporary data root for a test: drive folders C, D and E under a fresh
// directory, mapped for the test's duration and removed afterwards.
#pragma once

#include <string>

namespace testing_support {

class TempDataRoot {
public:
    // Creates the root with the given drives ("CDE" by default) and maps it.
    explicit TempDataRoot(const std::string& drives = "CDE");
    ~TempDataRoot();
    TempDataRoot(const TempDataRoot&) = delete;
    TempDataRoot& operator=(const TempDataRoot&) = delete;

    const std::string& Path() const { return m_path; }
    // The POSIX path of a Windows path such as L"D:\\data\\a.txt" (no mapping
    // checks: for setting up and inspecting files in tests).
    std::string PosixOf(const std::wstring& windowsPath) const;
    // Writes a file (creating its folders) and returns its POSIX path.
    std::string WriteFile(const std::wstring& windowsPath, const std::string& content) const;
    bool Exists(const std::wstring& windowsPath) const;
    std::string ReadFile(const std::wstring& windowsPath) const;

private:
    std::string m_path;
};

}  // namespace testing_support
