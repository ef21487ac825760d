// MessageBoxW: a question box of the window system (QuestionBox.h).
#include "win/Dialog.h"
#include "win/QuestionBox.h"

namespace {

constexpr UINT messageBoxTemplateId = 0xFF00;

}  // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    std::vector<win::BoxButton> buttons;
    switch (type & 0xF) {
    case MB_OKCANCEL: buttons = {{IDOK, L"OK"}, {IDCANCEL, L"キャンセル"}}; break;
    case MB_YESNO: buttons = {{IDYES, L"はい"}, {IDNO, L"いいえ"}}; break;
    default: buttons = {{IDOK, L"OK"}}; break;
    }
    int result = win::ShowQuestionBox(owner, messageBoxTemplateId, caption ? caption : L"", text ? text : L"", buttons);
    if (result == IDCANCEL && (type & 0xF) == MB_YESNO)
        result = IDNO;  // a Yes/No box closed by Escape reads as No
    return result;
}

int AfxMessageBox(LPCWSTR text, UINT type)
{
    return MessageBoxW(GetActiveWindow(), text, L"", type);
}
