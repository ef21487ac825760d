// List-view throughput against a floor measured in the same run: the floor is
// the same work on a plain vector of strings. Inserting at the end and reading
// by index must scale linearly with the row count, sorting as n log n.
#include "win/Window.h"
#include "win/controls/CommCtrl.h"
#include "win/controls/StandardControls.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::wstring RowText(int row) { return L"file" + std::to_wstring((row * 7919) % 100003) + L".dat"; }

HWND MakeList()
{
    win::RegisterStandardControls();
    return CreateWindowExW(0, L"SysListView32", L"", WS_POPUP | LVS_REPORT, 0, 0, 400, 300, nullptr, 0, nullptr,
                           nullptr);
}

void InsertRows(HWND list, int count)
{
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 100;
    column.pszText = const_cast<LPWSTR>(L"name");
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    for (int row = 0; row < count; ++row) {
        std::wstring text = RowText(row);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = text.data();
        item.lParam = (row * 7919) % 100003;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

int CompareParams(LPARAM left, LPARAM right, LPARAM)
{
    return left < right ? -1 : (left > right ? 1 : 0);
}

void BM_FloorVectorInsertAndSort(benchmark::State& state)
{
    int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::vector<std::pair<LPARAM, std::wstring>> rows;
        for (int row = 0; row < count; ++row)
            rows.emplace_back((row * 7919) % 100003, RowText(row));
        std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetComplexityN(count);
}

void BM_ListViewInsert(benchmark::State& state)
{
    int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        HWND list = MakeList();
        InsertRows(list, count);
        state.PauseTiming();
        DestroyWindow(list);
        state.ResumeTiming();
    }
    state.SetComplexityN(count);
}

void BM_ListViewReadEveryRow(benchmark::State& state)
{
    int count = static_cast<int>(state.range(0));
    HWND list = MakeList();
    InsertRows(list, count);
    wchar_t buffer[64];
    for (auto _ : state) {
        for (int row = 0; row < count; ++row) {
            LVITEMW item{};
            item.iSubItem = 0;
            item.pszText = buffer;
            item.cchTextMax = 64;
            benchmark::DoNotOptimize(
                SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        }
    }
    DestroyWindow(list);
    state.SetComplexityN(count);
}

void BM_ListViewSort(benchmark::State& state)
{
    int count = static_cast<int>(state.range(0));
    HWND list = MakeList();
    InsertRows(list, count);
    bool ascending = true;
    for (auto _ : state) {
        ascending = !ascending;
        SendMessageW(list, LVM_SORTITEMS, ascending ? 0 : 1, reinterpret_cast<LPARAM>(&CompareParams));
    }
    DestroyWindow(list);
    state.SetComplexityN(count);
}

}  // namespace

BENCHMARK(BM_FloorVectorInsertAndSort)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oNLogN);
BENCHMARK(BM_ListViewInsert)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_ListViewReadEveryRow)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_ListViewSort)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oNLogN);
BENCHMARK_MAIN();
