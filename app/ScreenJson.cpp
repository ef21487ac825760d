#include "ScreenJson.h"

#include "win/TextConvert.h"
#include "win/Window.h"
#include "win/controls/CommCtrl.h"

namespace {

nlohmann::json Rect(const RECT& rect)
{
    return nlohmann::json::array({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
}

nlohmann::json Texts(const std::vector<std::wstring>& texts)
{
    nlohmann::json list = nlohmann::json::array();
    for (const std::wstring& text : texts)
        list.push_back(win::WideToUtf8(text));
    return list;
}

bool IsList(const win::ScreenControl& control)
{
    return control.className == "listview" || control.className == "listbox";
}

// Geometry the panel needs to draw a control as the instrument lays it out:
// where each tab sits, how wide each list column is and how tall a list's row is.
// The control answers these queries from its state; nothing changes.
void AddGeometry(const win::ScreenControl& control, nlohmann::json& out)
{
    if (!control.hwnd || !IsWindow(control.hwnd))
        return;
    if (control.className == "tab") {
        nlohmann::json rects = nlohmann::json::array();
        for (std::size_t i = 0; i < control.tabs.size(); ++i) {
            RECT item{};
            if (!SendMessageW(control.hwnd, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)))
                return;
            rects.push_back(Rect(item));
        }
        out["itemRects"] = std::move(rects);
    } else if (control.className == "listview") {
        nlohmann::json widths = nlohmann::json::array();
        for (std::size_t i = 0; i < control.columns.size(); ++i)
            widths.push_back(static_cast<int>(SendMessageW(control.hwnd, LVM_GETCOLUMNWIDTH, i, 0)));
        out["columnWidths"] = std::move(widths);
    }
    if (IsList(control) && !control.rows.empty()) {
        RECT row{};
        row.left = LVIR_BOUNDS;
        const UINT itemRect = control.className == "listview" ? LVM_GETITEMRECT : LB_GETITEMRECT;
        int first = control.topRow.value_or(0);
        if (SendMessageW(control.hwnd, itemRect, static_cast<WPARAM>(first), reinterpret_cast<LPARAM>(&row)) > 0)
            out["rowHeight"] = row.bottom - row.top;
    }
}

}  // namespace

std::uint64_t ScreenJson::HandleNumber(HWND hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }

HWND ScreenJson::HandleFromNumber(std::uint64_t number)
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(number));
}

nlohmann::json ScreenJson::Control(const win::ScreenControl& control)
{
    nlohmann::json out = {
        {"id", control.id},
        {"class", control.className},
        {"text", win::WideToUtf8(control.text)},
        {"rect", Rect(control.rect)},
        {"visible", control.visible},
        {"enabled", control.enabled},
    };
    if (control.focused)
        out["focused"] = true;
    if (control.checked)
        out["checked"] = *control.checked;
    if (control.selected)
        out["selected"] = *control.selected;
    if (control.className == "tab" || !control.tabs.empty()) {
        out["tabs"] = Texts(control.tabs);
        out["current"] = control.current.value_or(-1);
    }
    bool channels = control.className == "channels";
    if (IsList(control) || channels || !control.columns.empty() || !control.rows.empty()) {
        // The channel panel's items travel as rows; its own "columns" extra
        // (the grid width) takes the place of list columns.
        if (control.className == "listview" || (!channels && !control.columns.empty()))
            out["columns"] = Texts(control.columns);
        AddRows(control, out);
        if (control.topRow)
            out["topRow"] = *control.topRow;
    }
    if (control.value)
        out["value"] = win::WideToUtf8(*control.value);
    if (control.unit)
        out["unit"] = win::WideToUtf8(*control.unit);
    AddGeometry(control, out);
    for (const auto& [name, value] : control.extra)
        if (!out.contains(name))
            out[name] = win::WideToUtf8(value);
    return out;
}

void ScreenJson::AddRows(const win::ScreenControl& control, nlohmann::json& out)
{
    nlohmann::json rows = nlohmann::json::array();
    for (const auto& row : control.rows)
        rows.push_back(Texts(row));
    out["rows"] = std::move(rows);
    out["firstRow"] = control.firstRow;
    out["rowCount"] = control.rowCount;
    out["selectedRows"] = control.selectedRows;
    out["selectedCount"] = control.selectedCount;
    out["rowsRevision"] = control.rowsRevision;
}

nlohmann::json ScreenJson::WindowFields(const win::ScreenWindow& window)
{
    return {
        {"hwnd", HandleNumber(window.hwnd)},
        {"template", window.templateId},
        {"caption", win::WideToUtf8(window.caption)},
        {"visible", window.visible},
        {"enabled", window.enabled},
        {"modal", window.modal},
        {"rect", Rect(window.rect)},
    };
}
