// The simulated printer as the touch-panel API shows it (GET /api/printer):
//   {"annotations": ["line 1", "", ... 108 lines],
//    "annotationChanges": 216}
// The annotations are the page-annotation lines the printer was last sent;
// annotationChanges counts the lines it was sent since the simulator started.
#pragma once

#include "host/devices/PrinterDevice.h"

#include <nlohmann/json.hpp>

class PrinterJson {
public:
    static nlohmann::json Describe(const PrinterJournal& journal);
};
