// The English table covers exactly the keys the code fetches, and the
// scanner finds keys in every form the code fetches them.
#include "tools/text-keys/TextKeys.h"

#include "host/TextTables.h"

#include <gtest/gtest.h>

namespace {

using Key = std::pair<unsigned long, unsigned long>;

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += "  " + line + "\n";
    return text;
}

TEST(TextKeys, TheEnglishTableCoversExactlyTheFetchedKeys)
{
    const std::optional<std::string_view> table = FindTextTable("en");
    ASSERT_TRUE(table.has_value());
    CTextService service;
    std::string error;
    ASSERT_TRUE(service.LoadTableText(*table, &error)) << error;  // escapes valid, no key twice
    const textkeys::Keys fetched = textkeys::FetchedKeys(SYSDLG_SOURCE_DIR);
    ASSERT_GT(fetched.size(), 200u);
    const textkeys::Report report = textkeys::Check(fetched, service);
    EXPECT_EQ(Joined(report.missing), "") << "keys without an English text";
    EXPECT_EQ(Joined(report.stale), "") << "English texts that nothing fetches";
    EXPECT_EQ(Joined(report.formats), "") << "English texts whose conversions differ from their default's";
}

TEST(TextKeys, EveryFormOfLookUpIsFound)
{
    const struct {
        const char* form;
        const char* text;
        const char* folderText;
        std::vector<Key> keys;
    } forms[] = {
        {"numbers", R"(GetTextServiceObject()->GetText(17000, 5, L"閉じる");)", "", {{17000, 5}}},
        {"constants", R"(constexpr DWORD kGroup = 17003; constexpr DWORD kItem = 7;
                         x = GetText(kGroup, kItem, L"%d 件");)", "", {{17003, 7}}},
        {"the folder's own group", R"(SetWindowText(Text(4, L"名前"));)",
         R"(constexpr DWORD IDD = 17002;
            inline const wchar_t* Text(DWORD item, const wchar_t* defaultText)
            { return GetTextServiceObject()->GetText(IDD, item, defaultText); })", {{17002, 4}}},
        {"an item table", R"(constexpr DWORD IDD_MISC = 17015;
                             static const ItemText items[] = {{17078, 2, L"ブザー"}, {1010, 3, L"音"}};
                             SetItemTexts(IDD_MISC, items);)", "", {{17015, 2}, {17015, 3}}},
        {"an array of defaults", R"(constexpr DWORD kTextGroup = 900;
                                    const wchar_t* const kDefaults[] = {L"a", L"b", L"c"};
                                    return GetText(kTextGroup, index, kDefaults[index]);)", "",
         {{900, 0}, {900, 1}, {900, 2}}},
    };
    for (const auto& form : forms) {
        textkeys::Keys keys;
        textkeys::ScanSource("Page.cpp", form.text, form.folderText, keys);
        std::vector<Key> found;
        for (const auto& entry : keys)
            found.push_back(entry.first);
        EXPECT_EQ(found, form.keys) << form.form;
    }
}

TEST(TextKeys, ATableIsCheckedForMissingStaleAndMismatchedTexts)
{
    textkeys::Keys fetched{{{1, 1}, {"a.cpp", {"%d"}}}, {{1, 2}, {"a.cpp", {}}}, {{1, 3}, {"b.cpp", {}}}};
    CTextService table;
    table.SetText(1, 1, L"%s files");
    table.SetText(1, 2, L"two");
    table.SetText(9, 9, L"stale");
    const textkeys::Report report = textkeys::Check(fetched, table);
    EXPECT_EQ(report.missing, std::vector<std::string>{"1/3 (b.cpp)"});
    EXPECT_EQ(report.stale, std::vector<std::string>{"9/9"});
    EXPECT_EQ(report.formats, std::vector<std::string>{"1/1 (a.cpp)"});
    EXPECT_FALSE(report.Clean());
}

}  // namespace
