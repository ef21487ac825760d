// CWnd: attaching framework objects to windows, message routing, the
// PreTranslateMessage walk and the modal loop.
#include "win/Wnd.h"

#include "win/DebugLog.h"
#include "win/Dialog.h"
#include "win/Input.h"

#include <map>
#include <memory>
#include <mutex>

namespace {

// Temporary wrappers handed out by FromHandle for windows that have no
// framework object; they live until their window is gone.
std::mutex temporaryLock;
std::map<HWND, std::unique_ptr<CWnd>>& Temporaries()
{
    static auto* temporaries = new std::map<HWND, std::unique_ptr<CWnd>>;
    return *temporaries;
}

CWnd* mainWindow = nullptr;

}  // namespace

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd && IsWindow(m_hWnd) && win::GetFrameworkObject(m_hWnd) == this) {
        // The object dies before its window: destroy the window so that no
        // message reaches a dead object.
        ::DestroyWindow(m_hWnd);
    }
    if (mainWindow == this)
        mainWindow = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    return static_cast<CWnd*>(win::GetFrameworkObject(hwnd));
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd || !IsWindow(hwnd))
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hwnd))
        return permanent;
    std::lock_guard guard(temporaryLock);
    auto& temporaries = Temporaries();
    for (auto it = temporaries.begin(); it != temporaries.end();) {
        if (!IsWindow(it->first)) {
            it->second->m_hWnd = nullptr;
            it = temporaries.erase(it);
        } else {
            ++it;
        }
    }
    auto& wrapper = temporaries[hwnd];
    if (!wrapper) {
        wrapper = std::make_unique<CWnd>();
        wrapper->m_hWnd = hwnd;
    }
    return wrapper.get();
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd || !IsWindow(hwnd))
        return FALSE;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || !IsWindow(hwnd) || win::GetFrameworkObject(hwnd)) {
        OutputDebugStringW(L"CWnd::SubclassWindow: window missing or already subclassed");
        return FALSE;
    }
    m_hWnd = hwnd;
    win::SetFrameworkObject(hwnd, this);
    m_pfnSuper = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!parent || !parent->m_hWnd)
        return FALSE;
    HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    if (!control) {
        OutputDebugStringW(L"CWnd::SubclassDlgItem: no control with that id");
        return FALSE;
    }
    return SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow()
{
    HWND hwnd = m_hWnd;
    if (!hwnd)
        return nullptr;
    if (IsWindow(hwnd)) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        win::SetFrameworkObject(hwnd, nullptr);
    }
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    HWND hwnd = CreateWindowExW(0, className, windowName, style | WS_CHILD, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                                static_cast<int>(id), nullptr, nullptr);
    if (!hwnd)
        return FALSE;
    return SubclassWindow(hwnd);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        LRESULT result = wnd->WindowProc(message, wParam, lParam);
        wnd->OnNcDestroyInternal();
        return result;
    }
    try {
        return wnd->WindowProc(message, wParam, lParam);
    } catch (const std::exception& failure) {
        AfxLogHandlerException(wnd->GetRuntimeClass()->m_lpszClassName, failure.what());
    } catch (...) {
        AfxLogHandlerException(wnd->GetRuntimeClass()->m_lpszClassName, "unknown exception");
    }
    return 0;
}

void CWnd::OnNcDestroyInternal()
{
    // The window is gone: hand the procedure back and forget the handle.
    HWND hwnd = m_hWnd;
    if (hwnd && IsWindow(hwnd)) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        win::SetFrameworkObject(hwnd, nullptr);
    }
    m_hWnd = nullptr;
    PostNcDestroy();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *result = 1;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_NOTIFY) {
        LRESULT notifyResult = 0;
        if (OnNotify(wParam, lParam, &notifyResult)) {
            *result = notifyResult;
            return TRUE;
        }
        return FALSE;
    }
    return DispatchFromMap(message, 0, 0, wParam, lParam, result) ? TRUE : FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    return DispatchFromMap(WM_COMMAND, HIWORD(wParam), LOWORD(wParam), wParam, lParam, &result) ? TRUE : FALSE;
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header)
        return FALSE;
    return DispatchFromMap(WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom), wParam, lParam, result)
               ? TRUE
               : FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg)
{
    // From the target up through its parents (and a popup's owner), as the
    // framework's thread does before dispatching.
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = FromHandlePermanent(hwnd)) {
            if (wnd->PreTranslateMessage(msg))
                return TRUE;
        }
        if (hwnd == stop)
            break;
    }
    return FALSE;
}

BOOL CWnd::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return exchange.m_failed ? FALSE : TRUE;
}

bool AfxPumpMessage(HWND)
{
    MSG msg;
    if (!GetMessageW(&msg, nullptr, 0, 0))
        return false;
    HWND stop = mainWindow ? mainWindow->m_hWnd : nullptr;
    if (msg.hwnd && CWnd::WalkPreTranslateTree(stop, &msg))
        return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

int CWnd::RunModalLoop(DWORD)
{
    HWND self = m_hWnd;
    bool idle = true;
    bool showOnIdle = !(GetStyle() & WS_VISIBLE);
    m_nFlags |= WF_MODALLOOP;
    win::SetWindowModal(self, true);
    MSG peeked;
    for (;;) {
        // The window shows on the first idle moment, after everything that
        // OnInitDialog posted has been handled.
        while (idle && !PeekMessageW(&peeked, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showOnIdle && IsWindow(self)) {
                ::ShowWindow(self, SW_SHOWNORMAL);
                showOnIdle = false;
            }
            idle = false;
        }
        if (showOnIdle && IsWindow(self)) {
            ::ShowWindow(self, SW_SHOWNORMAL);
            showOnIdle = false;
        }
        do {
            if (win::IsModalAbortRequested() || !IsWindow(self) || !ContinueModal())
                goto exitModal;
            if (!AfxPumpMessage(self)) {
                PostQuitMessage(0);  // the outer loop must see the quit too
                m_nModalResult = -1;
                goto exitModal;
            }
            // The window may have been destroyed by the message: this object may
            // still be alive, but its handle is stale.
            if (!IsWindow(self) || !ContinueModal() || win::IsModalAbortRequested())
                goto exitModal;
            idle = true;
        } while (PeekMessageW(&peeked, nullptr, 0, 0, PM_NOREMOVE));
    }
exitModal:
    if (win::IsModalAbortRequested() && (m_nFlags & WF_CONTINUEMODAL))
        m_nModalResult = -1;
    if (IsWindow(self))
        win::SetWindowModal(self, false);
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) ? TRUE : FALSE; }

void CWnd::EndModalLoop(int result)
{
    m_nModalResult = result;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the loop
    }
}

// ---------------------------------------------------------------------------
// Window functions.

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return PostMessageW(m_hWnd, message, wParam, lParam);
}

void CWnd::SetWindowText(LPCWSTR text) { SetWindowTextW(m_hWnd, text); }

void CWnd::GetWindowText(CString& text) const { text = GetWindowTextString(m_hWnd).c_str(); }

int CWnd::GetWindowTextLength() const { return GetWindowTextLengthW(m_hWnd); }

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }

void CWnd::GetDlgItem(int id, HWND* hwnd) const
{
    if (hwnd)
        *hwnd = ::GetDlgItem(m_hWnd, id);
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

void CWnd::SetDlgItemText(int id, LPCWSTR text) { SetWindowTextW(::GetDlgItem(m_hWnd, id), text); }

int CWnd::GetDlgItemText(int id, CString& text) const
{
    text = GetWindowTextString(::GetDlgItem(m_hWnd, id)).c_str();
    return text.GetLength();
}

void CWnd::CheckDlgButton(int id, UINT check)
{
    SendMessageW(::GetDlgItem(m_hWnd, id), BM_SETCHECK, check, 0);
}

UINT CWnd::IsDlgButtonChecked(int id) const
{
    return static_cast<UINT>(SendMessageW(::GetDlgItem(m_hWnd, id), BM_GETCHECK, 0, 0));
}

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }

BOOL CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

BOOL CWnd::MoveWindow(const RECT* rect, BOOL repaint)
{
    if (!rect)
        return FALSE;
    return ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags)
{
    HWND after = insertAfter ? insertAfter->m_hWnd : HWND_TOP;
    return ::SetWindowPos(m_hWnd, after, x, y, width, height, flags);
}

void CWnd::GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

void CWnd::ScreenToClient(RECT* rect) const
{
    if (!rect)
        return;
    POINT origin{0, 0};
    ::ClientToScreen(m_hWnd, &origin);
    OffsetRect(rect, -origin.x, -origin.y);
}

void CWnd::ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }

void CWnd::ClientToScreen(RECT* rect) const
{
    if (!rect)
        return;
    POINT origin{0, 0};
    ::ClientToScreen(m_hWnd, &origin);
    OffsetRect(rect, origin.x, origin.y);
}

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(const RECT* rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::GetTopLevelParent() const { return FromHandle(GetAncestorTopLevel(m_hWnd)); }

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT)
{
    if (!IsWindow(m_hWnd))
        return FALSE;
    DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    return TRUE;
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, void* unused) { return ::SetTimer(m_hWnd, id, elapse, unused); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type)
{
    return MessageBoxW(m_hWnd, text, caption, type);
}

void CWnd::OnDestroy() {}

void CWnd::OnClose() { DefWindowProc(WM_CLOSE, 0, 0); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return GetStockObject(WHITE_BRUSH); }

HINSTANCE AfxGetInstanceHandle() { return reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x400000)); }
HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }
CWnd* AfxGetMainWnd() { return mainWindow; }
void AfxSetMainWnd(CWnd* wnd) { mainWindow = wnd; }
