#include "resources/TemplateWriter.h"

#include "resources/TemplateStyles.h"
#include "win/TextConvert.h"

#include <cwchar>

namespace resources {
namespace {

std::wstring Quoted(const std::wstring& text)
{
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        switch (c) {
        case L'\n':
            out += L"\\n";
            break;
        case L'\r':
            out += L"\\r";
            break;
        case L'\t':
            out += L"\\t";
            break;
        case L'\\':
            out += L"\\\\";
            break;
        case L'"':
            out += L"\\\"";
            break;
        default:
            out += c;
        }
    }
    return out + L"\"";
}

std::wstring Hex(DWORD value)
{
    wchar_t buffer[16];
    std::swprintf(buffer, std::size(buffer), L"0x%X", value);
    return buffer;
}

// Appends the keywords whose bits are all present and takes their bits out
// of style and exStyle.
void AppendKeywords(std::wstring& line, std::span<const StyleKeyword> keywords, DWORD& style, DWORD& exStyle)
{
    for (const StyleKeyword& keyword : keywords) {
        const bool styleMatch = keyword.style != 0 && (style & keyword.style) == keyword.style;
        const bool exMatch = keyword.exStyle != 0 && (exStyle & keyword.exStyle) == keyword.exStyle;
        if (styleMatch || exMatch) {
            line += L' ';
            line += keyword.word;
            style &= ~keyword.style;
            exStyle &= ~keyword.exStyle;
        }
    }
}

void AppendRaw(std::wstring& line, DWORD style, DWORD exStyle)
{
    if (style != 0)
        line += L" style:" + Hex(style);
    if (exStyle != 0)
        line += L" exstyle:" + Hex(exStyle);
}

const ControlClassWord& ClassWordFor(const win::ControlTemplate& control)
{
    const ControlClassWord* fallback = nullptr;
    for (const ControlClassWord& entry : ControlClassWords()) {
        if (entry.controlClass != control.controlClass)
            continue;
        if (control.controlClass != win::ControlClass::Button || (control.style & BS_TYPEMASK) == entry.style)
            return entry;
        if (!fallback && entry.style == BS_PUSHBUTTON)
            fallback = &entry;
    }
    // A button type without its own word: "button" plus the raw type bits.
    return *fallback;
}

std::wstring ControlLine(const win::ControlTemplate& control)
{
    const ControlClassWord& classWord = ClassWordFor(control);
    std::wstring line = std::to_wstring(control.id) + L' ' + std::wstring(classWord.word);
    DWORD style = control.style & ~kControlBaseStyle & ~classWord.style;
    DWORD exStyle = control.exStyle;
    if (!(control.style & WS_VISIBLE))
        line += L" hidden";
    AppendKeywords(line, ClassControlKeywords(control.controlClass), style, exStyle);
    AppendKeywords(line, CommonControlKeywords(), style, exStyle);
    AppendRaw(line, style, exStyle);
    line += L' ' + std::to_wstring(control.x) + L' ' + std::to_wstring(control.y) + L' ' +
            std::to_wstring(control.cx) + L' ' + std::to_wstring(control.cy);
    if (!control.text.empty())
        line += L' ' + Quoted(control.text);
    return line;
}

}  // namespace

std::string FormatDialogTemplate(const win::DialogTemplate& dialog)
{
    std::wstring text = L"dialog " + std::to_wstring(dialog.id) + L"\n";
    if (!dialog.caption.empty())
        text += L"caption " + Quoted(dialog.caption) + L"\n";
    if (!dialog.fontName.empty() || dialog.fontSize != win::DialogTemplate{}.fontSize)
        text += L"font " + Quoted(dialog.fontName) + L" " + std::to_wstring(dialog.fontSize) + L"\n";
    if (dialog.style != 0) {
        std::wstring line = L"style";
        DWORD style = dialog.style;
        DWORD exStyle = 0;
        AppendKeywords(line, DialogStyleKeywords(), style, exStyle);
        AppendRaw(line, style, 0);
        text += line + L"\n";
    }
    if (dialog.x != 0 || dialog.y != 0)
        text += L"position " + std::to_wstring(dialog.x) + L" " + std::to_wstring(dialog.y) + L"\n";
    text += L"size " + std::to_wstring(dialog.cx) + L" " + std::to_wstring(dialog.cy) + L"\n";
    for (const win::ControlTemplate& control : dialog.controls)
        text += ControlLine(control) + L"\n";
    return win::WideToUtf8(text);
}

}  // namespace resources
