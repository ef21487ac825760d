// CWnd: the framework's window object. It attaches to an HWND by replacing
// the window procedure (subclassing), routes messages through the message map
// chain and falls back to the window's original procedure.
#pragma once

#include "win/Afx.h"
#include "win/CString.h"
#include "win/Window.h"

class CDataExchange;

// m_nFlags bits.
constexpr UINT WF_CONTINUEMODAL = 0x0001;
constexpr UINT WF_MODALLOOP = 0x0002;

class CWnd : public CCmdTarget {
public:
    DECLARE_DYNAMIC(CWnd)

    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The permanent object attached to the window, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);
    // The attached object, or a temporary wrapper kept until the window dies
    // (null for a null or dead handle).
    static CWnd* FromHandle(HWND hwnd);

    BOOL Attach(HWND hwnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    virtual BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id);
    virtual BOOL DestroyWindow();

    // Message routing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual void PostNcDestroy() {}
    // Offers the message to every framework object from msg->hwnd up to and
    // including `stop`'s top-level window; true when one consumed it.
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

    // Data exchange.
    virtual void DoDataExchange(CDataExchange* dx) {}
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Modal loop support.
    int RunModalLoop(DWORD flags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int result);

    // Window functions.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SetWindowText(LPCWSTR text);
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    CWnd* GetDlgItem(int id) const;
    void GetDlgItem(int id, HWND* hwnd) const;
    int GetDlgCtrlID() const;
    void SetDlgItemText(int id, LPCWSTR text);
    int GetDlgItemText(int id, CString& text) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    BOOL ShowWindow(int command);
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    BOOL MoveWindow(const RECT* rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags);
    void GetWindowRect(RECT* rect) const;
    void GetClientRect(RECT* rect) const;
    void ScreenToClient(RECT* rect) const;
    void ScreenToClient(POINT* point) const;
    void ClientToScreen(RECT* rect) const;
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
    void UpdateWindow();
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, void* unused);
    BOOL KillTimer(UINT_PTR id);
    void BringWindowToTop();
    int MessageBox(LPCWSTR text, LPCWSTR caption = nullptr, UINT type = 0);

    UINT m_nFlags = 0;
    WNDPROC m_pfnSuper = nullptr;  // the window's procedure before subclassing
    int m_nModalResult = 0;

protected:
    DECLARE_MESSAGE_MAP()

    // Default handlers of the standard window messages that derived classes map.
    void OnDestroy();
    void OnClose();
    void OnTimer(UINT_PTR id) {}
    void OnShowWindow(BOOL show, UINT status) {}
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

private:
    friend LRESULT AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    void OnNcDestroyInternal();
};

// The framework's window procedure: every subclassed window runs through it.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The thread's message pump step used by every framework loop: gets one
// message, offers it to the PreTranslateMessage chain and dispatches it.
// Returns false on WM_QUIT.
bool AfxPumpMessage(HWND modalWindow);

// Module instance handle of the dialog library (templates are global here).
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
CWnd* AfxGetMainWnd();
void AfxSetMainWnd(CWnd* wnd);
