#include "host/FileRecording.h"

#include <mutex>

namespace {

std::mutex g_mutex;
LONGLONG g_reservedBytes = 0;
int g_setCount = 0;

} // namespace

void CFileRecording::SetMemBackupReservedSize(LONGLONG bytes)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_reservedBytes = bytes;
    ++g_setCount;
}

LONGLONG CFileRecording::GetMemBackupReservedSize()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_reservedBytes;
}

int CFileRecording::GetSetCount()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_setCount;
}
