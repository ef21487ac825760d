#include "host/IMRToolBar.h"

#include "host/IMRRec.h"

#include <algorithm>
#include <mutex>

namespace {

std::mutex g_mutex;
std::vector<IMRToolBar*> g_live;

void Register(IMRToolBar* object)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_live.push_back(object);
}

} // namespace

IMRToolBar::IMRToolBar()
{
    Register(this);
}

IMRToolBar::IMRToolBar(const IMRToolBar&)
{
    Register(this);
}

IMRToolBar::~IMRToolBar()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    std::erase(g_live, this);
}

std::vector<UINT> IMRToolBar::MRGetArray()
{
    return IMRRec::GetReportedCodes();
}

IMRToolBar* IMRToolBar::MRGetMang()
{
    return this;
}

std::vector<IMRToolBar*> IMRToolBar::MRGetList()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_live;
}

std::vector<IMRToolBar*> IMRToolBar::MRGetListIMRToolBar()
{
    return MRGetList();
}

bool IMRToolBar::IsToolBarLocked()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return !g_live.empty();
}
