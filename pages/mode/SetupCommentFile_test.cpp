// The 40-byte comment files of the saved setups: what is written, and how
// files written by anything else are read.
#include "pages/mode/SetupCommentFile.h"

#include "pages/mode/ModeTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace setup_comment;
using mode_test::CommentFileOf;
using mode_test::Utf16Le;

std::string Bytes(const FileBytes& image) { return std::string(image.begin(), image.end()); }

TEST(SetupCommentFileTest, EncodingKeepsSixteenUnitsWithoutSplittingAPair)
{
    struct Row {
        std::wstring comment;
        std::u16string stored;
        std::wstring readBack;
    };
    const std::wstring pair = L"\U0001F600";
    const Row rows[] = {
        {L"Aあ", u"Aあ", L"Aあ"},
        {L"0123456789ABCDEFGHIJ", u"0123456789ABCDEF", L"0123456789ABCDEF"},
        {std::wstring(15, L'x') + pair, std::u16string(15, u'x'), std::wstring(15, L'x')},  // the pair does not fit
        {std::wstring(14, L'x') + pair, std::u16string(14, u'x') + u"\U0001F600", std::wstring(14, L'x') + pair},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Bytes(Encode(row.comment)), CommentFileOf(row.stored)) << row.stored.size() << " units";
        EXPECT_EQ(Decode(Encode(row.comment)), row.readBack);
    }
}

// Whatever the file holds, at most 40 bytes are read into a zero-filled image
// and the comment is the text before the first zero unit.
TEST(SetupCommentFileTest, FilesOfAnyShapeReadSafely)
{
    testing_support::TempDataRoot root;
    const std::pair<std::string, std::wstring> rows[] = {
        {Utf16Le(u"ABC"), L"ABC"},  // short, no terminator
        {"", L""},
        {Utf16Le(std::u16string(30, u'L')), std::wstring(20, L'L')},  // longer than 40 bytes
        {Utf16Le(u"AB") + std::string(2, '\0') + Utf16Le(u"CD"), L"AB"},
        // Lone surrogates and control characters; a high surrogate in the last unit.
        {Utf16Le(u"a\xD800" u"b\xDC00" u"c\n\a"), L"a\uFFFDb\uFFFDc\uFFFD\uFFFD"},
        {Utf16Le(std::u16string(19, u'q') + u"\xD83D"), std::wstring(19, L'q') + L"\uFFFD"},
    };
    for (const auto& [content, comment] : rows) {
        root.WriteFile(L"D:\\comment.cmt", content);
        FileBytes image;
        image.fill(0xEE);
        ASSERT_TRUE(ReadImage(L"D:\\comment.cmt", image));
        EXPECT_EQ(Decode(image), comment) << content.size() << " bytes";
        EXPECT_EQ(Bytes(image).substr(std::min<std::size_t>(content.size(), 40)),
                  std::string(40 - std::min<std::size_t>(content.size(), 40), '\0'));
    }
    FileBytes image;
    image.fill(0xEE);
    EXPECT_FALSE(ReadImage(L"D:\\none.cmt", image));
    EXPECT_EQ(Bytes(image), std::string(40, '\0'));
}

TEST(SetupCommentFileTest, WritingReplacesTheFileWithFortyBytesOrFails)
{
    testing_support::TempDataRoot root;
    root.WriteFile(L"D:\\comment.cmt", std::string(100, 'x'));
    ASSERT_TRUE(WriteImage(L"D:\\comment.cmt", Encode(L"メモ")));
    EXPECT_EQ(root.ReadFile(L"D:\\comment.cmt"), CommentFileOf(u"メモ"));
    EXPECT_FALSE(WriteImage(L"D:\\no such folder\\No.1.cmt", Encode(L"x")));
    EXPECT_FALSE(root.Exists(L"D:\\no such folder\\No.1.cmt"));
}

}  // namespace
