// Release of the instrument's USB drives (the driver library's eject).
// The result comes from the instrument profile (usb.eject_result); every
// call is counted, with whether host file activity was paused at the time,
// so that tests and the simulator can see what the dialog did.
#pragma once

#include "win/Win32Types.h"

// Non-zero when every USB drive was released.
int EjectUSBDrives();

class UsbEject {
public:
    static int GetCallCount();
    static bool WasFileActivitySuspendedAtLastCall();
};
