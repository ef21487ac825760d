// MessageBoxW: a real modal dialog of the window system, built from a
// template made for each call, so the operator (or a script) answers it like
// any other dialog.
#include "win/Dialog.h"
#include "win/DialogTemplate.h"

#include <algorithm>

namespace {

constexpr UINT messageBoxTemplateId = 0xFF00;

class MessageBoxDialog : public CDialog {
public:
    MessageBoxDialog(CWnd* parent) : CDialog(messageBoxTemplateId, parent) {}

protected:
    void OnYes() { EndDialog(IDYES); }
    void OnNo() { EndDialog(IDNO); }
    void OnOK() override { EndDialog(IDOK); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MessageBoxDialog, CDialog)
    ON_COMMAND(IDYES, OnYes)
    ON_COMMAND(IDNO, OnNo)
END_MESSAGE_MAP()

win::ControlTemplate Button(int id, const wchar_t* text, int x, bool isDefault)
{
    win::ControlTemplate button;
    button.id = id;
    button.controlClass = win::ControlClass::Button;
    button.className = L"Button";
    button.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    button.x = x;
    button.y = 62;
    button.cx = 60;
    button.cy = 20;
    button.text = text;
    return button;
}

}  // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    win::DialogTemplate box;
    box.id = messageBoxTemplateId;
    box.caption = caption ? caption : L"";
    box.fontName = L"ＭＳ ゴシック";
    box.fontSize = 9;
    box.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    box.cx = 220;
    box.cy = 90;
    win::ControlTemplate message;
    message.id = 0xFFFF;
    message.controlClass = win::ControlClass::Static;
    message.className = L"Static";
    message.style = WS_CHILD | WS_VISIBLE | SS_LEFT;
    message.x = 10;
    message.y = 8;
    message.cx = 200;
    message.cy = 48;
    message.text = text ? text : L"";
    box.controls.push_back(message);
    switch (type & 0xF) {
    case MB_OKCANCEL:
        box.controls.push_back(Button(IDOK, L"OK", 46, true));
        box.controls.push_back(Button(IDCANCEL, L"キャンセル", 114, false));
        break;
    case MB_YESNO:
        box.controls.push_back(Button(IDYES, L"はい", 46, true));
        box.controls.push_back(Button(IDNO, L"いいえ", 114, false));
        break;
    default:
        box.controls.push_back(Button(IDOK, L"OK", 80, true));
        break;
    }
    win::RegisterDialogTemplate(std::move(box));
    MessageBoxDialog dialog(CWnd::FromHandle(owner));
    INT_PTR result = dialog.DoModal();
    if (result == IDCANCEL && (type & 0xF) == MB_YESNO)
        result = IDNO;  // a Yes/No box closed by Escape reads as No
    return static_cast<int>(result);
}

int AfxMessageBox(LPCWSTR text, UINT type)
{
    return MessageBoxW(GetActiveWindow(), text, L"", type);
}
