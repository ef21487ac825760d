#include "host/FileIO.h"

#include "win/DebugLog.h"

#include <mutex>

namespace {

std::mutex g_suspendMutex;
int g_suspendDepth = 0;
int g_suspendTotal = 0;

} // namespace

FileIO::FileIO(int mode) : m_mode(mode) {}

FileIO::~FileIO()
{
    FindClose();
}

BOOL FileIO::FindFirst(LPCWSTR pattern, WIN32_FIND_DATAW* data)
{
    FindClose();
    if (!pattern || !data)
        return FALSE;
    // The host's listings never use the 8.3 aliases: the basic level skips them.
    m_find = FindFirstFileExW(pattern, FindExInfoBasic, data, FindExSearchNameMatch, nullptr, 0);
    return m_find != INVALID_HANDLE_VALUE ? TRUE : FALSE;
}

BOOL FileIO::FindNext(WIN32_FIND_DATAW* data)
{
    if (m_find == INVALID_HANDLE_VALUE || !data)
        return FALSE;
    return FindNextFileW(m_find, data) ? TRUE : FALSE;
}

BOOL FileIO::FindClose()
{
    if (m_find == INVALID_HANDLE_VALUE)
        return FALSE;
    const BOOL closed = ::FindClose(m_find);
    m_find = INVALID_HANDLE_VALUE;
    return closed;
}

void FileIO::AllSuspend()
{
    std::lock_guard<std::mutex> lock(g_suspendMutex);
    ++g_suspendDepth;
    ++g_suspendTotal;
}

void FileIO::AllResume()
{
    std::lock_guard<std::mutex> lock(g_suspendMutex);
    if (g_suspendDepth == 0) {
        OutputDebugStringW(L"FileIO::AllResume without AllSuspend\n");
        return;
    }
    --g_suspendDepth;
}

bool FileIO::IsSuspended()
{
    std::lock_guard<std::mutex> lock(g_suspendMutex);
    return g_suspendDepth != 0;
}

int FileIO::GetSuspendDepth()
{
    std::lock_guard<std::mutex> lock(g_suspendMutex);
    return g_suspendDepth;
}

int FileIO::GetSuspendTotal()
{
    std::lock_guard<std::mutex> lock(g_suspendMutex);
    return g_suspendTotal;
}
