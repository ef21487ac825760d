// The version report of the maintenance page: every software and hardware
// part of the instrument, one line each, and the main program's version
// text that the test print hands to the printer.
#pragma once

#include "win/CString.h"

class PrinterIO;

class VersionReport {
public:
    // "V%d.%d%s build %d" of the main program, followed by " " and its text
    // when `withText` (the report's line; the printer gets it without).
    static CString MainProgram(bool withText);
    // The letter of a revision code: none for 0, "a".. from 1, "A".. from 100.
    static CString RevisionLetter(int code);
    // The whole report, in the format of the page's text 100; the printer
    // CPU's line comes from `printer`.
    static CString Build(PrinterIO& printer);

private:
    // The three lines about the operating system, from the registry.
    static void OperatingSystem(CString& product, CString& version, CString& servicePack);
    // "REMOTE  " and the like for each optional interface that is fitted.
    static CString HardwareOptions();
};
