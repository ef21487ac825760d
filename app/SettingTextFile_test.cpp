// The setting text file: the groups of the content mask go out and come back,
// loading replaces a group whole, and a file that cannot be read changes
// nothing. Through the receiver: DLGREQ_SAVE_TEXT and DLGREQ_LOAD_TEXT with
// missing, damaged and unwritable files.
#include "SettingTextFile.h"

#include "AppTestSupport.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using app_testing::ReadAll;

std::wstring W(const CString& text) { return text.GetString(); }

void Fill(HostState& state)
{
    state.SysRec1().SetSigLabelText(0, 0, L" Voltage In");
    state.SysRec1().SetSigLabelText(15, 7, L"最後=last\\line");
    state.SysRec2().SetSigLabelText(3, 2, L"rec2 label");
    state.SysRec1().SetAnnotationText(0, L"注釈 one\ttab");
    state.SysRec2().SetAnnotationText(107, L"last annotation");
    state.SysRec1().SetMeasInfoText(5, L"計測 info");
    state.Comm().dwBaudRate = 38400;
    state.Comm().dwPort = COMM_PORT_LAN;
    state.Comm().bSendOnError = true;
}

TEST(SettingTextFileTest, EveryGroupComesBack)
{
    HostState saved;
    Fill(saved);
    std::string text = SettingTextFile::Write(saved, SettingTextFile::kAllGroups);
    HostState loaded;
    std::uint16_t groups = 0;
    std::string error;
    ASSERT_TRUE(SettingTextFile::Read(text, 0xFFFF, loaded, groups, error)) << error;
    EXPECT_EQ(groups, SettingTextFile::kAllGroups);
    EXPECT_EQ(W(loaded.SysRec1().GetSigLabelText(0, 0)), L" Voltage In");
    EXPECT_EQ(W(loaded.SysRec1().GetSigLabelText(15, 7)), L"最後=last\\line");
    EXPECT_EQ(W(loaded.SysRec2().GetSigLabelText(3, 2)), L"rec2 label");
    EXPECT_EQ(W(loaded.SysRec1().GetAnnotationText(0)), L"注釈 one\ttab");
    EXPECT_EQ(W(loaded.SysRec2().GetAnnotationText(107)), L"last annotation");
    EXPECT_EQ(W(loaded.SysRec1().GetMeasInfoText(5)), L"計測 info");
    EXPECT_EQ(loaded.Comm().dwBaudRate, 38400u);
    EXPECT_EQ(loaded.Comm().dwPort, COMM_PORT_LAN);
    EXPECT_TRUE(loaded.Comm().bSendOnError);
    // Readable on a computer: the texts are there as text.
    EXPECT_NE(text.find("signal.1.16.8 = 最後=last\\\\line"), std::string::npos) << text;
    EXPECT_NE(text.find("annotation.2.108 = last annotation"), std::string::npos);
}

TEST(SettingTextFileTest, OnlyTheChosenGroupsAreWrittenAndTaken)
{
    HostState saved;
    Fill(saved);
    std::string text =
        SettingTextFile::Write(saved, SettingTextFile::kGroupAnnotations | SettingTextFile::kGroupCommunication);
    EXPECT_NE(text.find("contents = 0x0A"), std::string::npos);
    EXPECT_NE(text.find("annotation.1.1 ="), std::string::npos);
    EXPECT_NE(text.find("comm.baud_rate = 38400"), std::string::npos);
    EXPECT_EQ(text.find("signal."), std::string::npos);
    EXPECT_EQ(text.find("measinfo."), std::string::npos);

    // The other groups of the instrument stay as they are when it is loaded.
    HostState other;
    other.SysRec1().SetSigLabelText(1, 1, L"kept");
    other.SysRec1().SetAnnotationText(50, L"replaced");
    std::uint16_t groups = 0;
    std::string error;
    ASSERT_TRUE(SettingTextFile::Read(text, 0xFFFF, other, groups, error)) << error;
    EXPECT_EQ(groups, SettingTextFile::kGroupAnnotations | SettingTextFile::kGroupCommunication);
    EXPECT_EQ(W(other.SysRec1().GetSigLabelText(1, 1)), L"kept");
    EXPECT_TRUE(other.SysRec1().GetAnnotationText(50).IsEmpty()) << "a loaded group is replaced whole";
    EXPECT_EQ(W(other.SysRec1().GetAnnotationText(0)), L"注釈 one\ttab");

    // The load mask limits what is taken of a file that holds more.
    HostState masked;
    ASSERT_TRUE(SettingTextFile::Read(text, SettingTextFile::kGroupCommunication, masked, groups, error)) << error;
    EXPECT_EQ(groups, SettingTextFile::kGroupCommunication);
    EXPECT_EQ(masked.Comm().dwBaudRate, 38400u);
    EXPECT_TRUE(masked.SysRec1().GetAnnotationText(0).IsEmpty());
}

TEST(SettingTextFileTest, AFileThatCannotBeReadChangesNothing)
{
    HostState saved;
    Fill(saved);
    std::string good = SettingTextFile::Write(saved, SettingTextFile::kAllGroups);
    auto replaced = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const std::string head = "format = SYSDLG-SIM SETTING TEXT 1\ncontents = 0x01\n";
    const std::string end = "end = SYSDLG-SIM SETTING TEXT\n";
    const std::string bad[] = {
        good.substr(0, good.size() / 2),                                   // cut short: no end line
        replaced("format = SYSDLG-SIM SETTING TEXT 1", "format = SYSDLG-SIM SETTINGS 1"),
        replaced("contents = 0x3F", "contents = 0x40"),
        replaced("comm.baud_rate = 38400\n", ""),                          // a declared group incomplete
        replaced("comm.parity = 0", "comm.parity = odd"),
        head + "signal.1.17.1 = no such channel\n" + end,
        head + "signal.3.1.1 = no such recording object\n" + end,
        head + "signal.1.1.0 = lines count from 1\n" + end,
        head + "signal.1.1 = too short\n" + end,
        head + "annotation.1.1 = a group the file does not declare\n" + end,
        head + "signal.1.1.1 = " + std::string(31, 'x') + "\n" + end,     // 30 characters at most
        head + "colour = red\n" + end,
        head + "signal.1.1.1 = a\nsignal.1.1.1 = twice\n" + end,
        "\x7f" "ELF\x02\x01\x01 binary",
        "",
    };
    for (const std::string& text : bad) {
        HostState state;
        state.SysRec1().SetSigLabelText(0, 0, L"before");
        state.Comm().dwBaudRate = 4800;
        std::uint16_t groups = 0x55;
        std::string error;
        EXPECT_FALSE(SettingTextFile::Read(text, 0xFFFF, state, groups, error)) << text.substr(0, 200);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(groups, 0x55);
        EXPECT_EQ(W(state.SysRec1().GetSigLabelText(0, 0)), L"before");
        EXPECT_EQ(state.Comm().dwBaudRate, 4800u);
    }
    // Thirty characters fit.
    HostState state;
    std::uint16_t groups = 0;
    std::string error;
    EXPECT_TRUE(SettingTextFile::Read(head + "signal.1.1.1 = " + std::string(30, 'x') + "\n" + end, 0xFFFF, state,
                                      groups, error))
        << error;
    EXPECT_EQ(W(state.SysRec1().GetSigLabelText(0, 0)), std::wstring(30, L'x'));
}

class SettingTextRequestTest : public app_testing::ReceiverTest {
protected:
    void SetUp() override { fs::create_directories(root / "D" / "data"); }
    T_DLG_REQUEST SendText(DWORD kind, const wchar_t* path, WORD mask)
    {
        return Send(kind, [=](T_DLG_REQUEST& request) {
            request.SetPointer(12, path);
            request.SetWord16(16, mask);
        });
    }
};

TEST_F(SettingTextRequestTest, SavedTextLoadsBack)
{
    Fill(state);
    T_DLG_REQUEST save = SendText(DLGREQ_SAVE_TEXT, L"D:\\data\\report.TXT", 0x07);
    EXPECT_EQ(save.Byte(18), 1);
    EXPECT_EQ(save.Word16(16), 0x07) << "the mask is the sender's, not an answer";
    EXPECT_EQ(ReadAll(root / "D" / "data" / "report.TXT").find("comm."), std::string::npos);

    state.SysRec1().SetSigLabelText(0, 0, L"changed");
    state.SysRec1().SetAnnotationText(0, L"");
    T_DLG_REQUEST load = SendText(DLGREQ_LOAD_TEXT, L"d:/data/REPORT.txt", 0xFFFF);
    EXPECT_EQ(load.Byte(18), 1);
    EXPECT_EQ(W(state.SysRec1().GetSigLabelText(0, 0)), L" Voltage In");
    EXPECT_EQ(W(state.SysRec1().GetAnnotationText(0)), L"注釈 one\ttab");
    EXPECT_EQ(persisted, 1) << "a load is kept; a save changes nothing of the host's";
}

TEST_F(SettingTextRequestTest, AMissingOrDamagedFileAnswersNoAndChangesNothing)
{
    std::ofstream(root / "D" / "data" / "env.txt") << "format = SYSDLG-SIM SETTINGS 1\n";
    fs::create_directories(root / "D" / "data" / "folder.txt");
    state.SysRec1().SetSigLabelText(0, 0, L"now");
    for (const wchar_t* path :
         {L"D:\\data\\missing.txt", L"D:\\data\\env.txt", L"D:\\data\\folder.txt", L"Q:\\a.txt"})
        EXPECT_EQ(SendText(DLGREQ_LOAD_TEXT, path, 0xFFFF).Byte(18), 0) << fs::path(path).string();
    EXPECT_EQ(SendText(DLGREQ_LOAD_TEXT, nullptr, 0xFFFF).Byte(18), 0);
    EXPECT_EQ(W(state.SysRec1().GetSigLabelText(0, 0)), L"now");
    EXPECT_EQ(persisted, 0);
}

TEST_F(SettingTextRequestTest, ATextSaveThatCannotBeWrittenLeavesNoFile)
{
    fs::create_directories(root / "D" / "data" / "busy.txt" / "inside");
    std::ofstream(root / "D" / "data" / "old.txt") << "kept";
    EXPECT_EQ(SendText(DLGREQ_SAVE_TEXT, L"D:\\data\\busy.txt", 0x3F).Byte(18), 0);
    EXPECT_EQ(SendText(DLGREQ_SAVE_TEXT, L"D:\\gone\\a.txt", 0x3F).Byte(18), 0);
    EXPECT_EQ(SendText(DLGREQ_SAVE_TEXT, L"D:\\data\\old.txt\\a.txt", 0x3F).Byte(18), 0);
    EXPECT_EQ(SendText(DLGREQ_SAVE_TEXT, nullptr, 0x3F).Byte(18), 0);
    EXPECT_EQ(app_testing::Listing(root / "D" / "data"), "busy.txt old.txt");
    EXPECT_EQ(ReadAll(root / "D" / "data" / "old.txt"), "kept");
}

}  // namespace
