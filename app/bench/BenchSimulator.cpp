#include "BenchSimulator.h"

#include "win/FolderBenchSupport.h"
#include "win/TextConvert.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using nlohmann::json;

constexpr int kFolderLabel = 17159;
// How long the simulator may take to show what is waited for: far beyond any
// figure worth measuring, short enough that a stuck run ends on its own.
constexpr auto kPatience = std::chrono::seconds(60);

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string SimulatorPath()
{
    const char* given = std::getenv("SYSDLG_SIM");
    return given ? given : SYSDLG_SIM_PATH;
}

// Reads the child's output until it prints its port; closes `fd`.
int ReadPort(int fd)
{
    struct Closer {
        int fd;
        ~Closer() { close(fd); }
    } closer{fd};
    std::string output;
    auto deadline = Clock::now() + kPatience;
    while (Clock::now() < deadline) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 1000) <= 0)
            continue;
        char buffer[512];
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0)
            break;
        output.append(buffer, static_cast<size_t>(got));
        auto at = output.find("port: ");
        if (at != std::string::npos && output.find('\n', at) != std::string::npos)
            return std::atoi(output.c_str() + at + 6);
    }
    throw std::runtime_error("the simulator printed no port: " + output);
}

bool FindFolderLabel(const json& windows, const std::string& folder)
{
    for (const json& window : windows) {
        for (const json& control : window["controls"])
            if (control["id"] == kFolderLabel && control["visible"] == true && control["text"] == folder)
                return true;
        if (FindFolderLabel(window["children"], folder))
            return true;
    }
    return false;
}

}  // namespace

BenchFolder::BenchFolder(int rows, bool longNames)
{
    char base[] = "/tmp/sysdlg-bench-XXXXXX";
    if (!mkdtemp(base))
        throw std::runtime_error("cannot make a temporary folder");
    m_base = base;
    std::filesystem::create_directories(DataFolder());
    auto start = Clock::now();
    const auto name = longNames ? win::bench::LongName : win::bench::ShortName;
    int folder = open(DataFolder().c_str(), O_DIRECTORY | O_RDONLY | O_CLOEXEC);
    for (int row = 0; row < rows; ++row) {
        int file = openat(folder, name(row).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (file < 0)
            throw std::runtime_error("cannot create " + name(row) + ": " + std::strerror(errno));
        close(file);
    }
    close(folder);
    m_seconds = SecondsSince(start);
}

BenchFolder::~BenchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_base, ignored);
}

BenchSimulator::BenchSimulator(const std::string& root)
{
    auto start = Clock::now();
    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0)
        throw std::runtime_error("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    std::string path = SimulatorPath();
    std::vector<std::string> words = {path, "--root", root, "--port", "0"};
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    int failed = posix_spawn(&m_pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    if (failed) {
        close(output[0]);
        throw std::runtime_error("cannot start " + path);
    }
    try {
        // Nothing more is read than the port: the simulator ignores SIGPIPE.
        m_port = ReadPort(output[0]);
        m_client = std::make_unique<httplib::Client>("127.0.0.1", m_port);
        m_client->set_keep_alive(true);
        m_client->set_tcp_nodelay(true);  // as browsers do
        m_client->set_read_timeout(60, 0);
        WaitForDialog();
    } catch (...) {
        Stop();
        throw;
    }
    m_readySeconds = SecondsSince(start);
}

BenchSimulator::~BenchSimulator() { Stop(); }

void BenchSimulator::Stop()
{
    if (m_client)
        m_client->stop();
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
}

void BenchSimulator::CheckAlive(Clock::time_point deadline, const std::string& what)
{
    if (m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
        m_pid = -1;
        throw std::runtime_error("the simulator ended while waiting for " + what);
    }
    if (Clock::now() >= deadline)
        throw std::runtime_error("the simulator did not show " + what + " within a minute");
}

// The dialog opens once the file page has listed its folder.
void BenchSimulator::WaitForDialog()
{
    const auto deadline = Clock::now() + kPatience;
    while (!m_dialog) {
        CheckAlive(deadline, "its system dialog");
        auto answer = m_client->Get("/api/screen");
        json screen = answer && answer->status == 200 ? json::parse(answer->body) : json::object();
        for (const json& window : screen.value("windows", json::array()))
            if (window["template"] == 17000)
                m_dialog = window["hwnd"];
        if (!m_dialog)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

std::string BenchSimulator::Get(const std::string& path)
{
    auto answer = m_client->Get(path.c_str());
    if (!answer || answer->status != 200)
        throw std::runtime_error("GET " + path + " failed" + (answer ? ": " + answer->body : std::string()));
    return answer->body;
}

std::uint64_t BenchSimulator::FrontWindow() { return json::parse(Get("/api/screen"))["windows"][0]["hwnd"]; }

json BenchSimulator::WaitForScreenAfter(std::uint64_t version)
{
    return json::parse(Get("/api/screen?after=" + std::to_string(version)));
}

json BenchSimulator::Input(const std::string& route, const json& body)
{
    auto answer = m_client->Post(("/api/" + route).c_str(), body.dump(), "application/json");
    if (!answer || (answer->status != 200 && answer->status != 202))
        throw std::runtime_error(route + " " + body.dump() + " failed" + (answer ? ": " + answer->body : ""));
    json screen = json::parse(answer->body);
    if (answer->status == 202)
        screen = WaitForScreenAfter(screen["version"]);
    return screen;
}

void BenchSimulator::OpenRow(int listId, const std::wstring& name, const std::string& folder)
{
    const std::string wanted = win::WideToUtf8(name);
    int found = -1;
    for (int from = 0; found < 0; from += 1000) {
        json page = json::parse(Get("/api/rows?hwnd=" + std::to_string(m_dialog) + "&id=" + std::to_string(listId) +
                                    "&from=" + std::to_string(from) + "&count=1000"));
        if (page["rows"].empty())
            throw std::runtime_error("no row " + wanted);
        for (size_t i = 0; i < page["rows"].size() && found < 0; ++i)
            if (page["rows"][i][0] == wanted)
                found = from + static_cast<int>(i);
    }
    json screen = Input("tap", {{"hwnd", m_dialog}, {"id", listId}, {"row", found}, {"double", true}});
    const auto deadline = Clock::now() + kPatience;
    while (!FindFolderLabel(screen["windows"], folder)) {
        CheckAlive(deadline, "the folder " + folder);
        screen = WaitForScreenAfter(screen["version"]);
    }
}

double BenchSimulator::StatusMiB(const char* field) const
{
    std::ifstream status("/proc/" + std::to_string(m_pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atof(line.c_str() + std::strlen(field)) / 1024.0;
    return 0;
}
