#include "host/dialogs/KeyboardText.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using host::KeyboardText;
using Result = KeyboardText::Result;

// The length limit itself is the keyboard dialog's story.
TEST(KeyboardText, OneLineEntriesTakeNoBreak)
{
    KeyboardText text;
    text.Configure(15, -1, -1);
    EXPECT_FALSE(text.IsMultiLine());
    EXPECT_EQ(Result::NoMoreLines, text.NewLine());
    text.SetText(L"12\r\n34");
    EXPECT_EQ(L"1234", text.GetText()) << "one line keeps the text without its breaks";
}

TEST(KeyboardText, InitialTextIsSplitAndCutToTheLimits)
{
    KeyboardText text;
    text.Configure(KeyboardText::kUnlimited, 3, 4);
    text.SetText(L"one\r\ntwo2long\nthree\r\nfour\r\n");
    EXPECT_EQ((std::vector<std::wstring>{L"one", L"two2", L"thre"}), text.Lines());
    text.Configure(KeyboardText::kUnlimited, 8, 30);
    text.SetText(L"a\r\nb\r\n");
    EXPECT_EQ(2u, text.Lines().size()) << "a break that ends the text starts no line";
    text.SetText(L"a\r\n\r\nb");
    EXPECT_EQ(3u, text.Lines().size()) << "an empty line inside is kept";
    text.Configure(5, 8, 30);
    text.SetText(L"abc\r\ndefg\r\nhi");
    EXPECT_EQ(L"abc\r\nde\r\n", text.GetText());
}

// Typing and deleting happen at the cursor; the cursor keys stay within the
// line and stop at the ends, and no key joins two lines.
TEST(KeyboardText, EditsAtTheCursorAndNeverJoinsLines)
{
    KeyboardText text;
    text.Configure(KeyboardText::kUnlimited, 3, 6);
    text.SetText(L"abcd\r\nxy");
    using Key = std::function<Result(KeyboardText&)>;
    const std::tuple<const char*, Key, Result, const wchar_t*, int, int> steps[] = {
        {"Up on the first line", &KeyboardText::Up, Result::Nothing, L"abcd\r\nxy", 0, 4},
        {"Home", &KeyboardText::Home, Result::Done, L"abcd\r\nxy", 0, 0},
        {"Left at the start", &KeyboardText::Left, Result::Nothing, L"abcd\r\nxy", 0, 0},
        {"Back before the first line", &KeyboardText::Back, Result::Nothing, L"abcd\r\nxy", 0, 0},
        {"Delete", &KeyboardText::Delete, Result::Done, L"bcd\r\nxy", 0, 0},
        {"Right", &KeyboardText::Right, Result::Done, L"bcd\r\nxy", 0, 1},
        {"insert", [](KeyboardText& t) { return t.Insert(L'Z'); }, Result::Done, L"bZcd\r\nxy", 0, 2},
        {"Back", &KeyboardText::Back, Result::Done, L"bcd\r\nxy", 0, 1},
        {"End", &KeyboardText::End, Result::Done, L"bcd\r\nxy", 0, 3},
        {"Right at the end", &KeyboardText::Right, Result::Nothing, L"bcd\r\nxy", 0, 3},
        {"Delete at the end", &KeyboardText::Delete, Result::Nothing, L"bcd\r\nxy", 0, 3},
        {"Down", &KeyboardText::Down, Result::Done, L"bcd\r\nxy", 1, 2},
        {"Down on the last line", &KeyboardText::Down, Result::Nothing, L"bcd\r\nxy", 1, 2},
        {"Home", &KeyboardText::Home, Result::Done, L"bcd\r\nxy", 1, 0},
        {"Back at a line's start", &KeyboardText::Back, Result::Done, L"bcd\r\nxy", 0, 3},
        {"ClearLine", &KeyboardText::ClearLine, Result::Done, L"\r\nxy", 0, 0},
        {"NewLine", &KeyboardText::NewLine, Result::Done, L"\r\nxy", 1, 2},
    };
    for (const auto& [key, press, result, after, line, column] : steps) {
        EXPECT_EQ(result, press(text)) << key;
        EXPECT_EQ(after, text.GetText()) << key;
        EXPECT_EQ(std::make_pair(line, column), std::make_pair(text.CursorLine(), text.CursorColumn())) << key;
    }
    text.FocusLine(9);
    EXPECT_EQ(2, text.CursorLine()) << "focus stays within the line limit and adds lines up to it";
    EXPECT_EQ(3u, text.Lines().size());
}
