// Start-up registration of the library's dialog templates (ids 17000 to
// 17019) with the window layer.
#pragma once

#include <string_view>

namespace resources {

// Parses every embedded template file and registers it. Only the first call
// does the work (it also runs from a static initializer, so a program that
// links the library has its templates before main); later calls return the
// first call's result. A malformed file is reported on the debug output with
// its name and line and left out; the result is then false.
bool RegisterAllTemplates();

// Parses one template text and registers it, replacing a template of the same
// id. Returns false, and reports on the debug output, when it is malformed.
bool RegisterTemplateText(std::string_view text, std::string_view fileName);

}  // namespace resources
