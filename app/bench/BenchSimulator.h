// The pieces of the touch-panel benchmark: a large folder made once in a
// temporary directory, and a simulator process operated through its HTTP
// API on one kept-alive connection, as a browser does.
#pragma once

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <sys/types.h>

// Two data roots in a new temporary directory: "small" (the simulator makes
// its sample data) and "large", whose D:\data\ holds `rows` empty files.
// Removed with everything in it on destruction.
class BenchFolder {
public:
    BenchFolder(int rows, bool longNames);
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    std::string SmallRoot() const { return m_base + "/small"; }
    std::string LargeRoot() const { return m_base + "/large"; }
    std::string DataFolder() const { return LargeRoot() + "/D/data"; }
    double CreationSeconds() const { return m_seconds; }

private:
    std::string m_base;
    double m_seconds = 0;
};

class BenchSimulator {
public:
    // Starts the simulator on `root` and waits until its system dialog is on
    // the screen. Throws std::runtime_error when it does not come up within
    // a minute.
    explicit BenchSimulator(const std::string& root);
    ~BenchSimulator();
    BenchSimulator(const BenchSimulator&) = delete;
    BenchSimulator& operator=(const BenchSimulator&) = delete;

    double ReadySeconds() const { return m_readySeconds; }
    std::uint64_t Dialog() const { return m_dialog; }
    // The window in front on the current screen.
    std::uint64_t FrontWindow();

    std::string Get(const std::string& path);
    // Posts an input and answers its screen; a busy answer is followed by
    // waiting for the next screen.
    nlohmann::json Input(const std::string& route, const nlohmann::json& body);
    // Double-taps the list row named `name` and waits until the file page
    // shows `folder`. Throws std::runtime_error when the simulator ends or
    // does not show it within a minute.
    void OpenRow(int listId, const std::wstring& name, const std::string& folder);

    double ResidentMiB() const { return StatusMiB("VmRSS:"); }
    double PeakResidentMiB() const { return StatusMiB("VmHWM:"); }

private:
    double StatusMiB(const char* field) const;
    void WaitForDialog();
    // Throws when the simulator has ended or `deadline` has passed.
    void CheckAlive(std::chrono::steady_clock::time_point deadline, const std::string& what);
    void Stop();
    nlohmann::json WaitForScreenAfter(std::uint64_t version);

    pid_t m_pid = -1;
    int m_port = 0;
    std::uint64_t m_dialog = 0;
    double m_readySeconds = 0;
    std::unique_ptr<httplib::Client> m_client;
};
