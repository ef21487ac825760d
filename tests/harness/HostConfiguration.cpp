#include "tests/harness/HostConfiguration.h"

namespace testing_support {

HostConfiguration::HostConfiguration()
{
    record.pSysMeas = &sysMeas;
    record.pCurrentFolder = currentFolder;
    record.pSysRec1 = sysRec1.get();
    record.pSysRec2 = sysRec2.get();
    record.pComm = &comm;
    record.pMisc = &misc;
    // The host's delay: one the page cannot show (0) is kept as the jog's
    // minimum when the dialog closes, and reported.
    misc.dwAutoOffDelay = 10;
}

}  // namespace testing_support
