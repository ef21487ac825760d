// Templates of the host's own dialogs, built in code, and their ids. The
// dialogs are laid out for the 640 x 480 touch panel in the 9-point template
// font: one dialog unit is 1.5 pixels across and 1.25 pixels down, so a
// button of 40 x 32 units is 60 x 40 pixels.
//
// Every input dialog confirms with control 1 (IDOK) and cancels with
// control 2 (IDCANCEL), so a script can answer any of them.
#pragma once

#include "win/DialogTemplate.h"

#include <string>

namespace host {

constexpr UINT IDD_HOST_POPUP = 30000;
constexpr UINT IDD_HOST_SELECTOR = 30001;
constexpr UINT IDD_HOST_NUMKEY = 30002;
constexpr UINT IDD_HOST_KEYBOARD = 30003;
constexpr UINT IDD_HOST_KEYBOARD_PATH = 30004;
constexpr UINT IDD_HOST_DATETIME = 30005;
constexpr UINT IDD_HOST_TIMER = 30006;
constexpr UINT IDD_HOST_BROWSE_FOLDER = 30007;

class TemplateBuilder {
public:
    TemplateBuilder(UINT id, std::wstring caption, int width, int height);

    TemplateBuilder& Button(int id, std::wstring text, int x, int y, int width, int height,
                            DWORD style = BS_PUSHBUTTON);
    TemplateBuilder& Static(int id, std::wstring text, int x, int y, int width, int height, DWORD style = SS_LEFT);
    TemplateBuilder& Edit(int id, int x, int y, int width, int height, DWORD style = 0);
    TemplateBuilder& ListBox(int id, int x, int y, int width, int height, DWORD style = LBS_NOTIFY);

    const win::DialogTemplate& Template() const { return m_template; }
    // Registers the template (replacing an earlier one of the same id).
    bool Register() const;

private:
    TemplateBuilder& Add(win::ControlClass controlClass, const wchar_t* className, int id, std::wstring text, int x,
                         int y, int width, int height, DWORD style);

    win::DialogTemplate m_template;
};

// Moves a control of a dialog to a place given in dialog units.
void MoveControlUnits(HWND dialog, int id, int x, int y, int width, int height);
// Puts a top-level dialog in the middle of its parent's top-level window,
// kept on the 640 x 480 panel. Without a parent window it stays where it is.
void CentreOverParent(HWND dialog, HWND parent);

// The common button words of the text service (group 1): 1 "閉じる",
// 2 "実行", 3 "キャンセル".
std::wstring CommonText(DWORD item);
// A host dialog's own text from the text service; the group is the dialog's
// template id. Looked up when the dialog opens, never kept in a template, so
// a dialog shows the language in force when it opens.
const wchar_t* HostText(DWORD group, DWORD item, const wchar_t* defaultText);

}  // namespace host
