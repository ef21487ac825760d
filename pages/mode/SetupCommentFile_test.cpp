// The 40-byte comment files of the saved setups: what is written, and how
// files written by anything else are read.
#include "pages/mode/SetupCommentFile.h"

#include "pages/mode/ModeTestSupport.h"
#include "tests/harness/TempDataRoot.h"
#include "win/FileApi.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace setup_comment;

std::string Bytes(const FileBytes& image) { return std::string(image.begin(), image.end()); }

// A file image from raw bytes, zero-filled like the reader's buffer.
FileBytes ImageOf(const std::string& raw)
{
    FileBytes image{};
    for (std::size_t i = 0; i < raw.size() && i < image.size(); ++i)
        image[i] = static_cast<BYTE>(raw[i]);
    return image;
}

std::string Utf16Le(const std::u16string& text)
{
    std::string bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

TEST(SetupCommentFileTest, EncodesUtf16LittleEndianWithTerminatorAndZeroFill)
{
    FileBytes image = Encode(L"Aあ");
    std::string expected = Utf16Le(u"Aあ");
    expected.resize(40, '\0');
    EXPECT_EQ(Bytes(image), expected);
}

TEST(SetupCommentFileTest, EncodingKeepsSixteenUnitsAndAlwaysATerminator)
{
    FileBytes image = Encode(L"0123456789ABCDEFGHIJ");  // 20 characters offered
    std::string expected = Utf16Le(u"0123456789ABCDEF");
    expected.resize(40, '\0');
    EXPECT_EQ(Bytes(image), expected);
    EXPECT_EQ(Decode(image), L"0123456789ABCDEF");
}

TEST(SetupCommentFileTest, EncodingNeverSplitsASurrogatePair)
{
    // Fifteen units, then a character that needs two: it does not fit whole.
    std::wstring comment = std::wstring(15, L'x') + L"\U0001F600";
    FileBytes image = Encode(comment);
    EXPECT_EQ(image[30], 0);
    EXPECT_EQ(image[31], 0);
    EXPECT_EQ(Decode(image), std::wstring(15, L'x'));
    // Fourteen units and the pair fit exactly in sixteen.
    EXPECT_EQ(Decode(Encode(std::wstring(14, L'x') + L"\U0001F600")), std::wstring(14, L'x') + L"\U0001F600");
}

TEST(SetupCommentFileTest, DecodeStopsAtTheFirstZeroUnit)
{
    EXPECT_EQ(Decode(ImageOf(Utf16Le(u"AB") + std::string(2, '\0') + Utf16Le(u"CD"))), L"AB");
    EXPECT_EQ(Decode(FileBytes{}), L"");
}

TEST(SetupCommentFileTest, DecodeOfAnUnterminatedImageReadsTwentyCharactersAndNoMore)
{
    FileBytes image = ImageOf(Utf16Le(std::u16string(20, u'Z')));
    EXPECT_EQ(Decode(image), std::wstring(20, L'Z'));
}

TEST(SetupCommentFileTest, DecodeShowsGarbageAsReplacementCharacters)
{
    // A lone high surrogate, a lone low surrogate, a line break and a bell.
    FileBytes image = ImageOf(Utf16Le(u"a\xD800" u"b\xDC00" u"c\n\a"));
    EXPECT_EQ(Decode(image), L"a\uFFFDb\uFFFDc\uFFFD\uFFFD");
    // A high surrogate in the last unit has no partner inside the buffer.
    FileBytes cut = ImageOf(Utf16Le(std::u16string(19, u'q') + u"\xD83D"));
    EXPECT_EQ(Decode(cut), std::wstring(19, L'q') + L"\uFFFD");
}

class SetupCommentFileOnDiskTest : public ::testing::Test {
protected:
    testing_support::TempDataRoot root;
    const std::wstring path = L"D:\\comment.cmt";
};

TEST_F(SetupCommentFileOnDiskTest, WritesExactlyFortyBytesAndReplacesALongerFile)
{
    root.WriteFile(path, std::string(100, 'x'));
    ASSERT_TRUE(WriteImage(path.c_str(), Encode(L"メモ")));
    std::string expected = Utf16Le(u"メモ");
    expected.resize(40, '\0');
    EXPECT_EQ(root.ReadFile(path), expected);
}

TEST_F(SetupCommentFileOnDiskTest, ShortFileReadsIntoAZeroFilledImage)
{
    root.WriteFile(path, Utf16Le(u"ABC"));  // six bytes, no terminator
    FileBytes image;
    image.fill(0xEE);
    ASSERT_TRUE(ReadImage(path.c_str(), image));
    std::string expected = Utf16Le(u"ABC");
    expected.resize(40, '\0');
    EXPECT_EQ(Bytes(image), expected);
    EXPECT_EQ(Decode(image), L"ABC");
}

TEST_F(SetupCommentFileOnDiskTest, LongFileReadsOnlyItsFirstFortyBytes)
{
    root.WriteFile(path, Utf16Le(std::u16string(30, u'L')));
    FileBytes image;
    ASSERT_TRUE(ReadImage(path.c_str(), image));
    EXPECT_EQ(Decode(image), std::wstring(20, L'L'));
}

TEST_F(SetupCommentFileOnDiskTest, EmptyFileIsAnEmptyComment)
{
    root.WriteFile(path, "");
    FileBytes image;
    image.fill(0xEE);
    ASSERT_TRUE(ReadImage(path.c_str(), image));
    EXPECT_EQ(Bytes(image), std::string(40, '\0'));
}

TEST_F(SetupCommentFileOnDiskTest, MissingFileFailsWithAZeroImage)
{
    FileBytes image;
    image.fill(0xEE);
    EXPECT_FALSE(ReadImage(L"D:\\none.cmt", image));
    EXPECT_EQ(Bytes(image), std::string(40, '\0'));
}

TEST_F(SetupCommentFileOnDiskTest, WriteIntoAMissingFolderFails)
{
    EXPECT_FALSE(WriteImage(L"D:\\no such folder\\No.1.cmt", Encode(L"x")));
    EXPECT_FALSE(root.Exists(L"D:\\no such folder\\No.1.cmt"));
}

}  // namespace
