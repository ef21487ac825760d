#include "resources/TemplateStyles.h"

#include "win/controls/CommCtrl.h"

namespace resources {
namespace {

using win::ControlClass;

// Style values of controls that the window layer's headers do not name.
// They are Windows' values, since templates carry Windows style bits.
constexpr DWORD kStaticNoPrefix = 0x0080;      // SS_NOPREFIX
constexpr DWORD kStaticCenterImage = 0x0200;   // SS_CENTERIMAGE
constexpr DWORD kStaticSunken = 0x1000;        // SS_SUNKEN
constexpr DWORD kEditCenter = 0x0001;          // ES_CENTER
constexpr DWORD kEditRight = 0x0002;           // ES_RIGHT
constexpr DWORD kEditPassword = 0x0020;        // ES_PASSWORD
constexpr DWORD kEditAutoVScroll = 0x0040;     // ES_AUTOVSCROLL
constexpr DWORD kEditAutoHScroll = 0x0080;     // ES_AUTOHSCROLL
constexpr DWORD kEditWantReturn = 0x1000;      // ES_WANTRETURN
constexpr DWORD kListBoxNoIntegralHeight = 0x0100;  // LBS_NOINTEGRALHEIGHT
constexpr DWORD kTabMultiline = 0x0200;        // TCS_MULTILINE
constexpr DWORD kTabOwnerDrawFixed = 0x2000;   // TCS_OWNERDRAWFIXED
constexpr DWORD kExStaticEdge = 0x00020000;    // WS_EX_STATICEDGE
constexpr DWORD kExClientEdge = 0x00000200;    // WS_EX_CLIENTEDGE

constexpr ControlClassWord kClassWords[] = {
    {L"button", ControlClass::Button, L"Button", BS_PUSHBUTTON},
    {L"defbutton", ControlClass::Button, L"Button", BS_DEFPUSHBUTTON},
    {L"checkbox", ControlClass::Button, L"Button", BS_AUTOCHECKBOX},
    {L"radio", ControlClass::Button, L"Button", BS_AUTORADIOBUTTON},
    {L"groupbox", ControlClass::Button, L"Button", BS_GROUPBOX},
    {L"ownerdraw", ControlClass::Button, L"Button", BS_OWNERDRAW},
    {L"static", ControlClass::Static, L"Static", SS_LEFT},
    {L"edit", ControlClass::Edit, L"Edit", 0},
    {L"listbox", ControlClass::ListBox, L"ListBox", 0},
    {L"listview", ControlClass::ListView, L"SysListView32", 0},
    {L"tab", ControlClass::TabControl, L"SysTabControl32", 0},
    {L"custom", ControlClass::Custom, L"Custom", 0},
};

constexpr StyleKeyword kCommonKeywords[] = {
    {L"disabled", WS_DISABLED, 0},
    {L"tabstop", WS_TABSTOP, 0},
    {L"group", WS_GROUP, 0},
    {L"border", WS_BORDER, 0},
    {L"vscroll", WS_VSCROLL, 0},
    {L"hscroll", WS_HSCROLL, 0},
    {L"clientedge", 0, kExClientEdge},
    {L"staticedge", 0, kExStaticEdge},
};

constexpr StyleKeyword kButtonKeywords[] = {
    {L"pushlike", BS_PUSHLIKE, 0},
    {L"multiline", BS_MULTILINE, 0},
    {L"notify", BS_NOTIFY, 0},
};

constexpr StyleKeyword kStaticKeywords[] = {
    {L"center", SS_CENTER, 0},
    {L"right", SS_RIGHT, 0},
    {L"noprefix", kStaticNoPrefix, 0},
    {L"notify", SS_NOTIFY, 0},
    {L"centerimage", kStaticCenterImage, 0},
    {L"sunken", kStaticSunken, 0},
};

constexpr StyleKeyword kEditKeywords[] = {
    {L"center", kEditCenter, 0},
    {L"right", kEditRight, 0},
    {L"multiline", ES_MULTILINE, 0},
    {L"password", kEditPassword, 0},
    {L"autovscroll", kEditAutoVScroll, 0},
    {L"autohscroll", kEditAutoHScroll, 0},
    {L"readonly", ES_READONLY, 0},
    {L"wantreturn", kEditWantReturn, 0},
    {L"number", ES_NUMBER, 0},
};

constexpr StyleKeyword kListBoxKeywords[] = {
    {L"notify", LBS_NOTIFY, 0},
    {L"sort", LBS_SORT, 0},
    {L"multisel", LBS_MULTIPLESEL, 0},
    {L"nointegralheight", kListBoxNoIntegralHeight, 0},
    {L"extendedsel", LBS_EXTENDEDSEL, 0},
};

constexpr StyleKeyword kListViewKeywords[] = {
    {L"report", LVS_REPORT, 0},
    {L"singlesel", LVS_SINGLESEL, 0},
    {L"showselalways", LVS_SHOWSELALWAYS, 0},
    {L"noscroll", LVS_NOSCROLL, 0},
    {L"nocolumnheader", LVS_NOCOLUMNHEADER, 0},
    {L"nosortheader", LVS_NOSORTHEADER, 0},
};

constexpr StyleKeyword kTabKeywords[] = {
    {L"buttons", TCS_BUTTONS, 0},
    {L"multiline", kTabMultiline, 0},
    {L"fixedwidth", TCS_FIXEDWIDTH, 0},
    {L"ownerdrawfixed", kTabOwnerDrawFixed, 0},
    {L"focusnever", TCS_FOCUSNEVER, 0},
};

constexpr StyleKeyword kDialogKeywords[] = {
    {L"popup", WS_POPUP, 0},
    {L"child", WS_CHILD, 0},
    {L"visible", WS_VISIBLE, 0},
    {L"disabled", WS_DISABLED, 0},
    {L"caption", WS_CAPTION, 0},
    {L"border", WS_BORDER, 0},
    {L"sysmenu", WS_SYSMENU, 0},
    {L"modalframe", DS_MODALFRAME, 0},
    {L"setfont", DS_SETFONT, 0},
    {L"control", DS_CONTROL, 0},
};

}  // namespace

std::span<const ControlClassWord> ControlClassWords()
{
    return kClassWords;
}

const ControlClassWord* FindControlClassWord(std::wstring_view word)
{
    for (const ControlClassWord& entry : kClassWords) {
        if (entry.word == word)
            return &entry;
    }
    return nullptr;
}

std::span<const StyleKeyword> ClassControlKeywords(win::ControlClass controlClass)
{
    switch (controlClass) {
    case ControlClass::Button:
        return kButtonKeywords;
    case ControlClass::Static:
        return kStaticKeywords;
    case ControlClass::Edit:
        return kEditKeywords;
    case ControlClass::ListBox:
        return kListBoxKeywords;
    case ControlClass::ListView:
        return kListViewKeywords;
    case ControlClass::TabControl:
        return kTabKeywords;
    case ControlClass::Custom:
        return {};
    }
    return {};
}

std::span<const StyleKeyword> CommonControlKeywords()
{
    return kCommonKeywords;
}

std::span<const StyleKeyword> DialogStyleKeywords()
{
    return kDialogKeywords;
}

}  // namespace resources
