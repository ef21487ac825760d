// Parameter records of the printer's test print and data-chart modes.
#pragma once

#include "win/Win32Types.h"

struct TESTPRINT_PARAM {
    DWORD dwProductID = 0;
    const char* pszMainVersion = nullptr;     // ANSI (UTF-8) text, printed on the pattern
    const char* pszPrinterVersion = nullptr;  // ANSI (UTF-8) text
};

struct DATACHART_PARAM {
    DWORD dwChartNo = 0;    // printed on the chart; the data-record counter
    DWORD dwProductID = 0;
    DWORD dwChartFlag = 0;  // 1: the amplifier-maintenance chart
};
