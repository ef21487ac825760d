// CDialog and the dialog manager: dialogs from templates, the default dialog
// procedure, keyboard handling of IsDialogMessage, EndDialog and data exchange.
#include "win/Dialog.h"

#include "win/DebugLog.h"
#include "win/DialogTemplate.h"
#include "win/Input.h"
#include "win/WindowTable.h"
#include "win/controls/StandardControls.h"

#include <cwchar>
#include <mutex>

namespace {

constexpr int panelWidth = 640;
constexpr int panelHeight = 480;

struct DialogState : win::WindowState {
    int defaultId = IDOK;
    INT_PTR result = 0;
    bool ended = false;
};

const wchar_t* ClassNameFor(const win::ControlTemplate& control)
{
    switch (control.controlClass) {
    case win::ControlClass::Button: return L"Button";
    case win::ControlClass::Static: return L"Static";
    case win::ControlClass::Edit: return L"Edit";
    case win::ControlClass::ListBox: return L"ListBox";
    case win::ControlClass::ListView: return L"SysListView32";
    case win::ControlClass::TabControl: return L"SysTabControl32";
    case win::ControlClass::Custom: return control.className.c_str();
    }
    return L"Static";
}

// A dialog nested in another (DS_CONTROL) hands its keyboard navigation to
// the dialog that holds it.
HWND KeyboardDestination(HWND dialog)
{
    while (GetWindowLongPtrW(dialog, GWL_STYLE) & DS_CONTROL) {
        HWND parent = GetParent(dialog);
        while (parent && !win::StateOf<DialogState>(parent))
            parent = GetParent(parent);
        if (!parent)
            break;
        dialog = parent;
    }
    return dialog;
}

void PressButtonById(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    if (button && (!IsWindowEnabled(button) || !IsWindowVisible(button)))
        return;  // a disabled default button swallows the key
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

}  // namespace

// ---------------------------------------------------------------------------
// The dialog manager.

LRESULT DefDlgProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case DM_GETDEFID:
        if (auto* state = win::StateOf<DialogState>(hwnd))
            return MAKELRESULT(static_cast<unsigned>(state->defaultId), DC_HASDEFID);
        return 0;
    case DM_SETDEFID:
        if (auto* state = win::StateOf<DialogState>(hwnd))
            state->defaultId = static_cast<int>(wParam);
        return TRUE;
    case WM_CLOSE:
        // Closing a dialog is pressing its cancel button.
        PressButtonById(hwnd, IDCANCEL);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void RegisterDialogClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        win::RegisterStandardControls();
        win::RegisterWindowClass(win::WindowClass{
            L"#32770", &DefDlgProcW, [] { return std::make_unique<DialogState>(); }, "dialog"});
    });
}

HWND CreateDialogFromTemplate(UINT templateId, HWND parent, const std::function<void(HWND)>& attach, LPARAM initParam)
{
    RegisterDialogClass();
    const win::DialogTemplate* dialogTemplate = win::FindDialogTemplate(templateId);
    if (!dialogTemplate) {
        wchar_t line[80];
        std::swprintf(line, 80, L"dialog template %u not found", templateId);
        OutputDebugStringW(line);
        return nullptr;
    }
    win::DialogBaseUnits units = win::BaseUnitsForFont(dialogTemplate->fontSize);
    RECT rect = win::DialogUnitsToPixels(units, dialogTemplate->x, dialogTemplate->y, dialogTemplate->cx,
                                         dialogTemplate->cy);
    DWORD style = dialogTemplate->style & ~WS_VISIBLE;
    if (!(style & WS_CHILD)) {
        // Popups appear in the middle of the panel.
        int width = rect.right - rect.left;
        int height = rect.bottom - rect.top;
        rect = RECT{(panelWidth - width) / 2, (panelHeight - height) / 2, 0, 0};
        if (rect.left < 0)
            rect.left = 0;
        if (rect.top < 0)
            rect.top = 0;
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
    }
    HWND dialog = CreateWindowExW(0, L"#32770", dialogTemplate->caption.c_str(), style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, 0, nullptr, nullptr);
    if (!dialog)
        return nullptr;
    win::SetWindowTemplateId(dialog, templateId);
    if (attach)
        attach(dialog);

    for (const win::ControlTemplate& control : dialogTemplate->controls) {
        RECT place = win::DialogUnitsToPixels(units, control.x, control.y, control.cx, control.cy);
        const wchar_t* className = ClassNameFor(control);
        if (!win::IsWindowClassRegistered(className)) {
            OutputDebugStringW((std::wstring(L"dialog template: control class not registered: ") + className).c_str());
            className = L"Static";
        }
        HWND created = CreateWindowExW(control.exStyle, className, control.text.c_str(), control.style | WS_CHILD,
                                       place.left, place.top, place.right - place.left, place.bottom - place.top,
                                       dialog, control.id, nullptr, nullptr);
        if (!created) {
            wchar_t line[96];
            std::swprintf(line, 96, L"dialog template %u: control %d not created", templateId, control.id);
            OutputDebugStringW(line);
            continue;
        }
        if ((control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && control.controlClass == win::ControlClass::Button)
            if (auto* state = win::StateOf<DialogState>(dialog))
                state->defaultId = control.id;
    }
    if (!IsWindow(dialog))
        return nullptr;
    SendMessageW(dialog, WM_INITDIALOG, 0, initParam);
    if (IsWindow(dialog) && (dialogTemplate->style & WS_VISIBLE) && (style & WS_CHILD))
        ShowWindow(dialog, SW_SHOW);
    return IsWindow(dialog) ? dialog : nullptr;
}

BOOL EndDialog(HWND dialog, INT_PTR result)
{
    auto* state = win::StateOf<DialogState>(dialog);
    if (!state)
        return FALSE;
    state->result = result;
    state->ended = true;
    // Ending a dialog hides it and gives its owner back the input; a modal
    // loop notices the end flag on its next round.
    HWND owner = (GetWindowLongPtrW(dialog, GWL_STYLE) & WS_CHILD) ? nullptr : GetParent(dialog);
    if (owner && win::IsWindowModal(dialog))
        ::EnableWindow(owner, TRUE);
    ShowWindow(dialog, SW_HIDE);
    PostMessageW(dialog, WM_NULL, 0, 0);
    return TRUE;
}

BOOL IsDialogMessageW(HWND dialog, MSG* msg)
{
    if (!msg || !dialog || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)))
        return FALSE;
    HWND destination = KeyboardDestination(dialog);
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) &&
        (GetWindowLongPtrW(dialog, GWL_STYLE) & WS_CHILD)) {
        // A dialog embedded in another (a tab page) leaves Enter and Escape to
        // the dialog that holds it: the key goes on up the pre-translation
        // chain instead of ending the page.
        return FALSE;
    }
    if (msg->message == WM_KEYDOWN) {
        switch (msg->wParam) {
        case VK_RETURN: {
            LRESULT defaultId = SendMessageW(destination, DM_GETDEFID, 0, 0);
            int id = HIWORD(static_cast<std::uintptr_t>(defaultId)) == DC_HASDEFID ? LOWORD(static_cast<std::uintptr_t>(defaultId)) : IDOK;
            PressButtonById(destination, id);
            return TRUE;
        }
        case VK_ESCAPE:
            PressButtonById(destination, IDCANCEL);
            return TRUE;
        default:
            break;
        }
    }
    TranslateMessage(msg);
    DispatchMessageW(msg);
    return TRUE;
}

// ---------------------------------------------------------------------------
// CDialog.

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDHelp(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog()
{
    if (m_hWnd && IsWindow(m_hWnd) && win::GetFrameworkObject(m_hWnd) == this)
        ::DestroyWindow(m_hWnd);
}

BOOL CDialog::CreateFromTemplate(HWND parent)
{
    HWND created = CreateDialogFromTemplate(
        m_nIDHelp, parent, [this](HWND hwnd) { SubclassWindow(hwnd); }, 0);
    return created != nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (!win::FindDialogTemplate(m_nIDHelp)) {
        wchar_t line[80];
        std::swprintf(line, 80, L"CDialog::DoModal: template %u not found", m_nIDHelp);
        OutputDebugStringW(line);
        return -1;
    }
    if (win::IsModalAbortRequested())
        return -1;
    // The owner is the top-level window of the parent, else the active window.
    HWND owner = m_pParentWnd && m_pParentWnd->m_hWnd ? GetAncestorTopLevel(m_pParentWnd->m_hWnd) : GetActiveWindow();
    bool enableOwner = false;
    if (owner && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        enableOwner = true;
    }
    m_bModal = true;
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    HWND self = nullptr;
    if (CreateFromTemplate(owner)) {
        self = m_hWnd;
        if (m_nFlags & WF_CONTINUEMODAL)
            RunModalLoop(0);
    }
    if (self && IsWindow(self))
        ::ShowWindow(self, SW_HIDE);
    if (enableOwner && IsWindow(owner))
        ::EnableWindow(owner, TRUE);
    if (owner && IsWindow(owner) && GetActiveWindow() == self)
        SetActiveWindow(owner);
    if (self && IsWindow(self))
        ::DestroyWindow(self);
    m_hWnd = nullptr;
    m_bModal = false;
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);
    return m_nModalResult;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_nIDHelp = templateId;
    m_pParentWnd = parent;
    m_bModal = false;
    return CreateFromTemplate(parent ? parent->m_hWnd : nullptr);
}

void CDialog::EndDialog(int result)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(result);
    else
        m_nModalResult = result;
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (CWnd::PreTranslateMessage(msg))
        return TRUE;
    bool input = (msg->message >= WM_KEYDOWN && msg->message <= WM_CHAR) ||
                 (msg->message >= WM_MOUSEMOVE && msg->message <= WM_LBUTTONDBLCLK);
    if (!input)
        return FALSE;
    return IsDialogMessageW(m_hWnd, msg);
}

BOOL CDialog::ContinueModal()
{
    return CWnd::ContinueModal();
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Data exchange.

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!control) {
        wchar_t line[64];
        std::swprintf(line, 64, L"data exchange: no control %d", id);
        OutputDebugStringW(line);
        Fail();
    }
    return control;
}

void CDataExchange::Fail() { m_failed = true; }

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    HWND hwnd = dx->PrepareCtrl(id);
    if (hwnd && !control.SubclassWindow(hwnd))
        dx->Fail();
}

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    HWND hwnd = dx->PrepareCtrl(id);
    if (!hwnd)
        return;
    if (dx->m_bSaveAndValidate)
        value = GetWindowTextString(hwnd).c_str();
    else
        SetWindowTextW(hwnd, value);
}

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    HWND hwnd = dx->PrepareCtrl(id);
    if (!hwnd)
        return;
    if (dx->m_bSaveAndValidate) {
        std::wstring text = GetWindowTextString(hwnd);
        wchar_t* end = nullptr;
        long parsed = std::wcstol(text.c_str(), &end, 10);
        if (text.empty() || (end && *end != L'\0')) {
            dx->Fail();
            return;
        }
        value = static_cast<int>(parsed);
    } else {
        SetWindowTextW(hwnd, std::to_wstring(value).c_str());
    }
}

void DDX_Text(CDataExchange* dx, int id, double& value)
{
    HWND hwnd = dx->PrepareCtrl(id);
    if (!hwnd)
        return;
    if (dx->m_bSaveAndValidate) {
        std::wstring text = GetWindowTextString(hwnd);
        wchar_t* end = nullptr;
        double parsed = std::wcstod(text.c_str(), &end);
        if (text.empty() || (end && *end != L'\0')) {
            dx->Fail();
            return;
        }
        value = parsed;
    } else {
        wchar_t buffer[64];
        std::swprintf(buffer, 64, L"%g", value);
        SetWindowTextW(hwnd, buffer);
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    HWND hwnd = dx->PrepareCtrl(id);
    if (!hwnd)
        return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(SendMessageW(hwnd, BM_GETCHECK, 0, 0));
    else
        SendMessageW(hwnd, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}
