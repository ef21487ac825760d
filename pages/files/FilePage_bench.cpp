// The file page's own work on large folders, inside a running system dialog,
// each figure beside its floor measured in the same run:
// - ListFolder of 1,000 to 100,000 files (long and 8.3 names) against the
//   folder floor (readdir + fstatat, FolderBenchSupport.h);
// - the double tap that opens a folder of 100,000 files, twenty times,
//   against the same floor, with the process's resident memory before, while
//   the rows are shown, and after the first and the last visit (the rows'
//   memory must come back and not grow from visit to visit);
// - a sort of the 100,000 rows by each column against std::stable_sort of
//   the same texts in a vector;
// - opening the system dialog in a folder of 10,000 files against the
//   folder's floor.
// The dialog runs modally; a driver does the work when its loop is idle, as
// the touch panel's input would arrive.
#include "pages/files/FilesTestSupport.h"
#include "win/FolderBenchSupport.h"
#include "win/Input.h"

#include <chrono>
#include <functional>
#include <utility>
#include <unistd.h>

namespace {

using files_test::IDC_CLOSE;
using files_test::IDC_LIST;
using files_test::IDC_TAB;
using testing_support::FindControl;
using win::bench::BenchRoot;

double ResidentMegabytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Calls `idle` each time the dialog's loop runs dry; `idle` returns false
// once it has asked the dialog to close.
class IdleDriver : public win::InputDriver {
public:
    explicit IdleDriver(std::function<bool()> idle) : m_idle(std::move(idle)) { m_previous = win::SetInputDriver(this); }
    ~IdleDriver() override { win::SetInputDriver(m_previous); }
    bool OnIdle() override
    {
        if (m_done)
            return false;
        m_done = !m_idle();
        return true;
    }

private:
    std::function<bool()> m_idle;
    win::InputDriver* m_previous = nullptr;
    bool m_done = false;
};

// Runs the system dialog in `folder` with the file tab in front; `idle` as
// for IdleDriver, with the dialog's file page.
void RunDialog(const char* folder, const std::function<bool(HWND, CSystemFileSheet&)>& idle)
{
    _chdir(folder);
    testing_support::HostConfiguration host;
    CSystemDlg dialog(nullptr);
    dialog.SetupConfigData(&host.record, false);
    bool tabShown = false;
    IdleDriver driver([&] {
        if (!std::exchange(tabShown, true))
            return win::TapPart(FindControl(dialog.GetSafeHwnd(), IDC_TAB), "tab", 1) ==
                   win::InputResult::Posted;
        return idle(dialog.GetSafeHwnd(), *static_cast<CSystemFileSheet*>(dialog.GetPage(CSystemDlg::PageFile)));
    });
    dialog.DoModal();
}

HWND FileList(HWND dialog) { return FindControl(dialog, IDC_LIST); }

void BM_FilePageListFolder(benchmark::State& state, bool longNames)
{
    const int count = static_cast<int>(state.range(0));
    const std::string name = (longNames ? "long" : "short") + std::to_string(count);
    const std::string posix =
        BenchRoot::Get().Folder(name, count, longNames ? win::bench::LongName : win::bench::ShortName);
    const CString folder(L"D:\\" + win::Utf8ToWide(name) + L"\\");
    win::bench::FloorComparison comparison;
    int rows = 0;
    RunDialog("D:\\", [&](HWND dialog, CSystemFileSheet& page) {
        for (int round = 0; round < (count >= 100000 ? 5 : 20); ++round) {
            comparison.TimeFloor([&] { win::bench::ReadFolderFloor(posix); });
            comparison.TimeWork([&] { rows = page.ListFolder(folder); });
        }
        win::Tap(FindControl(dialog, IDC_CLOSE));
        return false;
    });
    if (rows != count + 1)
        state.SkipWithError("the page did not list every entry");
    comparison.Report(state);
}

void BM_FilePageDoubleTapOpensFolder(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string name = "long" + std::to_string(count);
    const std::string posix = BenchRoot::Get().Folder(name, count, win::bench::LongName);
    win::bench::FloorComparison comparison;
    std::vector<double> shown, left;
    const double before = ResidentMegabytes();
    int step = 0;
    win::bench::Stopwatch watch;
    RunDialog("D:\\", [&](HWND dialog, CSystemFileSheet&) {
        HWND list = FileList(dialog);
        const int phase = step++;
        if (phase % 2 == 0) {  // in D:\ : measure the floor, then open the folder
            if (phase > 0)
                left.push_back(ResidentMegabytes());
            if (phase >= 40) {  // twenty visits
                win::Tap(FindControl(dialog, IDC_CLOSE));
                return false;
            }
            comparison.TimeFloor([&] { win::bench::ReadFolderFloor(posix); });
            const int row = files_test::RowOf(dialog, win::Utf8ToWide(name));
            watch.Restart();
            win::TapPart(list, "row", row, 0, true);
        } else {  // the folder is shown: back up with ".."
            comparison.AddWork(watch);
            shown.push_back(ResidentMegabytes());
            win::TapPart(list, "row", 0, 0, true);
        }
        return true;
    });
    comparison.Report(state);
    state.counters["rss_before_mb"] = before;
    state.counters["rss_shown_mb"] = win::bench::Median(shown);
    state.counters["rss_left_first_mb"] = left.empty() ? 0 : left.front();
    state.counters["rss_left_mb"] = left.empty() ? 0 : left.back();
}

void BM_FilePageSort(benchmark::State& state)
{
    const int column = static_cast<int>(state.range(0));
    BenchRoot::Get().Folder("varied100000", 100000, win::bench::LongName, true);
    win::bench::FloorComparison comparison;
    int step = 0;
    win::bench::Stopwatch watch;
    RunDialog("D:\\varied100000", [&](HWND dialog, CSystemFileSheet&) {
        HWND list = FileList(dialog);
        const int phase = step++;
        if (phase > 0)
            comparison.AddWork(watch);
        if (phase >= 10) {
            win::Tap(FindControl(dialog, IDC_CLOSE));
            return false;
        }
        std::vector<std::wstring> texts = files_test::Column(dialog, column);
        comparison.TimeFloor([&] { std::stable_sort(texts.begin(), texts.end()); });
        watch.Restart();
        win::TapPart(list, "column", column);
        return true;
    });
    comparison.Report(state);
}

void BM_SystemDialogOpens(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string name = "long" + std::to_string(count);
    const std::string posix = BenchRoot::Get().Folder(name, count, win::bench::LongName);
    const std::string folder = "D:\\" + name;
    win::bench::FloorComparison comparison;
    for (int round = 0; round < 10; ++round) {
        comparison.TimeFloor([&] { win::bench::ReadFolderFloor(posix); });
        win::bench::Stopwatch watch;
        RunDialog(folder.c_str(), [&](HWND dialog, CSystemFileSheet&) {
            comparison.AddWork(watch);
            win::Tap(FindControl(dialog, IDC_CLOSE));
            return false;
        });
    }
    comparison.Report(state);
    state.counters["over_floor_ms"] = comparison.WorkMs() - comparison.FloorMs();
}

void Once(benchmark::internal::Benchmark* bench)
{
    bench->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
}

}  // namespace

BENCHMARK_CAPTURE(BM_FilePageListFolder, LongNames, true)->Apply(Once)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK_CAPTURE(BM_FilePageListFolder, ShortNames, false)->Apply(Once)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_FilePageDoubleTapOpensFolder)->Apply(Once)->Arg(100000);
BENCHMARK(BM_FilePageSort)->Apply(Once)->ArgName("column")->Arg(0)->Arg(1)->Arg(2);
BENCHMARK(BM_SystemDialogOpens)->Apply(Once)->Arg(0)->Arg(10000);
BENCHMARK_MAIN();
