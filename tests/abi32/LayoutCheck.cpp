// The records the dialog shares with its host, as laid out by this build's
// ABI. Built with -m32 and run under an i386 emulator, it checks the layout
// the instrument's 32-bit host relies on; it prints every figure and exits 1
// when one differs.
#include "core/ConfigRecords.h"
#include "core/DlgRequest.h"
#include "host/ConfigSysMeas.h"
#include "host/ConfigSysRec.h"

#include <cstddef>
#include <cstdio>

namespace {

struct Figure {
    const char* what;
    std::size_t actual;
    std::size_t expected;
};

}  // namespace

int main()
{
    const Figure figures[] = {
        {"pointer", sizeof(void*), 4},
        {"request record", sizeof(T_DLG_REQUEST), 40},
        {"request word", sizeof(T_DLG_REQUEST::WordValue), 4},
        {"configuration record", sizeof(T_CONFIG_SYSTEM), 24},
        {"configuration record: communication block", offsetof(T_CONFIG_SYSTEM, pComm), 16},
        {"configuration record: auxiliary block", offsetof(T_CONFIG_SYSTEM, pMisc), 20},
        {"communication block", sizeof(T_CONFIG_COMM), 40},
        {"communication block: port", offsetof(T_CONFIG_COMM, dwPort), 4},
        {"communication block: transmit on trigger", offsetof(T_CONFIG_COMM, bSendOnTrigger), 36},
        {"auxiliary block", sizeof(T_CONFIG_MISC), 308},
        {"auxiliary block: delay", offsetof(T_CONFIG_MISC, dwAutoOffDelay), 4},
        {"auxiliary block: folder", offsetof(T_CONFIG_MISC, szScreenCopyFolder), 10},
        {"auxiliary block: password", offsetof(T_CONFIG_MISC, szPassword), 270},
        {"auxiliary block: maintenance next start", offsetof(T_CONFIG_MISC, bMaintenanceNextStart), 303},
        {"auxiliary block: mouse cursor", offsetof(T_CONFIG_MISC, bMouseCursor), 304},
        {"measurement configuration", sizeof(CONFIG_SYSMEAS), 44},
        {"recording configuration", sizeof(CONFIG_SYSREC), 85476},
        {"recording parameters: data-record counter", offsetof(CONFIG_SYSREC::PARAMS, dwDataRecordCounter), 85404},
    };
    int wrong = 0;
    for (const Figure& figure : figures) {
        const bool right = figure.actual == figure.expected;
        std::printf("%-45s %6zu %s\n", figure.what, figure.actual, right ? "ok" : "WRONG");
        if (!right) {
            std::printf("%-45s %6zu expected\n", "", figure.expected);
            ++wrong;
        }
    }
    return wrong ? 1 : 0;
}
