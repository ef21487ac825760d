#include "core/DlgSender.h"

IDLGReceiver::~IDLGReceiver() = default;

IDLGSender::~IDLGSender() = default;

void IDLGSender::SetDLGCallback(IDLGReceiver* receiver, int cookie)
{
    m_pDLGReceiver = receiver;
    m_nDLGCookie = cookie;
}

bool IDLGSender::SendDLGRequest(T_DLG_REQUEST* request)
{
    if (!m_pDLGReceiver || !request)
        return false;
    m_pDLGReceiver->OnDLGRequest(request, m_nDLGCookie);
    return true;
}
