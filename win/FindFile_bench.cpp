// Find-first enumeration of folders of 1,000 to 100,000 files against the
// floor measured in the same run (FolderBenchSupport.h): the basic level the
// host's finder uses, and the standard level that also makes 8.3 aliases.
// The names of one more folder share their first 21 characters, beyond the
// listing's sort key, so that sorting them compares whole names.
#include "win/FileApi.h"
#include "win/FolderBenchSupport.h"
#include "win/TextConvert.h"

#include <cstdio>

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

// "recording-2024-05-14-000123.fsd".
std::string DatedName(int index)
{
    char name[40];
    std::snprintf(name, sizeof name, "recording-2024-05-14-%06d.fsd", index);
    return name;
}

void Run(benchmark::State& state, const char* kind, std::string (*name)(int), FINDEX_INFO_LEVELS level)
{
    const int count = static_cast<int>(state.range(0));
    const std::string folder = kind + std::to_string(count);
    const std::string posix = BenchRoot::Get().Folder(folder, count, name);
    const std::wstring pattern = L"D:\\" + win::Utf8ToWide(folder) + L"\\*.*";
    long listed = 0;
    win::bench::MeasureAgainstFloor(
        state, [&] { benchmark::DoNotOptimize(win::bench::ReadFolderFloor(posix)); },
        [&] { listed = Enumerate(pattern, level); });
    if (listed != count + 2)
        state.SkipWithError("the search did not list every entry");
}

using win::bench::LongName;
using win::bench::ShortName;

void BM_FindFilesBasicLongNames(benchmark::State& state) { Run(state, "long", LongName, FindExInfoBasic); }
void BM_FindFilesBasicShortNames(benchmark::State& state) { Run(state, "short", ShortName, FindExInfoBasic); }
void BM_FindFilesBasicSharedPrefix(benchmark::State& state) { Run(state, "dated", DatedName, FindExInfoBasic); }
void BM_FindFilesWithAliasesLongNames(benchmark::State& state) { Run(state, "long", LongName, FindExInfoStandard); }
void BM_FindFilesWithAliasesShortNames(benchmark::State& state) { Run(state, "short", ShortName, FindExInfoStandard); }

void Sizes(benchmark::internal::Benchmark* bench)
{
    bench->UseManualTime()->Unit(benchmark::kMillisecond);
    bench->Arg(1000)->Arg(10000)->Arg(100000);
}

}  // namespace

BENCHMARK(BM_FindFilesBasicLongNames)->Apply(Sizes);
BENCHMARK(BM_FindFilesBasicShortNames)->Apply(Sizes);
BENCHMARK(BM_FindFilesBasicSharedPrefix)->Apply(Sizes);
BENCHMARK(BM_FindFilesWithAliasesLongNames)->Apply(Sizes);
BENCHMARK(BM_FindFilesWithAliasesShortNames)->Apply(Sizes);
