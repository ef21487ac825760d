#include "host/devices/UsbEject.h"

#include "host/FileIO.h"
#include "host/InstrumentProfile.h"

#include <mutex>

namespace {

std::mutex g_mutex;
int g_calls = 0;
bool g_suspendedAtLastCall = false;

} // namespace

int EjectUSBDrives()
{
    const bool suspended = FileIO::IsSuspended();
    const int result = InstrumentProfile::Current()->usbEjectResult;
    std::lock_guard<std::mutex> lock(g_mutex);
    ++g_calls;
    g_suspendedAtLastCall = suspended;
    return result;
}

int UsbEject::GetCallCount()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_calls;
}

bool UsbEject::WasFileActivitySuspendedAtLastCall()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_suspendedAtLastCall;
}
