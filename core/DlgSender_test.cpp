// The sender base and the recording receiver that the dialog's tests answer
// requests with.
#include "core/DlgSender.h"

#include "tests/harness/RecordingReceiver.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

using testing_support::RecordingReceiver;

// What a page does for SaveSettingFile: clear, fill, send, read byte 16.
bool SendSave(IDLGSender& sender, const wchar_t* path)
{
    T_DLG_REQUEST request;
    request.Prepare(&sender, DLGREQ_SAVE_SETTINGS);
    request.SetPointer(12, path);
    sender.SendDLGRequest(&request);
    return request.Byte(16) != 0;
}

void SendChanged(IDLGSender& sender, DWORD flags)
{
    T_DLG_REQUEST request;
    request.Prepare(&sender, DLGREQ_SETTING_CHANGED);
    request.SetWord(12, flags);
    sender.SendDLGRequest(&request);
}

TEST(DlgSender, WithoutReceiverNothingIsCalledAndTheAnswerIsNo)
{
    IDLGSender sender;
    T_DLG_REQUEST request;
    request.Prepare(&sender, DLGREQ_LOAD_SETTINGS);
    EXPECT_FALSE(sender.SendDLGRequest(&request));
    EXPECT_EQ(0, request.Byte(16));
    EXPECT_EQ(nullptr, sender.GetDLGReceiver());
    EXPECT_EQ(0, sender.GetDLGCookie());
}

TEST(DlgSender, NullRecordIsRefused)
{
    RecordingReceiver receiver;
    IDLGSender sender;
    sender.SetDLGCallback(&receiver, 1);
    EXPECT_FALSE(sender.SendDLGRequest(nullptr));
    EXPECT_TRUE(receiver.Requests().empty());
}

TEST(DlgSender, EachRequestUsesTheReceiverAndCookieCurrentWhenSent)
{
    RecordingReceiver first;
    RecordingReceiver second;
    IDLGSender sender;

    sender.SetDLGCallback(&first, 11);
    SendChanged(sender, CHG_COMM);
    sender.SetDLGCallback(&second, 22);
    SendChanged(sender, CHG_SOUND);
    sender.SetDLGCallback(nullptr, 33);
    SendChanged(sender, CHG_CURSOR);

    ASSERT_EQ(1u, first.Requests().size());
    EXPECT_EQ(11, first.Requests()[0].cookie);
    ASSERT_EQ(1u, second.Requests().size());
    EXPECT_EQ(22, second.Requests()[0].cookie);
    EXPECT_EQ(std::vector<DWORD>{CHG_SOUND}, second.ChangeFlags());
}

TEST(RecordingReceiver, DefaultAnswerLeavesTheRecordSoQuestionsReadNo)
{
    RecordingReceiver receiver;
    IDLGSender sender;
    sender.SetDLGCallback(&receiver, 5);

    EXPECT_FALSE(SendSave(sender, L"D:\\a.ENV"));
    const auto& recorded = receiver.Last(DLGREQ_SAVE_SETTINGS);
    EXPECT_EQ(0, std::memcmp(&recorded.received, &recorded.answered, sizeof(T_DLG_REQUEST)));
}

TEST(RecordingReceiver, RecordsKindCookieSenderAndCopiedTexts)
{
    RecordingReceiver receiver;
    IDLGSender sender;
    sender.SetDLGCallback(&receiver, 42);
    {
        std::wstring path = L"D:\\データ\\B.ENV";
        SendSave(sender, path.c_str());
        path.assign(path.size(), L'x');  // the sender's text is gone after the call
    }
    const auto& recorded = receiver.Last(DLGREQ_SAVE_SETTINGS);
    EXPECT_EQ(DLGREQ_SAVE_SETTINGS, recorded.kind);
    EXPECT_EQ(42, recorded.cookie);
    EXPECT_EQ(&sender, recorded.sender);
    EXPECT_EQ(sizeof(T_DLG_REQUEST), recorded.received.Size());
    EXPECT_EQ(L"D:\\データ\\B.ENV", recorded.Field(L"path"));
    EXPECT_TRUE(recorded.HasField(L"saved"));
    EXPECT_FALSE(recorded.HasField(L"flags"));
    EXPECT_EQ(L"", recorded.Field(L"flags"));
}

TEST(RecordingReceiver, AnswerYesSetsTheResultByteOfThatKindOnly)
{
    RecordingReceiver receiver;
    receiver.AnswerYes(DLGREQ_SAVE_SETTINGS);
    IDLGSender sender;
    sender.SetDLGCallback(&receiver, 0);

    EXPECT_TRUE(SendSave(sender, L"D:\\a.ENV"));
    T_DLG_REQUEST load;
    load.Prepare(&sender, DLGREQ_LOAD_SETTINGS);
    sender.SendDLGRequest(&load);
    EXPECT_EQ(0, load.Byte(16));

    EXPECT_EQ(1, receiver.Last(DLGREQ_SAVE_SETTINGS).answered.Byte(16));
    EXPECT_EQ(0, receiver.Last(DLGREQ_SAVE_SETTINGS).received.Byte(16));

    receiver.AnswerNo(DLGREQ_SAVE_SETTINGS);
    EXPECT_FALSE(SendSave(sender, L"D:\\a.ENV"));
}

TEST(RecordingReceiver, ResultBytesFollowTheProtocol)
{
    EXPECT_EQ(16, RecordingReceiver::ResultByteOffset(DLGREQ_LOAD_SETTINGS));
    EXPECT_EQ(36, RecordingReceiver::ResultByteOffset(DLGREQ_SAVE_MEMORY_BLOCK));
    EXPECT_EQ(20, RecordingReceiver::ResultByteOffset(DLGREQ_CONVERT_FILE_CSV));
    EXPECT_EQ(16, RecordingReceiver::ResultByteOffset(DLGREQ_IS_PLAYBACK_FILE));
    EXPECT_EQ(12, RecordingReceiver::ResultByteOffset(DLGREQ_CLOSE_PLAYBACK));
    EXPECT_EQ(16, RecordingReceiver::ResultByteOffset(DLGREQ_QUERY_PLAYBACK));
    EXPECT_EQ(18, RecordingReceiver::ResultByteOffset(DLGREQ_SAVE_TEXT));
    EXPECT_EQ(-1, RecordingReceiver::ResultByteOffset(DLGREQ_INITIALIZE));
    EXPECT_EQ(-1, RecordingReceiver::ResultByteOffset(DLGREQ_SETTING_CHANGED));
}

TEST(RecordingReceiver, AnswerYesOnAKindWithoutAnswerFailsTheTest)
{
    RecordingReceiver receiver;
    EXPECT_NONFATAL_FAILURE(receiver.AnswerYes(DLGREQ_RESTART), "has no yes/no answer");
    EXPECT_NONFATAL_FAILURE(receiver.AnswerByte(DLGREQ_INITIALIZE, 40, 1), "outside the request record");
    EXPECT_NONFATAL_FAILURE(receiver.AnswerWord(DLGREQ_INITIALIZE, 18, 1), "not a word");
}

TEST(RecordingReceiver, WordsThenBytesThenHookShapeTheAnswer)
{
    RecordingReceiver receiver;
    receiver.AnswerWord(DLGREQ_INITIALIZE, 16, 0x0F);
    receiver.AnswerWord(DLGREQ_INITIALIZE, 24, 0x1200);
    receiver.AnswerByte(DLGREQ_INITIALIZE, 24, 1);
    int hookCalls = 0;
    receiver.OnRequest(DLGREQ_INITIALIZE, [&](T_DLG_REQUEST& request, int cookie) {
        ++hookCalls;
        EXPECT_EQ(9, cookie);
        EXPECT_EQ(0x1201u, request.Word(24)) << "the hook sees the programmed answer";
        request.SetWord(20, 1);
    });
    IDLGSender sender;
    sender.SetDLGCallback(&receiver, 9);

    T_DLG_REQUEST request;
    request.Prepare(&sender, DLGREQ_INITIALIZE);
    request.SetWord(12, 0x3);
    sender.SendDLGRequest(&request);

    EXPECT_EQ(1, hookCalls);
    EXPECT_EQ(0x0Fu, request.Word(16));
    EXPECT_EQ(1u, request.Word(20));
    EXPECT_EQ(1, request.Byte(24));
    EXPECT_EQ(L"0x3", receiver.Last(DLGREQ_INITIALIZE).Field(L"items"));
    EXPECT_EQ(L"0x0", receiver.Last(DLGREQ_INITIALIZE).Field(L"initialized")) << "fields are decoded as received";
}

TEST(RecordingReceiver, RequestsSentFromAHookAreRecordedInArrivalOrder)
{
    RecordingReceiver receiver;
    IDLGSender sender;
    sender.SetDLGCallback(&receiver, 0);
    receiver.OnRequest(DLGREQ_QUERY_PLAYBACK, [&](T_DLG_REQUEST& request, int) {
        request.SetByte(16, 1);
        for (int i = 0; i < 20; ++i)  // enough to make the record list grow
            SendChanged(sender, CHG_DISPLAY);
    });

    T_DLG_REQUEST request;
    request.Prepare(&sender, DLGREQ_QUERY_PLAYBACK);
    sender.SendDLGRequest(&request);

    ASSERT_EQ(21u, receiver.Requests().size());
    EXPECT_EQ(DLGREQ_QUERY_PLAYBACK, receiver.Kinds().front());
    EXPECT_EQ(1, receiver.Requests().front().answered.Byte(16));
    EXPECT_EQ(20u, receiver.Count(DLGREQ_SETTING_CHANGED));
}

TEST(RecordingReceiver, CountKindsAndChangeFlagsFollowTheSequence)
{
    RecordingReceiver receiver;
    IDLGSender sender;
    sender.SetDLGCallback(&receiver, 0);
    SendChanged(sender, CHG_MEASURE_MODE);
    SendSave(sender, L"D:\\x.ENV");
    SendChanged(sender, CHG_RECORD_TIMER);

    EXPECT_EQ((std::vector<DWORD>{DLGREQ_SETTING_CHANGED, DLGREQ_SAVE_SETTINGS, DLGREQ_SETTING_CHANGED}),
              receiver.Kinds());
    EXPECT_EQ((std::vector<DWORD>{CHG_MEASURE_MODE, CHG_RECORD_TIMER}), receiver.ChangeFlags());
    EXPECT_EQ(2u, receiver.Count(DLGREQ_SETTING_CHANGED));
    EXPECT_EQ(0u, receiver.Count(DLGREQ_RESTART));
    EXPECT_EQ(L"CHG_RECORD_TIMER", receiver.Last(DLGREQ_SETTING_CHANGED).Field(L"flags"));

    receiver.ClearRecords();
    EXPECT_TRUE(receiver.Kinds().empty());
}

TEST(RecordingReceiver, LastOfAKindNeverReceivedFailsTheTest)
{
    RecordingReceiver receiver;
    EXPECT_NONFATAL_FAILURE(receiver.Last(DLGREQ_SHUTDOWN), "no request of kind 2");
}

TEST(RecordingReceiver, ClearAnswersRestoresTheSilentHost)
{
    RecordingReceiver receiver;
    receiver.AnswerYes(DLGREQ_SAVE_SETTINGS);
    receiver.ClearAnswers();
    IDLGSender sender;
    sender.SetDLGCallback(&receiver, 0);
    EXPECT_FALSE(SendSave(sender, L"D:\\a.ENV"));
}

}  // namespace
