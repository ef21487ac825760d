// The keys (group, item) that the dialog's and the host's code fetch from the
// text service, read from their sources, and a text table checked against
// them: what a translator runs when adding or changing a language.
//
// Keys are found in look-ups (GetText, a file's or folder's Text wrappers,
// functions that take a key and a default text and pass them on) with a
// numeric or constexpr key, in the 2-argument look-ups of a folder's own
// group, and in the rows of item tables (SetItemTexts) or default-text
// arrays a look-up takes its item from. A key fetched in any other way is
// not seen; the running simulator's list of untranslated keys is the second
// net (GET /api/language).
#pragma once

#include "host/TextService.h"

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace textkeys {

// Where a key is fetched, and the printf conversions of its default text
// (of the one with the most, where the key has several defaults).
struct Use {
    std::string where;
    std::vector<std::string> conversions;
};
using Keys = std::map<std::pair<unsigned long, unsigned long>, Use>;

// The printf conversions of a text, "%%" left out.
std::vector<std::string> Conversions(const std::string& text);

// The keys one source file fetches; `folderText` is its folder's headers.
void ScanSource(const std::string& where, const std::string& text, const std::string& folderText, Keys& keys);
// The keys fetched by the sources below `sourceRoot` (core, pages, host and
// app; tests left out).
Keys FetchedKeys(const std::filesystem::path& sourceRoot);

struct Report {
    std::vector<std::string> missing;  // fetched, without a text in the table
    std::vector<std::string> stale;    // in the table, fetched nowhere
    std::vector<std::string> formats;  // conversions that differ from the default's
    bool Clean() const { return missing.empty() && stale.empty() && formats.empty(); }
};
Report Check(const Keys& fetched, CTextService& table);

}  // namespace textkeys
