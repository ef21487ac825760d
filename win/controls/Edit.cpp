#include "win/controls/Edit.h"

#include "win/Screen.h"
#include "win/controls/CommCtrl.h"

namespace win {

WindowClass Edit::Class()
{
    return WindowClass{L"Edit", &Edit::Procedure, [] { return std::make_unique<Edit>(); }, "edit"};
}

LRESULT Edit::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* edit = StateOf<Edit>(hwnd);
    if (!edit)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_CREATE: edit->Attach(hwnd); return 0;
    case WM_LBUTTONDOWN: edit->ButtonDown(); return 0;
    case WM_CHAR: edit->Character(static_cast<wchar_t>(wParam)); return 0;
    case EM_SETREADONLY: return edit->SetReadOnly(wParam != 0);
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

bool Edit::Multiline() const { return (Style() & ES_MULTILINE) != 0; }

void Edit::ButtonDown()
{
    if (Enabled())
        SetFocus(Self());
}

void Edit::Character(wchar_t character)
{
    if ((Style() & ES_READONLY) || !Enabled())
        return;
    std::wstring text = GetWindowTextString(Self());
    if (character == static_cast<wchar_t>(VK_BACK)) {
        if (text.empty())
            return;
        bool lineBreak = Multiline() && text.size() >= 2 && text.compare(text.size() - 2, 2, L"\r\n") == 0;
        text.erase(text.size() - (lineBreak ? 2 : 1));
    } else if (character == L'\r' || character == L'\n') {
        if (!Multiline())
            return;
        text += L"\r\n";
    } else if (character < 0x20 || character == 0x7F) {
        return;  // other control characters (Ctrl+letter, Tab, Escape) insert nothing
    } else if ((Style() & ES_NUMBER) && (character < L'0' || character > L'9')) {
        return;
    } else {
        text += character;
    }
    // The text changes without a WM_SETTEXT message, as when a user types.
    DefWindowProcW(Self(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    NotifyCommand(EN_CHANGE);
}

BOOL Edit::SetReadOnly(bool readOnly)
{
    DWORD style = Style();
    DWORD changed = readOnly ? (style | ES_READONLY) : (style & ~ES_READONLY);
    if (changed != style)
        SetWindowLongPtrW(Self(), GWL_STYLE, static_cast<LONG_PTR>(changed));
    return TRUE;
}

void Edit::Describe(ScreenControl& control) const
{
    DWORD style = Style();
    if (style & ES_READONLY)
        control.extra.emplace_back("readOnly", L"1");
    if (style & ES_MULTILINE)
        control.extra.emplace_back("multiline", L"1");
    if (style & ES_NUMBER)
        control.extra.emplace_back("number", L"1");
}

}  // namespace win
