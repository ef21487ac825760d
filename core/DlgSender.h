// The two sides of the request channel. The host implements IDLGReceiver and
// hands it to the dialog with a cookie; every class that sends requests (the
// frame, the pages, the saved-setups dialog) carries an IDLGSender with the
// receiver and cookie current at the moment. Both are exported because the
// host application, outside the hidden-visibility dialog library, implements
// the one and calls through the other.
#pragma once

#include "core/DlgRequest.h"
#include "core/Export.h"

class SYSDLG_API IDLGReceiver {
public:
    virtual ~IDLGReceiver();

    // Runs synchronously on the calling (user-interface) thread; the host has
    // finished with the record, and written its answer into it, when this
    // returns. Text parameters are valid only during the call. The dialog
    // never reads a return value, so there is none.
    virtual void OnDLGRequest(T_DLG_REQUEST* request, int cookie) = 0;
};

class SYSDLG_API IDLGSender {
public:
    IDLGSender() = default;
    virtual ~IDLGSender();

    // Stores the receiver (not owned; may be null) and cookie. Overridden by
    // classes that pass the pair on (the frame to its pages).
    virtual void SetDLGCallback(IDLGReceiver* receiver, int cookie);

    // Hands the record to the receiver with the stored cookie. Returns false,
    // and calls nothing, when no receiver is set or the record is null; the
    // record's result fields then keep what the sender put there, so every
    // question reads as no.
    bool SendDLGRequest(T_DLG_REQUEST* request);

    IDLGReceiver* GetDLGReceiver() const { return m_pDLGReceiver; }
    int GetDLGCookie() const { return m_nDLGCookie; }

protected:
    IDLGReceiver* m_pDLGReceiver = nullptr;
    int m_nDLGCookie = 0;
};
