// The template files compiled into the library (generated at build time from
// resources/templates by EmbedTemplates.cmake).
#pragma once

#include <span>
#include <string_view>

namespace resources {

struct EmbeddedTemplateFile {
    std::string_view name;  // the file name, such as "17000.dlg"
    std::string_view text;  // the file's UTF-8 content
};

// Sorted by file name.
std::span<const EmbeddedTemplateFile> EmbeddedTemplateFiles();

}  // namespace resources
