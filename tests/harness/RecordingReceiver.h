// A request receiver for tests that answers like a host and records every
// request it receives.
//
// Answers are programmed per kind. By default the record is left as it came,
// so every question reads as no, as with a host that did nothing. A test can
// make a kind answer yes (the kind's result byte set to 1), set any byte or
// word, or run a hook on the record; the hook runs last and may do whatever a
// host would do during the call (end a dialog, change the configuration,
// check the record).
#pragma once

#include "core/DlgRequest.h"
#include "core/DlgSender.h"

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

struct RecordedRequest {
    DWORD kind = 0;
    int cookie = 0;
    void* sender = nullptr;
    T_DLG_REQUEST received{};             // the record as the receiver got it
    std::vector<DlgRequestField> fields;  // decoded on arrival; texts copied

    // The decoded value of a field as received, or an empty string when the
    // kind has no field of that name.
    std::wstring Field(const std::wstring& name) const;
};

class RecordingReceiver : public IDLGReceiver {
public:
    using Hook = std::function<void(T_DLG_REQUEST& request, int cookie)>;

    void OnDLGRequest(T_DLG_REQUEST* request, int cookie) override;

    // Programmed answers. Each call replaces the earlier answer of the same
    // field; the hook of a kind replaces the earlier hook.
    // The kind's yes/no byte = 1 or 0; the test fails for a kind that asks
    // nothing (APP_EXIT, RESTART, SHUTDOWN, SETTING_CHANGED, EXPORT_FILE) and
    // for INITIALIZE, whose answer is three fields.
    void AnswerYes(DWORD kind) { AnswerResult(kind, 1); }
    void AnswerNo(DWORD kind) { AnswerResult(kind, 0); }
    void AnswerByte(DWORD kind, std::size_t offset, BYTE value);
    void AnswerWord(DWORD kind, std::size_t offset, T_DLG_REQUEST::WordValue value);
    void OnRequest(DWORD kind, Hook hook);

    // Recorded requests, in arrival order.
    const std::vector<RecordedRequest>& Requests() const { return m_requests; }
    std::size_t Count(DWORD kind) const;
    // The latest request of that kind; the test fails (and a static empty
    // record is returned) when there is none.
    const RecordedRequest& Last(DWORD kind) const;
    std::vector<DWORD> Kinds() const;
    // The flags word of every DLGREQ_SETTING_CHANGED, in order.
    std::vector<DWORD> ChangeFlags() const;
    void ClearRecords() { m_requests.clear(); }

private:
    void AnswerResult(DWORD kind, BYTE value);

    struct Answer {
        std::map<std::size_t, BYTE> bytes;
        std::map<std::size_t, T_DLG_REQUEST::WordValue> words;
        Hook hook;
    };

    std::map<DWORD, Answer> m_answers;
    std::vector<RecordedRequest> m_requests;
};

}  // namespace testing_support
