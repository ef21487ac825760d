// The host's run status: tells the rest of the host that the printer is
// busy with a test print or a data record. Starts and ends nest; an end
// without a start is ignored and logged. Thread-safe.
#pragma once

class GlobalStatus {
public:
    static void StartTestPrint();
    static void EndTestPrint();
    static void StartDataPrint();
    static void EndDataPrint();

    static bool IsTestPrinting();
    static bool IsDataPrinting();
    // Starts since the process started (tests compare before and after).
    static int GetTestPrintStarts();
    static int GetDataPrintStarts();
};
