// What the touch panel costs the operator, through the HTTP API on one
// kept-alive connection, each figure beside its floor measured in the same
// run: a tab tap and a typed character with a folder of 100,000 files shown
// on the file page (floor: the same request with the small sample folder),
// the screen's size, opening that folder by double taps (floor: a readdir
// and fstatat loop over it, before each visit) and the simulator's resident
// memory over 20 visits of it.
//
// Two simulators run as child processes on temporary data roots: one with
// the sample data, one whose D:\data\ holds the large folder.
// Environment: SYSDLG_BENCH_ROWS (100000), SYSDLG_BENCH_NAMES ("long":
// WAVE000123.FSD, or "short": W0000123.FSD), SYSDLG_SIM (the simulator).
#include "BenchSimulator.h"
#include "win/FolderBenchSupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using nlohmann::json;
using win::bench::Percentile;
using win::bench::Stopwatch;

constexpr int kTabTaps = 300;
constexpr int kTypedCharacters = 300;
constexpr int kVisits = 20;
constexpr int kFileList = 17109;
constexpr int kEnvSave = 17034;
constexpr int kProcHand = 19001;

using Samples = std::vector<double>;  // milliseconds

std::map<std::string, Samples> results;          // by benchmark name
std::map<std::string, double> plainFigures;      // sizes and memory

BenchSimulator* small = nullptr;
BenchSimulator* large = nullptr;

void Record(benchmark::State& state, const std::string& name, Samples samples)
{
    state.counters["p50_ms"] = Percentile(samples, 0.50);
    state.counters["p99_ms"] = Percentile(samples, 0.99);
    results[name] = std::move(samples);
}

void TabTap(benchmark::State& state, BenchSimulator* sim, const std::string& name)
{
    Samples figures;
    int tab = 0;
    for (auto _ : state) {
        tab = tab == 1 ? 0 : 1;
        Stopwatch watch;
        json answer = sim->Input("tap", {{"hwnd", sim->Dialog()}, {"id", 17000}, {"tab", tab}});
        double ms = watch.WallMs();
        if (!answer.contains("windows"))
            state.SkipWithError(("the tap was not answered with a screen: " + answer.dump()).c_str());
        figures.push_back(ms);
        state.SetIterationTime(ms / 1000);
    }
    Record(state, name, std::move(figures));
}

void TypedCharacter(benchmark::State& state, BenchSimulator* sim, const std::string& name)
{
    sim->Input("tap", {{"hwnd", sim->Dialog()}, {"id", 17000}, {"tab", 1}});
    sim->Input("tap", {{"hwnd", sim->Dialog()}, {"id", kEnvSave}});
    std::uint64_t procDialog = sim->FrontWindow();
    sim->Input("tap", {{"hwnd", procDialog}, {"id", kProcHand}});
    std::uint64_t keyboard = sim->FrontWindow();
    Samples figures;
    for (auto _ : state) {
        Stopwatch watch;
        json answer = sim->Input("type", {{"hwnd", keyboard}, {"text", "a"}});
        double ms = watch.WallMs();
        if (!answer.contains("windows"))
            state.SkipWithError(("the character was not answered with a screen: " + answer.dump()).c_str());
        figures.push_back(ms);
        state.SetIterationTime(ms / 1000);
        sim->Input("key", {{"hwnd", keyboard}, {"vk", 8}});
    }
    sim->Input("tap", {{"hwnd", keyboard}, {"id", 2}});
    sim->Input("tap", {{"hwnd", procDialog}, {"id", 2}});
    Record(state, name, std::move(figures));
}

void ScreenSize(benchmark::State& state)
{
    for (auto _ : state) {
        for (auto [sim, name] : {std::pair{small, "small"}, std::pair{large, "large"}}) {
            sim->Input("tap", {{"hwnd", sim->Dialog()}, {"id", 17000}, {"tab", 1}});
            plainFigures[std::string("screen bytes ") + name] = static_cast<double>(sim->Get("/api/screen").size());
        }
    }
    state.counters["small_bytes"] = plainFigures["screen bytes small"];
    state.counters["large_bytes"] = plainFigures["screen bytes large"];
}

// One visit: up to D:\ and back into D:\data\ by double taps on the rows; the
// time until the screen shows the large folder again. The floor, one
// readdir pass with an fstatat per entry, is taken before each visit, so
// that both see the same machine.
void FolderVisits(benchmark::State& state, const std::string& folder)
{
    large->Input("tap", {{"hwnd", large->Dialog()}, {"id", 17000}, {"tab", 1}});
    Samples figures;
    Samples floor;
    std::vector<double> resident;
    for (auto _ : state) {
        large->OpenRow(kFileList, L"..", "D:\\");
        Stopwatch floorWatch;
        benchmark::DoNotOptimize(win::bench::ReadFolderFloor(folder));
        floor.push_back(floorWatch.WallMs());
        Stopwatch watch;
        large->OpenRow(kFileList, L"data", "D:\\data\\");
        double ms = watch.WallMs();
        figures.push_back(ms);
        state.SetIterationTime(ms / 1000);
        resident.push_back(large->ResidentMiB());
    }
    plainFigures["resident MiB first visit"] = resident.front();
    plainFigures["resident MiB last visit"] = resident.back();
    plainFigures["resident MiB most"] = *std::max_element(resident.begin(), resident.end());
    plainFigures["resident MiB peak (VmHWM)"] = large->PeakResidentMiB();
    state.counters["rss_first_MiB"] = resident.front();
    state.counters["rss_last_MiB"] = resident.back();
    state.counters["floor_p50_ms"] = Percentile(floor, 0.50);
    state.counters["goal_ms"] = 2 * Percentile(floor, 0.50) + 50;
    results["floor: readdir + fstatat"] = std::move(floor);
    Record(state, "open the large folder", std::move(figures));
}

void PrintRow(const char* what, double value, double floor, const char* unit)
{
    std::printf("%-44s %10.2f %-4s %10.2f %-4s %7.1fx\n", what, value, unit, floor, unit, floor > 0 ? value / floor : 0);
}

void PrintSummary(int rows)
{
    std::printf("\n%-44s %15s %15s %8s\n", ("touch panel, " + std::to_string(rows) + " rows").c_str(), "figure",
                "floor", "ratio");
    for (const char* kind : {"tab tap", "typed character"})
        for (auto [label, p] : {std::pair{"p50", 0.50}, std::pair{"p99", 0.99}}) {
            std::string what = std::string(kind) + " " + label;
            PrintRow(what.c_str(), Percentile(results[std::string(kind) + " large"], p),
                     Percentile(results[std::string(kind) + " small"], p), "ms");
        }
    PrintRow("screen JSON size (floor: sample folder)", plainFigures["screen bytes large"] / 1024,
             plainFigures["screen bytes small"] / 1024, "KiB");
    const Samples& visits = results["open the large folder"];
    const Samples& floor = results["floor: readdir + fstatat"];
    PrintRow("open the folder by double tap, p50", Percentile(visits, 0.5), Percentile(floor, 0.5), "ms");
    std::printf("%-44s %10.2f ms (twice the floor + 50 ms)\n", "  goal", 2 * Percentile(floor, 0.5) + 50);
    PrintRow("resident with the folder shown (floor: sample)", plainFigures["resident MiB large"],
             plainFigures["resident MiB small"], "MiB");
    std::printf("%-44s first %.1f MiB, last %.1f MiB, most %.1f MiB, peak %.1f MiB\n",
                ("resident over " + std::to_string(visits.size()) + " visits").c_str(),
                plainFigures["resident MiB first visit"], plainFigures["resident MiB last visit"],
                plainFigures["resident MiB most"], plainFigures["resident MiB peak (VmHWM)"]);
}

void Run()
{
    const char* rowsText = std::getenv("SYSDLG_BENCH_ROWS");
    const char* namesText = std::getenv("SYSDLG_BENCH_NAMES");
    int rows = rowsText ? std::atoi(rowsText) : 100000;
    bool longNames = !namesText || std::string(namesText) != "short";

    BenchFolder folder(rows, longNames);
    std::printf("made %d files (%s names) in %.2f s\n", rows, longNames ? "long" : "8.3", folder.CreationSeconds());
    std::fflush(stdout);
    auto largeSim = std::make_unique<BenchSimulator>(folder.LargeRoot());
    auto smallSim = std::make_unique<BenchSimulator>(folder.SmallRoot());
    large = largeSim.get();
    small = smallSim.get();
    std::printf("simulators ready: the large one opened its dialog in %.2f s\n", large->ReadySeconds());
    plainFigures["resident MiB small"] = small->ResidentMiB();
    plainFigures["resident MiB large"] = large->ResidentMiB();

    auto manual = [](benchmark::internal::Benchmark* b, int iterations) {
        b->Iterations(iterations)->UseManualTime()->Unit(benchmark::kMillisecond);
    };
    manual(benchmark::RegisterBenchmark("TabTap/small", TabTap, small, "tab tap small"), kTabTaps);
    manual(benchmark::RegisterBenchmark("TabTap/large", TabTap, large, "tab tap large"), kTabTaps);
    manual(benchmark::RegisterBenchmark("TypedCharacter/small", TypedCharacter, small, "typed character small"),
           kTypedCharacters);
    manual(benchmark::RegisterBenchmark("TypedCharacter/large", TypedCharacter, large, "typed character large"),
           kTypedCharacters);
    benchmark::RegisterBenchmark("ScreenSize", ScreenSize)->Iterations(1);
    manual(benchmark::RegisterBenchmark("FolderVisits", FolderVisits, folder.DataFolder()), kVisits);
    benchmark::RunSpecifiedBenchmarks();
    PrintSummary(rows);
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    try {
        Run();
    } catch (const std::exception& error) {
        // Unwound to here, so the simulators are stopped and the folder gone.
        std::fprintf(stderr, "touch-panel benchmark: %s\n", error.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
