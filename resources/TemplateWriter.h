// Writing a DialogTemplate in the template file format (resources/README.md),
// so that reading the text back gives the same template. Used by tests and
// for dumping templates that were built or changed in code.
#pragma once

#include "win/DialogTemplate.h"

#include <string>

namespace resources {

// The template as UTF-8 text. Style bits that no keyword names are written
// as "style:0x..."; a control is always a child window, so a control
// template without WS_CHILD is written (and read back) with it.
std::string FormatDialogTemplate(const win::DialogTemplate& dialog);

}  // namespace resources
