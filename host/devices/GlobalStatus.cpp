#include "host/devices/GlobalStatus.h"

#include "win/DebugLog.h"

#include <mutex>
#include <string>

namespace {

struct Counter {
    int depth = 0;
    int starts = 0;
};

std::mutex g_mutex;
Counter g_testPrint;
Counter g_dataPrint;

void Start(Counter& counter)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    ++counter.depth;
    ++counter.starts;
}

void End(Counter& counter, const wchar_t* what)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (counter.depth == 0) {
        OutputDebugStringW((std::wstring(L"GlobalStatus: ") + what + L" without start\n").c_str());
        return;
    }
    --counter.depth;
}

} // namespace

void GlobalStatus::StartTestPrint() { Start(g_testPrint); }
void GlobalStatus::EndTestPrint() { End(g_testPrint, L"EndTestPrint"); }
void GlobalStatus::StartDataPrint() { Start(g_dataPrint); }
void GlobalStatus::EndDataPrint() { End(g_dataPrint, L"EndDataPrint"); }

bool GlobalStatus::IsTestPrinting()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_testPrint.depth != 0;
}

bool GlobalStatus::IsDataPrinting()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_dataPrint.depth != 0;
}

int GlobalStatus::GetTestPrintStarts()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_testPrint.starts;
}

int GlobalStatus::GetDataPrintStarts()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_dataPrint.starts;
}
