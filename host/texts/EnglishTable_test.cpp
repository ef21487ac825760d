// The English table against the keys the code fetches. The keys are read
// from the sources the library and the simulator are built from: look-ups
// (and functions that pass a key and a default on to one) with a numeric or
// constant key, the 2-argument look-ups of a file's own group, and the rows
// of key tables or default-text arrays that a look-up takes its item from.
// The running simulator reports the keys it was asked for without a text
// (GET /api/language), which the browser walk checks as a second net.
#include "host/TextService.h"
#include "host/TextTables.h"
#include "win/TextConvert.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;
// Where a key is fetched, and the printf conversions of its default text
// (of the one with the most, where the key has several defaults).
struct Use {
    std::string where;
    std::vector<std::string> conversions;
};
using Keys = std::map<std::pair<unsigned long, unsigned long>, Use>;

std::vector<std::string> Conversions(const std::string& text)
{
    static const std::regex conversion(R"(%%|%[-+ #0]*\d*(?:\.\d+)?(?:I64|ll|l|h)?[A-Za-z])");
    std::vector<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), conversion), end; it != end; ++it)
        if (it->str() != "%%")
            found.push_back(it->str());
    return found;
}

void Add(Keys& keys, unsigned long group, unsigned long item, const std::string& where, const std::string& text)
{
    Use& use = keys.try_emplace({group, item}, Use{where, {}}).first->second;
    if (std::vector<std::string> conversions = Conversions(text); conversions.size() > use.conversions.size())
        use.conversions = conversions;
}

std::string Read(const fs::path& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return std::regex_replace(text.str(), std::regex(R"(//[^\n]*)"), "");
}

bool IsTest(const fs::path& path)
{
    const std::string name = path.filename().string();
    return name.find("_test.") != std::string::npos || name.find("TestSupport") != std::string::npos;
}

using Constants = std::map<std::string, unsigned long>;

// Constants declared `constexpr NAME = number` (a file's own declared last, so they win).
void AddConstants(const std::string& text, Constants& out)
{
    static const std::regex declaration(R"(constexpr[^;=]*?\b(\w+)\s*=\s*(\d+)\s*[;,](?:\s*(\w+)\s*=\s*(\d+))?)");
    for (std::sregex_iterator it(text.begin(), text.end(), declaration), end; it != end; ++it)
        for (int name : {1, 3})
            if ((*it)[name].matched)
                out[(*it)[name]] = std::stoul((*it)[name + 1]);
}

// A number, or a constant's value (any namespace or class qualification dropped).
bool Resolve(const Constants& constants, std::string name, unsigned long& value)
{
    name = name.substr(name.rfind(':') == std::string::npos ? 0 : name.rfind(':') + 1);
    if (!name.empty() && std::isdigit(static_cast<unsigned char>(name[0])))
        return value = std::stoul(name), true;
    const auto found = constants.find(name);
    return found != constants.end() && (value = found->second, true);
}

// Whether `position` lies in a brace initialiser rather than in a call's parentheses.
bool InBraces(const std::string& text, std::size_t position)
{
    for (int depth = 0; position-- > 0;) {
        const char c = text[position];
        if (c == ')' || c == '}')
            ++depth;
        else if ((c == '(' || c == '{') && depth-- == 0)
            return c == '{';
    }
    return false;
}

// The initialiser of the array `name`, or the whole text when there is none.
std::string ArrayBody(const std::string& text, const std::string& name)
{
    std::smatch match;
    if (!std::regex_search(text, match, std::regex("\\b" + name + R"(\[[^\]]*\]\s*=\s*\{)")))
        return text;
    std::size_t end = static_cast<std::size_t>(match.position(0) + match.length(0));
    for (int depth = 1; end < text.size() && depth > 0; ++end)
        depth += text[end] == '{' ? 1 : text[end] == '}' ? -1 : 0;
    return text.substr(static_cast<std::size_t>(match.position(0)), end - static_cast<std::size_t>(match.position(0)));
}

// A default argument as written, or for a constant's name the literals it is defined as.
std::string DefaultText(const std::string& text, const std::string& argument)
{
    std::smatch named;
    if (!std::regex_match(argument, std::regex(R"(\w+)")) ||
        !std::regex_search(text, named, std::regex("\\b" + argument + R"(\s*=\s*((?:\s*L"(?:[^"\\]|\\.)*")+))")))
        return argument;
    return named.str(1);
}

void ScanFile(const fs::path& path, const std::string& text, const Constants& constants, const std::string& ownGroup,
              const std::string& lookups, Keys& keys)
{
    // name(group or item, [item,] default): the default a literal or a name.
    const std::regex lookup(R"re(\b()re" + lookups + R"re()\s*\(\s*([\w:.\[\]]+)\s*(?:,\s*([^,()"]+?)\s*)?,\s*)re"
                            R"re((L"(?:[^"\\]|\\.)*"|[\w:.\[\]]+))re");
    static const std::regex row(R"re((\d+)\s*,\s*L"((?:[^"\\]|\\.)*)")re");
    const std::string where = path.filename().string();
    for (std::sregex_iterator it(text.begin(), text.end(), lookup), end; it != end; ++it) {
        const auto& call = *it;
        const bool itemTable = call.str(1) == "SetItemTexts";
        const bool twoArguments = !call[3].matched && !itemTable;
        unsigned long group = 0, item = 0;
        if (!Resolve(constants, twoArguments ? ownGroup : call.str(2), group))
            continue;
        const std::string itemArgument = twoArguments ? call.str(2) : call.str(3);
        if (!itemArgument.empty() && Resolve(constants, itemArgument, item)) {
            Add(keys, group, item, where, DefaultText(text, call.str(4)));
            continue;
        }
        // The item comes from data: the rows of the item table or of the
        // file's key tables, or the index into an array of default texts.
        const std::string defaults = call.str(4);
        if (const auto bracket = defaults.find('['); bracket != std::string::npos && defaults.back() == ']') {
            const std::string body = ArrayBody(text, defaults.substr(0, bracket));
            for (std::size_t index = 0, at = 0; (at = body.find("L\"", at)) != std::string::npos; ++index, ++at)
                Add(keys, group, static_cast<unsigned long>(index), where, "");
            continue;
        }
        const std::string rows = itemTable ? ArrayBody(text, defaults) : text;
        for (std::sregex_iterator r(rows.begin(), rows.end(), row); r != end; ++r)
            if (InBraces(rows, static_cast<std::size_t>(r->position(0))))
                Add(keys, group, std::stoul(r->str(1)), where, r->str(2));
    }
}

Keys FetchedKeys()
{
    static const std::regex wrapper(R"(Text\(DWORD \w+, const wchar_t\* \w+\)\s*\{[^}]*?Text\(\s*(\w+)\s*,)");
    // Functions that take a key and a default text and pass them on to a look-up.
    static const std::regex forwarder(R"(\b(\w+)\((?:DWORD \w+, ){1,2}const wchar_t\* \w+\))");
    Keys keys;
    for (const char* top : {"core", "pages", "host", "app"})
        for (const auto& entry : fs::recursive_directory_iterator(fs::path(SYSDLG_SOURCE_DIR) / top)) {
            const fs::path& path = entry.path();
            if (!entry.is_regular_file() || path.extension() != ".cpp" || IsTest(path))
                continue;
            Constants constants;
            std::string ownGroup, folderText;
            for (const auto& header : fs::directory_iterator(path.parent_path()))
                if (header.path().extension() == ".h" && !IsTest(header.path()))
                    folderText += Read(header.path());
            const std::string text = Read(path);
            AddConstants(folderText, constants);
            AddConstants(text, constants);
            std::smatch match;
            if (std::regex_search(text, match, wrapper) || std::regex_search(folderText, match, wrapper))
                ownGroup = match.str(1);
            std::string lookups = "GetText|Text|SetItemTexts";
            const std::string both = text + folderText;
            for (std::sregex_iterator it(both.begin(), both.end(), forwarder), end; it != end; ++it)
                lookups += "|" + it->str(1);
            ScanFile(path, text, constants, ownGroup, lookups, keys);
            ScanFile(path, folderText, constants, ownGroup, lookups, keys);
        }
    return keys;
}

}  // namespace

// Every key the code fetches has its English text, and every English text
// belongs to a key that is fetched.
TEST(EnglishTable, CoversExactlyTheFetchedKeys)
{
    const std::optional<std::string_view> table = FindTextTable("en");
    ASSERT_TRUE(table.has_value());
    CTextService service;
    std::string error;
    ASSERT_TRUE(service.LoadTableText(*table, &error)) << error;  // escapes valid, no key twice

    const Keys fetched = FetchedKeys();
    ASSERT_FALSE(fetched.empty());
    std::string missing, stale, formats;
    for (const auto& [key, use] : fetched) {
        const std::string name = std::to_string(key.first) + "/" + std::to_string(key.second) + " (" + use.where + ")";
        if (!service.HasText(key.first, key.second))
            missing += "  " + name + "\n";
        // A text that is a format must take the arguments its default takes.
        else if (Conversions(win::WideToUtf8(service.GetText(key.first, key.second, L""))) != use.conversions)
            formats += "  " + name + "\n";
    }
    for (const auto& [group, item] : service.GetTableKeys())
        if (!fetched.count({group, item}))
            stale += "  " + std::to_string(group) + "/" + std::to_string(item) + "\n";
    EXPECT_EQ(missing, "") << "keys without an English text";
    EXPECT_EQ(stale, "") << "English texts that nothing fetches";
    EXPECT_EQ(formats, "") << "English texts whose conversions differ from their default's";
}
