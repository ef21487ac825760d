// The dialog framework's object model: runtime class information and message
// maps. A message map is a static table of entries per class, chained to the
// base class's table; an entry matches a message (and for commands and
// notifications a code and a control id range) and calls a typed handler.
#pragma once

#include "win/Win32Types.h"

class CObject;
class CCmdTarget;
class CWnd;
class CDC;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    CRuntimeClass* m_pBaseClass;
    CObject* (*m_pfnCreateObject)();

    bool IsDerivedFrom(const CRuntimeClass* base) const;
    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* runtimeClass) const;
    static CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass();
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    static CRuntimeClass* GetThisClass(); \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, static_cast<int>(sizeof(class_name)), RUNTIME_CLASS(base_class_name), pfnNew}; \
    CRuntimeClass* class_name::GetThisClass() { return &class_name::class##class_name; } \
    CRuntimeClass* class_name::GetRuntimeClass() const { return &class_name::class##class_name; }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, &class_name::CreateObject)

// ---------------------------------------------------------------------------
// Message maps.

// Calls the handler of one entry. `result` receives the message result;
// returning false means the entry declined (the search goes on).
using AFX_PMSG = bool (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // WM_COMMAND, WM_NOTIFY or any window message
    UINT nCode;     // notification code for WM_COMMAND / WM_NOTIFY
    UINT nID;       // first control id
    UINT nLastID;   // last control id
    AFX_PMSG pfn;   // nullptr ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, nullptr}}; \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap; \
    }

// Control notifications through WM_COMMAND: void handler().
#define ON_CONTROL(code, id, memberFxn) \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), \
     [](CCmdTarget* t, WPARAM, LPARAM, LRESULT* r) -> bool { \
         static_cast<ThisClass*>(t)->memberFxn(); *r = 0; return true; }},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)

// A range of ids: void handler(UINT id).
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(idLast), \
     [](CCmdTarget* t, WPARAM w, LPARAM, LRESULT* r) -> bool { \
         static_cast<ThisClass*>(t)->memberFxn(static_cast<UINT>(LOWORD(w))); *r = 0; return true; }},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) ON_CONTROL_RANGE(0, id, idLast, memberFxn)

// Notifications through WM_NOTIFY: void handler(NMHDR*, LRESULT*).
#define ON_NOTIFY(code, id, memberFxn) \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), \
     [](CCmdTarget* t, WPARAM, LPARAM l, LRESULT* r) -> bool { \
         *r = 0; static_cast<ThisClass*>(t)->memberFxn(reinterpret_cast<NMHDR*>(l), r); return true; }},
// void handler(UINT id, NMHDR*, LRESULT*).
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn) \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(idLast), \
     [](CCmdTarget* t, WPARAM, LPARAM l, LRESULT* r) -> bool { \
         *r = 0; auto* h = reinterpret_cast<NMHDR*>(l); \
         static_cast<ThisClass*>(t)->memberFxn(static_cast<UINT>(h->idFrom), h, r); return true; }},

// Any window message: LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
    {static_cast<UINT>(message), 0, 0, 0, \
     [](CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r) -> bool { \
         *r = static_cast<ThisClass*>(t)->memberFxn(w, l); return true; }},

// Standard window messages with their framework signatures.
#define ON_WM_DESTROY() \
    {WM_DESTROY, 0, 0, 0, [](CCmdTarget* t, WPARAM, LPARAM, LRESULT* r) -> bool { \
         static_cast<ThisClass*>(t)->OnDestroy(); *r = 0; return true; }},
#define ON_WM_CLOSE() \
    {WM_CLOSE, 0, 0, 0, [](CCmdTarget* t, WPARAM, LPARAM, LRESULT* r) -> bool { \
         static_cast<ThisClass*>(t)->OnClose(); *r = 0; return true; }},
#define ON_WM_TIMER() \
    {WM_TIMER, 0, 0, 0, [](CCmdTarget* t, WPARAM w, LPARAM, LRESULT* r) -> bool { \
         static_cast<ThisClass*>(t)->OnTimer(static_cast<UINT_PTR>(w)); *r = 0; return true; }},
#define ON_WM_SHOWWINDOW() \
    {WM_SHOWWINDOW, 0, 0, 0, [](CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r) -> bool { \
         static_cast<ThisClass*>(t)->OnShowWindow(static_cast<BOOL>(w), static_cast<UINT>(l)); *r = 0; \
         return true; }},
#define ON_WM_LBUTTONDOWN() \
    {WM_LBUTTONDOWN, 0, 0, 0, [](CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r) -> bool { \
         static_cast<ThisClass*>(t)->OnLButtonDown(static_cast<UINT>(w), \
             POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)}); *r = 0; return true; }},
#define ON_WM_LBUTTONUP() \
    {WM_LBUTTONUP, 0, 0, 0, [](CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r) -> bool { \
         static_cast<ThisClass*>(t)->OnLButtonUp(static_cast<UINT>(w), \
             POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)}); *r = 0; return true; }},
// HBRUSH OnCtlColor(CDC*, CWnd*, UINT): the framework passes the control's CWnd
// (or a temporary one) and CTLCOLOR_*.
#define ON_WM_CTLCOLOR() \
    {WM_CTLCOLORSTATIC, 0, 0, 0, [](CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r) -> bool { \
         return AfxCallCtlColor(t, w, l, CTLCOLOR_STATIC, r, \
             [](CCmdTarget* tt, CDC* dc, CWnd* wnd, UINT c) { \
                 return static_cast<ThisClass*>(tt)->OnCtlColor(dc, wnd, c); }); }}, \
    {WM_CTLCOLORBTN, 0, 0, 0, [](CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r) -> bool { \
         return AfxCallCtlColor(t, w, l, CTLCOLOR_BTN, r, \
             [](CCmdTarget* tt, CDC* dc, CWnd* wnd, UINT c) { \
                 return static_cast<ThisClass*>(tt)->OnCtlColor(dc, wnd, c); }); }}, \
    {WM_CTLCOLORDLG, 0, 0, 0, [](CCmdTarget* t, WPARAM w, LPARAM l, LRESULT* r) -> bool { \
         return AfxCallCtlColor(t, w, l, CTLCOLOR_DLG, r, \
             [](CCmdTarget* tt, CDC* dc, CWnd* wnd, UINT c) { \
                 return static_cast<ThisClass*>(tt)->OnCtlColor(dc, wnd, c); }); }},

using AfxCtlColorCall = HBRUSH (*)(CCmdTarget*, CDC*, CWnd*, UINT);
bool AfxCallCtlColor(CCmdTarget* target, WPARAM wParam, LPARAM lParam, UINT ctlType, LRESULT* result,
                     AfxCtlColorCall call);

// A device context stand-in: handlers receive one in OnCtlColor and may set
// colours; nothing is drawn.
class CDC {
public:
    COLORREF SetTextColor(COLORREF color) { COLORREF old = m_text; m_text = color; return old; }
    COLORREF SetBkColor(COLORREF color) { COLORREF old = m_back; m_back = color; return old; }
    int SetBkMode(int mode) { int old = m_mode; m_mode = mode; return old; }
    COLORREF m_text = 0;
    COLORREF m_back = 0xFFFFFF;
    int m_mode = 2;
};
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

class CCmdTarget : public CObject {
public:
    DECLARE_DYNAMIC(CCmdTarget)

    // Looks up the message map chain of this object and calls the first
    // matching entry. Returns true when a handler took the message.
    bool DispatchFromMap(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT* result);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// Exceptions never cross message dispatch; a handler that throws is logged
// and the message counts as handled with result 0.
void AfxLogHandlerException(const char* where, const char* what);
