// Base of the host device library's exceptions. Derived exceptions are
// caught by value, so they carry plain data words only and rebuild their
// message from them.
#pragma once

#include "win/Win32Types.h"

class RAException {
public:
    virtual ~RAException() = default;
    // The text to show the operator; never null.
    virtual LPCWSTR GetErrorMessage() const { return L""; }
};
