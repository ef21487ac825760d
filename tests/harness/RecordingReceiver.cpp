#include "tests/harness/RecordingReceiver.h"

#include <gtest/gtest.h>

namespace testing_support {

std::wstring RecordedRequest::Field(const std::wstring& name) const
{
    for (const DlgRequestField& field : fields) {
        if (field.name == name)
            return field.value;
    }
    return {};
}

void RecordingReceiver::OnDLGRequest(T_DLG_REQUEST* request, int cookie)
{
    if (!request) {
        ADD_FAILURE() << "OnDLGRequest called with a null record";
        return;
    }
    RecordedRequest record;
    record.kind = request->Kind();
    record.cookie = cookie;
    record.sender = request->Sender();
    record.received = *request;
    record.fields = DescribeDlgRequest(*request);
    m_requests.push_back(std::move(record));

    auto answer = m_answers.find(request->Kind());
    if (answer != m_answers.end()) {
        for (const auto& [offset, value] : answer->second.words)
            request->SetWord(offset, value);
        for (const auto& [offset, value] : answer->second.bytes)
            request->SetByte(offset, value);
        // A copy: the hook may reprogram this receiver.
        Hook hook = answer->second.hook;
        if (hook)
            hook(*request, cookie);
    }
}

namespace {

// The byte a kind's yes/no answer lives in, or -1 for kinds without one.
int ResultByteOffset(DWORD kind)
{
    switch (kind) {
    case DLGREQ_SAVE_SETTINGS:
    case DLGREQ_LOAD_SETTINGS:
    case DLGREQ_IS_PLAYBACK_FILE:
    case DLGREQ_QUERY_PLAYBACK:
        return 16;
    case DLGREQ_SAVE_MEMORY_BLOCK:
        return 36;
    case DLGREQ_CONVERT_FILE_CSV:
        return 20;
    case DLGREQ_CLOSE_PLAYBACK:
        return 12;
    case DLGREQ_SAVE_TEXT:
    case DLGREQ_LOAD_TEXT:
        return 18;
    default:
        return -1;
    }
}

}  // namespace

void RecordingReceiver::AnswerResult(DWORD kind, BYTE value)
{
    const int offset = ResultByteOffset(kind);
    if (offset < 0) {
        ADD_FAILURE() << "request kind " << kind << " has no yes/no answer";
        return;
    }
    m_answers[kind].bytes[static_cast<std::size_t>(offset)] = value;
}

void RecordingReceiver::AnswerByte(DWORD kind, std::size_t offset, BYTE value)
{
    if (offset >= T_DLG_REQUEST::kProtocolBytes) {
        ADD_FAILURE() << "byte offset " << offset << " is outside the request record";
        return;
    }
    m_answers[kind].bytes[offset] = value;
}

void RecordingReceiver::AnswerWord(DWORD kind, std::size_t offset, T_DLG_REQUEST::WordValue value)
{
    if (offset % 4 != 0 || offset >= T_DLG_REQUEST::kProtocolBytes) {
        ADD_FAILURE() << "word offset " << offset << " is not a word of the request record";
        return;
    }
    m_answers[kind].words[offset] = value;
}

void RecordingReceiver::OnRequest(DWORD kind, Hook hook)
{
    m_answers[kind].hook = std::move(hook);
}

std::size_t RecordingReceiver::Count(DWORD kind) const
{
    std::size_t count = 0;
    for (const RecordedRequest& request : m_requests) {
        if (request.kind == kind)
            ++count;
    }
    return count;
}

const RecordedRequest& RecordingReceiver::Last(DWORD kind) const
{
    for (auto it = m_requests.rbegin(); it != m_requests.rend(); ++it) {
        if (it->kind == kind)
            return *it;
    }
    ADD_FAILURE() << "no request of kind " << kind << " was received";
    static const RecordedRequest none{};
    return none;
}

std::vector<DWORD> RecordingReceiver::Kinds() const
{
    std::vector<DWORD> kinds;
    for (const RecordedRequest& request : m_requests)
        kinds.push_back(request.kind);
    return kinds;
}

std::vector<DWORD> RecordingReceiver::ChangeFlags() const
{
    std::vector<DWORD> flags;
    for (const RecordedRequest& request : m_requests) {
        if (request.kind == DLGREQ_SETTING_CHANGED)
            flags.push_back(static_cast<DWORD>(request.received.Word(12)));
    }
    return flags;
}

}  // namespace testing_support
