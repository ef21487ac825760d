#include "host/IMRRec.h"

#include "host/IModifiedReport.h"

#include <algorithm>
#include <mutex>

namespace {

std::mutex g_mutex;
std::vector<IMRRec*> g_live;
std::vector<UINT> g_reports;

void Register(IMRRec* object)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_live.push_back(object);
}

} // namespace

IMRRec::IMRRec()
{
    Register(this);
}

IMRRec::IMRRec(const IMRRec&)
{
    Register(this);
}

IMRRec::~IMRRec()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    std::erase(g_live, this);
}

std::vector<UINT> IMRRec::MRGetArray()
{
    return GetReportedCodes();
}

IMRRec* IMRRec::MRGetMang()
{
    return this;
}

std::vector<IMRRec*> IMRRec::MRGetList()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_live;
}

std::vector<IMRRec*> IMRRec::MRGetListIMRRec()
{
    return MRGetList();
}

void IMRRec::MReport(UINT code)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_reports.push_back(code);
    }
    IModifiedReport::Broadcast(code);
}

std::vector<UINT> IMRRec::GetReportedCodes()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_reports;
}

void IMRRec::ClearReportedCodes()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_reports.clear();
}

std::size_t IMRRec::GetLiveCount()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_live.size();
}
