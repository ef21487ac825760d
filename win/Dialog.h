// CDialog: a dialog built from a registered template, run modally with its own
// message loop (DoModal) or created modeless as a child or popup (Create).
#pragma once

#include "win/Wnd.h"

#include <functional>

class CDialog : public CWnd {
public:
    DECLARE_DYNAMIC(CDialog)

    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally: disables the owner, creates the window from its
    // template, runs a nested message loop until EndDialog and returns the
    // result. -1 when the template does not exist or the window cannot be made.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless (a child page when the template says WS_CHILD).
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL ContinueModal() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT GetTemplateId() const { return m_nIDHelp; }
    CWnd* GetParentWnd() const { return m_pParentWnd; }

protected:
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDHelp = 0;          // template id
    CWnd* m_pParentWnd = nullptr;
    bool m_bModal = false;

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateFromTemplate(HWND parent);
};

// Data exchange between member variables and controls (UpdateData).
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    HWND PrepareCtrl(int id);
    void Fail();

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
    bool m_failed = false;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Check(CDataExchange* dx, int id, int& value);

// MessageBoxW: a real modal box in the same window system (caption, text and
// OK, OK/Cancel or Yes/No buttons); returns IDOK, IDCANCEL, IDYES or IDNO.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK);
BOOL EndDialog(HWND dialog, INT_PTR result);
BOOL IsDialogMessageW(HWND dialog, MSG* msg);
// Creates a dialog window and its controls from a registered template and
// sends WM_INITDIALOG; null when the template is missing.
// `attach` runs right after the dialog window exists, before its controls are
// created and before WM_INITDIALOG, so a framework object can subclass it.
HWND CreateDialogFromTemplate(UINT templateId, HWND parent, const std::function<void(HWND)>& attach,
                              LPARAM initParam);
// The default procedure of dialog windows (class "#32770").
LRESULT DefDlgProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Registers the dialog window class and the message box template; idempotent.
void RegisterDialogClass();

constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr WORD DC_HASDEFID = 0x534B;
