// The host's request receiver: prints every request the dialog sends, with
// the fields its kind gives meaning to, and keeps the kinds and change flags
// so the host can tell afterwards what the operator did.
#pragma once

#include "core/DlgSender.h"

#include <cstdio>
#include <vector>

class PrintingReceiver : public IDLGReceiver {
public:
    explicit PrintingReceiver(std::FILE* out) : m_out(out) {}

    void OnDLGRequest(T_DLG_REQUEST* request, int cookie) override;

    const std::vector<DWORD>& Kinds() const { return m_kinds; }
    // The flags of every DLGREQ_SETTING_CHANGED, in arrival order.
    const std::vector<DWORD>& ChangeFlags() const { return m_changeFlags; }

private:
    std::FILE* m_out;
    std::vector<DWORD> m_kinds;
    std::vector<DWORD> m_changeFlags;
};
