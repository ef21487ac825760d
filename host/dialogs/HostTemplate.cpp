#include "host/dialogs/HostTemplate.h"

#include "host/TextService.h"
#include "win/Window.h"

#include <algorithm>

namespace host {

TemplateBuilder::TemplateBuilder(UINT id, std::wstring caption, int width, int height)
{
    m_template.id = id;
    m_template.caption = std::move(caption);
    m_template.fontName = L"ＭＳ ゴシック";
    m_template.fontSize = 9;
    m_template.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;
    m_template.cx = width;
    m_template.cy = height;
}

TemplateBuilder& TemplateBuilder::Add(win::ControlClass controlClass, const wchar_t* className, int id,
                                      std::wstring text, int x, int y, int width, int height, DWORD style)
{
    win::ControlTemplate control;
    control.id = id;
    control.controlClass = controlClass;
    control.className = className;
    control.style = style | WS_CHILD | WS_VISIBLE;
    control.x = x;
    control.y = y;
    control.cx = width;
    control.cy = height;
    control.text = std::move(text);
    m_template.controls.push_back(std::move(control));
    return *this;
}

TemplateBuilder& TemplateBuilder::Button(int id, std::wstring text, int x, int y, int width, int height, DWORD style)
{
    return Add(win::ControlClass::Button, L"Button", id, std::move(text), x, y, width, height, style | WS_TABSTOP);
}

TemplateBuilder& TemplateBuilder::Static(int id, std::wstring text, int x, int y, int width, int height, DWORD style)
{
    return Add(win::ControlClass::Static, L"Static", id, std::move(text), x, y, width, height, style);
}

TemplateBuilder& TemplateBuilder::Edit(int id, int x, int y, int width, int height, DWORD style)
{
    return Add(win::ControlClass::Edit, L"Edit", id, L"", x, y, width, height, style | WS_BORDER | WS_TABSTOP);
}

TemplateBuilder& TemplateBuilder::ListBox(int id, int x, int y, int width, int height, DWORD style)
{
    return Add(win::ControlClass::ListBox, L"ListBox", id, L"", x, y, width, height,
               style | WS_BORDER | WS_VSCROLL | WS_TABSTOP);
}

bool TemplateBuilder::Register() const { return win::RegisterDialogTemplate(m_template); }

void MoveControlUnits(HWND dialog, int id, int x, int y, int width, int height)
{
    RECT place = win::DialogUnitsToPixels(win::BaseUnitsForFont(9), x, y, width, height);
    MoveWindow(GetDlgItem(dialog, id), place.left, place.top, place.right - place.left, place.bottom - place.top,
               TRUE);
}

void CentreOverParent(HWND dialog, HWND parent)
{
    constexpr int panelWidth = 640;
    constexpr int panelHeight = 480;
    HWND top = parent ? GetAncestorTopLevel(parent) : nullptr;
    RECT over{};
    RECT self{};
    if (!top || !GetWindowRect(top, &over) || !GetWindowRect(dialog, &self))
        return;
    int width = self.right - self.left;
    int height = self.bottom - self.top;
    int left = (over.left + over.right - width) / 2;
    int topEdge = (over.top + over.bottom - height) / 2;
    left = std::clamp(left, 0, std::max(0, panelWidth - width));
    topEdge = std::clamp(topEdge, 0, std::max(0, panelHeight - height));
    SetWindowPos(dialog, nullptr, left, topEdge, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring CommonText(DWORD item)
{
    const wchar_t* fallback = item == 1 ? L"閉じる" : item == 2 ? L"実行" : item == 3 ? L"キャンセル" : L"";
    return GetTextServiceObject()->GetText(1, item, fallback);
}

const wchar_t* HostText(DWORD group, DWORD item, const wchar_t* defaultText)
{
    return GetTextServiceObject()->GetText(group, item, defaultText);
}

}  // namespace host
