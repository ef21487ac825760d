// For benchmarks of folder listings: folders of many files on a temporary
// data root, the floor (what reading the folder costs the kernel: one pass of
// readdir with one fstatat per entry, in this process), and a measurement
// that runs the floor and the work alternately in the same run and reports
// both medians and their ratio as counters.
#pragma once

#include "win/Drives.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <string>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace win::bench {

// "WAVE000123.FSD": the instrument's recordings, too long for 8.3.
inline std::string LongName(int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "WAVE%06d.FSD", index);
    return name;
}

// "W0000123.FSD": valid 8.3 names.
inline std::string ShortName(int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "W%07d.FSD", index);
    return name;
}

// A data root with drive D:, a new one in /tmp removed at exit, or the
// folder named by SYSDLG_BENCH_ROOT, kept (so that repeated runs do not
// create the files again). Folders are made once and stay warm in the page
// cache.
class BenchRoot {
public:
    static BenchRoot& Get()
    {
        static BenchRoot root;
        return root;
    }

    // D:\<folder>\ holding `count` files named by `name`; its POSIX path.
    // The files are empty and of one time unless `varied`: then sizes and
    // last-write times are spread so that neither follows the names.
    std::string Folder(const std::string& folder, int count, std::string (*name)(int), bool varied = false)
    {
        const std::string path = m_path + "/D/" + folder;
        if (::mkdir(path.c_str(), 0777) == 0) {
            for (int index = 0; index < count; ++index) {
                const int fd = ::open((path + "/" + name(index)).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
                if (fd < 0)
                    continue;
                if (varied) {
                    const long spread = (static_cast<long>(index) * 7919) % 100003;
                    const struct timespec times[2] = {{1700000000 + spread * 37, 0}, {1700000000 + spread * 37, 0}};
                    if (::ftruncate(fd, spread) != 0 || ::futimens(fd, times) != 0)
                        std::perror("bench folder");
                }
                ::close(fd);
            }
        }
        return path;
    }

private:
    BenchRoot()
    {
        if (const char* kept = std::getenv("SYSDLG_BENCH_ROOT")) {
            m_path = kept;
            m_keep = true;
            ::mkdir(m_path.c_str(), 0777);
        } else {
            // Without a folder of its own there is nothing safe to remove
            // at exit: stop here rather than work in (and then empty) /tmp.
            char pattern[] = "/tmp/folder-bench-XXXXXX";
            if (::mkdtemp(pattern) == nullptr) {
                std::perror("cannot make the benchmark's data root in /tmp");
                std::abort();
            }
            m_path = pattern;
        }
        ::mkdir((m_path + "/D").c_str(), 0777);
        Drives::SetDataRoot(m_path);
    }
    ~BenchRoot()
    {
        Drives::SetDataRoot("");
        if (m_keep)
            return;
        ::nftw(
            m_path.c_str(),
            [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); }, 64, FTW_DEPTH | FTW_PHYS);
    }

    std::string m_path;
    bool m_keep = false;
};

// One pass of readdir with one fstatat per entry: the floor.
inline long ReadFolderFloor(const std::string& path)
{
    long entries = 0;
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr)
        return 0;
    while (dirent* entry = ::readdir(dir)) {
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0)
            ++entries;
    }
    ::closedir(dir);
    return entries;
}

// The sample below which a share `p` (0 to 1) of the samples lie; 0 for none.
inline double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    const size_t at = std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at), values.end());
    return values[at];
}

inline double Median(std::vector<double> values) { return Percentile(std::move(values), 0.5); }

// Wall-clock and this thread's processor time, in milliseconds. On a machine
// shared with other work the processor time is the steadier of the two.
class Stopwatch {
public:
    Stopwatch() { Restart(); }
    void Restart()
    {
        m_wall = std::chrono::steady_clock::now();
        m_cpu = ThreadCpu();
    }
    double WallMs() const { return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_wall).count(); }
    double CpuMs() const { return ThreadCpu() - m_cpu; }

private:
    static double ThreadCpu()
    {
        timespec now {};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
    }

    std::chrono::steady_clock::time_point m_wall;
    double m_cpu = 0;
};

// Samples of a piece of work and of its floor, taken alternately in one run,
// reported as medians and ratios: "ms", "floor_ms", "ratio" (wall clock) and
// "cpu_ms", "cpu_floor_ms", "cpu_ratio" (processor time).
class FloorComparison {
public:
    void AddFloor(const Stopwatch& watch) { Add(m_floorWall, m_floorCpu, watch); }
    void AddWork(const Stopwatch& watch) { Add(m_workWall, m_workCpu, watch); }
    template <class Work>
    void TimeFloor(Work work)
    {
        Stopwatch watch;
        work();
        AddFloor(watch);
    }
    template <class Work>
    void TimeWork(Work work)
    {
        Stopwatch watch;
        work();
        AddWork(watch);
    }
    double WorkMs() const { return Median(m_workWall); }
    double FloorMs() const { return Median(m_floorWall); }

    // For benchmarks that ran once (Iterations(1)) and timed their rounds.
    void Report(benchmark::State& state) const
    {
        for (auto _ : state)
            state.SetIterationTime(WorkMs() / 1000.0);
        Counters(state);
    }
    void Counters(benchmark::State& state) const
    {
        const auto ratio = [](double work, double floor) { return floor > 0 ? work / floor : 0; };
        state.counters["ms"] = WorkMs();
        state.counters["floor_ms"] = FloorMs();
        state.counters["ratio"] = ratio(WorkMs(), FloorMs());
        state.counters["cpu_ms"] = Median(m_workCpu);
        state.counters["cpu_floor_ms"] = Median(m_floorCpu);
        state.counters["cpu_ratio"] = ratio(Median(m_workCpu), Median(m_floorCpu));
    }

private:
    static void Add(std::vector<double>& wall, std::vector<double>& cpu, const Stopwatch& watch)
    {
        wall.push_back(watch.WallMs());
        cpu.push_back(watch.CpuMs());
    }

    std::vector<double> m_floorWall, m_floorCpu, m_workWall, m_workCpu;
};

// Runs `floor` and then `work` in every iteration; the benchmark's time is
// the work's (register with UseManualTime).
template <class Floor, class Work>
void MeasureAgainstFloor(benchmark::State& state, Floor floor, Work work)
{
    FloorComparison comparison;
    for (auto _ : state) {
        comparison.TimeFloor(floor);
        Stopwatch watch;
        work();
        comparison.AddWork(watch);
        state.SetIterationTime(watch.WallMs() / 1000.0);
    }
    comparison.Counters(state);
}

}  // namespace win::bench
