// The text tables built into the library, one language each (host/texts/
// <language>.txt, in the format CTextService documents). Japanese has no
// table: its texts are the callers' defaults.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct TextTableFile {
    std::string_view language;  // "en"
    std::string_view text;
};

// Sorted by language.
std::span<const TextTableFile> TextTableFiles();

// The table of a language, or nothing (for "ja" and for unknown names).
std::optional<std::string_view> FindTextTable(std::string_view language);
// "ja" first, then every language with a table.
std::vector<std::string> TextTableLanguages();
