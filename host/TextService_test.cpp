#include "host/TextService.h"

#include "win/DebugLog.h"

#include <gtest/gtest.h>

// A text handed out stays valid: a default outlives the caller's buffer, a
// table text outlives its table.
TEST(TextService, TextsHandedOutStayValid)
{
    CTextService service;
    const wchar_t* kept = nullptr;
    {
        std::wstring temporary = L"一時的";
        kept = service.GetText(17005, 2, temporary.c_str());
        temporary.assign(L"xxxxxx");
    }
    for (int i = 0; i < 1000; ++i)
        service.GetText(9, static_cast<DWORD>(i), std::to_wstring(i).c_str());
    ASSERT_TRUE(service.LoadTableText("1\t5\tSave\n"));
    const wchar_t* english = service.GetText(1, 5, L"保存");
    ASSERT_TRUE(service.LoadTableText("1\t5\tSpeichern\n"));
    EXPECT_STREQ(service.GetText(1, 5, L"保存"), L"Speichern");
    service.ClearTable();
    EXPECT_STREQ(service.GetText(1, 5, L"保存"), L"保存");
    EXPECT_STREQ(english, L"Save");
    EXPECT_STREQ(kept, L"一時的");
}

TEST(TextService, TableTextReplacesTheDefaultForItsKeysOnly)
{
    CTextService service;
    EXPECT_STREQ(service.GetText(1, 1, L"閉じる"), L"閉じる") << "without a table";
    EXPECT_STREQ(service.GetText(1, 2, nullptr), L"");
    ASSERT_TRUE(service.LoadTableText("# english\n1\t1\tClose\n1000\t2101\tChannels changed.\\nMemory is lost.\n"
                                      "17005\t20\tNow %dW/CH\r\n1\t3\t\n"));
    EXPECT_EQ(service.GetTableSize(), 4u);
    EXPECT_STREQ(service.GetText(1, 3, L"既定"), L"") << "an empty text in the table is a text of its own";
    EXPECT_STREQ(service.GetText(1, 1, L"閉じる"), L"Close");
    EXPECT_STREQ(service.GetText(1000, 2101, L"x"), L"Channels changed.\nMemory is lost.");
    EXPECT_STREQ(service.GetText(17005, 20, L"x"), L"Now %dW/CH");
    EXPECT_STREQ(service.GetText(1, 2, L"実行"), L"実行");
    EXPECT_STREQ(service.GetText(2, 1, L"既定"), L"既定");
}

TEST(TextService, BadTableIsRejectedAndTheOldOneKept)
{
    CTextService service;
    ASSERT_TRUE(service.LoadTableText("1\t1\tClose\n"));
    const char* bad[] = {
        "1\t1\tOK\n1 2 no tabs\n",         // missing tabs
        "1\tx\ttext\n",                     // item not a number
        "-1\t1\ttext\n",                    // negative group
        "1\t1\ta\n1\t1\tb\n",               // duplicate key
        "1\t1\tbad \\q escape\n",           // unknown escape
        "1\t1\t\xFF\n",                     // not UTF-8
        "4294967296\t1\tx\n",               // group beyond 32 bits
    };
    for (const char* text : bad) {
        win::DebugLog::Clear();
        std::string error;
        EXPECT_FALSE(service.LoadTableText(text, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_TRUE(win::DebugLog::Contains(L"CTextService")) << text;
        EXPECT_STREQ(service.GetText(1, 1, L"閉じる"), L"Close") << text;
        EXPECT_EQ(service.GetTableSize(), 1u) << text;
    }
}

// With a table loaded, the keys it lacks are recorded once each, in the order
// asked, until another table (or none) is loaded.
TEST(TextService, KeysATableLacksAreRecorded)
{
    CTextService service;
    service.GetText(5, 5, L"表なし");
    ASSERT_TRUE(service.LoadTableText("1\t1\tClose\n"));
    for (DWORD item : {1u, 7u, 3u, 7u})
        service.GetText(1, item, L"既定");
    using Keys = std::vector<std::pair<DWORD, DWORD>>;
    EXPECT_EQ(service.GetMissingKeys(), (Keys{{1, 7}, {1, 3}}));
    service.ClearTable();
    service.GetText(1, 9, L"既定");
    EXPECT_EQ(service.GetMissingKeys(), Keys{});
}
