// A printer failure. It carries three data words after its table of
// virtual functions: the printer object that failed (null when the
// exception only serves as a place to copy a caught failure into), the
// failure code and the failure state. A state above 1 is a failure the
// operator must see; a fresh exception has state 0.
//
// Failure codes and their texts (text service group 20081, item = code):
//   1 the printer is in use, 2 paper out, 3 head up, 4 head temperature,
//   5 no answer, 6 not ready (an operation out of order); others: general.
#pragma once

#include "host/devices/RAException.h"

class PrinterIO;

class PrinterIOException : public RAException {
public:
    enum Code : DWORD {
        CODE_NONE = 0,
        CODE_BUSY = 1,
        CODE_PAPER_OUT = 2,
        CODE_HEAD_UP = 3,
        CODE_HEAD_TEMPERATURE = 4,
        CODE_NO_ANSWER = 5,
        CODE_NOT_READY = 6,
    };
    static constexpr DWORD kTextGroup = 20081;

    explicit PrinterIOException(PrinterIO* printer, DWORD code = CODE_NONE, DWORD state = 0)
        : m_printer(printer), m_code(code), m_state(state)
    {
    }

    LPCWSTR GetErrorMessage() const override;

    PrinterIO* GetPrinter() const { return m_printer; }
    DWORD GetCode() const { return m_code; }
    DWORD GetState() const { return m_state; }

private:
    PrinterIO* m_printer;
    DWORD m_code;
    DWORD m_state;
};
