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
}

}  // namespace testing_support
