#include "PrintingReceiver.h"

#include "win/TextConvert.h"

void PrintingReceiver::OnDLGRequest(T_DLG_REQUEST* request, int cookie)
{
    const DWORD kind = request->Kind();
    m_kinds.push_back(kind);
    if (kind == DLGREQ_SETTING_CHANGED)
        m_changeFlags.push_back(static_cast<DWORD>(request->Word(12)));

    // Text parameters are only valid during this call, so they are read (and
    // printed) here, never kept.
    std::fprintf(m_out, "request %s (cookie %d)", win::WideToUtf8(DlgRequestKindName(kind)).c_str(), cookie);
    for (const DlgRequestField& field : DescribeDlgRequest(*request))
        std::fprintf(m_out, " %s=%s", win::WideToUtf8(field.name).c_str(), win::WideToUtf8(field.value).c_str());
    std::fputc('\n', m_out);

    // This host keeps no files and has no playback screen: it leaves every
    // result field as the dialog cleared it, so each question (saved?
    // loaded? in playback?) reads as no. A real host acts here and writes
    // its answer into the record before returning.
}
