// The sender base: what a question reads as when no receiver or no record
// is there. Which receiver a page's request reaches is the frame's story.
#include "core/DlgSender.h"

#include "tests/harness/RecordingReceiver.h"

#include <gtest/gtest.h>

namespace {

using testing_support::RecordingReceiver;

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

}  // namespace
