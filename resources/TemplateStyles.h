// The words of the template files: control classes and the style keywords
// each class accepts, and the dialog's own style keywords. The parser reads
// them and the writer produces them from the same tables, so a template that
// is written out and read back is the same template.
#pragma once

#include "win/DialogTemplate.h"

#include <span>
#include <string_view>

namespace resources {

// A class word of a control line ("button", "checkbox", "listview", ...):
// the window class it creates, its window class name and the style bits it
// stands for (the button kinds differ only in their BS_ type).
struct ControlClassWord {
    std::wstring_view word;
    win::ControlClass controlClass;
    std::wstring_view className;
    DWORD style;
};

// A style keyword: the bits it sets in the style or, for the few window
// extended styles, in the extended style.
struct StyleKeyword {
    std::wstring_view word;
    DWORD style;
    DWORD exStyle;
};

std::span<const ControlClassWord> ControlClassWords();
const ControlClassWord* FindControlClassWord(std::wstring_view word);

// The keywords a control of that class accepts, the common ones (hidden,
// disabled, tabstop, group, border, scroll bars, edges) included. Returns the
// class-specific ones only; see CommonControlKeywords.
std::span<const StyleKeyword> ClassControlKeywords(win::ControlClass controlClass);
std::span<const StyleKeyword> CommonControlKeywords();
std::span<const StyleKeyword> DialogStyleKeywords();

// Every control is a visible child unless its line says "hidden".
constexpr DWORD kControlBaseStyle = WS_CHILD | WS_VISIBLE;

}  // namespace resources
