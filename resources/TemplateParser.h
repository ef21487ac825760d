// Reading a dialog template file (the format is described in
// resources/README.md) into the window layer's DialogTemplate.
#pragma once

#include "win/DialogTemplate.h"

#include <optional>
#include <string>
#include <string_view>

namespace resources {

struct TemplateParseResult {
    std::optional<win::DialogTemplate> dialog;  // set exactly when the text is well-formed
    int errorLine = 0;                          // 1-based line of the first error; 0 when none
    std::wstring error;                         // "<file>:<line>: <what is wrong>"; empty when none

    bool ok() const { return dialog.has_value(); }
};

// Parses one template. `text` is the file's UTF-8 content; `fileName` only
// names the file in the error message. The first error ends the parse.
TemplateParseResult ParseDialogTemplate(std::string_view text, std::string_view fileName);

}  // namespace resources
