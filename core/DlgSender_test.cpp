// The sender base: which receiver a request reaches, and what a question
// reads as when none does.
#include "core/DlgSender.h"

#include "tests/harness/RecordingReceiver.h"

#include <gtest/gtest.h>

namespace {

using testing_support::RecordingReceiver;

void SendChanged(IDLGSender& sender, DWORD flags)
{
    T_DLG_REQUEST request;
    request.Prepare(&sender, DLGREQ_SETTING_CHANGED);
    request.SetWord(12, flags);
    sender.SendDLGRequest(&request);
}

TEST(DlgSender, WithoutAReceiverOrARecordNothingIsCalledAndTheAnswerIsNo)
{
    IDLGSender sender;
    T_DLG_REQUEST request;
    request.Prepare(&sender, DLGREQ_LOAD_SETTINGS);
    EXPECT_FALSE(sender.SendDLGRequest(&request));
    EXPECT_EQ(0, request.Byte(16));

    RecordingReceiver receiver;
    receiver.AnswerYes(DLGREQ_LOAD_SETTINGS);
    sender.SetDLGCallback(&receiver, 1);
    EXPECT_FALSE(sender.SendDLGRequest(nullptr));
    EXPECT_TRUE(receiver.Requests().empty());
    EXPECT_TRUE(sender.SendDLGRequest(&request));
    EXPECT_EQ(1, request.Byte(16)) << "the host's answer is in the record when the call returns";
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

    ASSERT_EQ(first.ChangeFlags(), std::vector<DWORD>{CHG_COMM});
    EXPECT_EQ(first.Requests()[0].cookie, 11);
    ASSERT_EQ(second.ChangeFlags(), std::vector<DWORD>{CHG_SOUND});
    EXPECT_EQ(second.Requests()[0].cookie, 22);
    EXPECT_EQ(second.Requests()[0].sender, static_cast<void*>(&sender));
}

}  // namespace
