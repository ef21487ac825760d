// Find-first enumeration of folders of 1,000 to 100,000 files against the
// floor measured in the same run (FolderBenchSupport.h): the basic level the
// host's finder uses, and the standard level that also makes 8.3 aliases.
#include "win/FileApi.h"
#include "win/FolderBenchSupport.h"
#include "win/TextConvert.h"

namespace {

using win::bench::BenchRoot;

long Enumerate(const std::wstring& pattern, FINDEX_INFO_LEVELS level)
{
    long entries = 0;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileExW(pattern.c_str(), level, &data, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        ++entries;
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return entries;
}

void Run(benchmark::State& state, bool longNames, FINDEX_INFO_LEVELS level)
{
    const int count = static_cast<int>(state.range(0));
    const std::string folder = (longNames ? "long" : "short") + std::to_string(count);
    const std::string posix =
        BenchRoot::Get().Folder(folder, count, longNames ? win::bench::LongName : win::bench::ShortName);
    const std::wstring pattern = L"D:\\" + win::Utf8ToWide(folder) + L"\\*.*";
    long listed = 0;
    win::bench::MeasureAgainstFloor(
        state, [&] { benchmark::DoNotOptimize(win::bench::ReadFolderFloor(posix)); },
        [&] { listed = Enumerate(pattern, level); });
    if (listed != count + 2)
        state.SkipWithError("the search did not list every entry");
}

void BM_FindFilesBasicLongNames(benchmark::State& state) { Run(state, true, FindExInfoBasic); }
void BM_FindFilesBasicShortNames(benchmark::State& state) { Run(state, false, FindExInfoBasic); }
void BM_FindFilesWithAliasesLongNames(benchmark::State& state) { Run(state, true, FindExInfoStandard); }
void BM_FindFilesWithAliasesShortNames(benchmark::State& state) { Run(state, false, FindExInfoStandard); }

void Sizes(benchmark::internal::Benchmark* bench)
{
    bench->UseManualTime()->Unit(benchmark::kMillisecond);
    bench->Arg(1000)->Arg(10000)->Arg(100000);
}

}  // namespace

BENCHMARK(BM_FindFilesBasicLongNames)->Apply(Sizes);
BENCHMARK(BM_FindFilesBasicShortNames)->Apply(Sizes);
BENCHMARK(BM_FindFilesWithAliasesLongNames)->Apply(Sizes);
BENCHMARK(BM_FindFilesWithAliasesShortNames)->Apply(Sizes);
