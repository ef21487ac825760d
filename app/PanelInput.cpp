#include "PanelInput.h"

#include "ScreenJson.h"
#include "win/Input.h"
#include "win/TextConvert.h"
#include "win/Window.h"

#include <nlohmann/json.hpp>

#include <deque>

namespace {

bool ReadInteger(const nlohmann::json& body, const char* name, long long min, long long max, long long& out,
                 std::string& error)
{
    auto field = body.find(name);
    if (field == body.end()) {
        error = std::string("missing \"") + name + "\"";
        return false;
    }
    if (!field->is_number_integer()) {
        error = std::string("\"") + name + "\" must be an integer";
        return false;
    }
    long long value = field->is_number_unsigned() && field->get<unsigned long long>() > 0x7FFFFFFFFFFFFFFFull
                          ? max + 1
                          : field->get<long long>();
    if (value < min || value > max) {
        error = std::string("\"") + name + "\" is out of range";
        return false;
    }
    out = value;
    return true;
}

TouchPanel::CommandResult Refusal(win::InputResult result)
{
    switch (result) {
    case win::InputResult::Posted: return {};
    case win::InputResult::NoWindow: return {404, "no such window"};
    case win::InputResult::NoSuchPart: return {404, win::InputResultName(result)};
    case win::InputResult::Hidden:
    case win::InputResult::Disabled: return {409, win::InputResultName(result)};
    }
    return {400, "refused"};
}

}  // namespace

bool PanelInput::Parse(const std::string& route, const std::string& text, PanelInput& out, std::string& error)
{
    nlohmann::json body = nlohmann::json::parse(text, nullptr, false);
    if (body.is_discarded()) {
        error = "the body is not valid JSON";
        return false;
    }
    if (!body.is_object()) {
        error = "the body must be a JSON object";
        return false;
    }
    PanelInput input;
    long long number = 0;
    if (!ReadInteger(body, "hwnd", 1, kMaxWindowNumber, number, error))
        return false;
    input.hwnd = static_cast<std::uint64_t>(number);

    if (route == "tap") {
        input.kind = Kind::Tap;
        if (!ReadInteger(body, "id", -1, kMaxControlId, number, error))
            return false;
        input.id = static_cast<int>(number);
        // A part of the control: list rows and headers, tabs, and the items
        // and extra buttons of the channel panel.
        for (const char* part : {"row", "column", "tab", "item", "ext"}) {
            if (!body.contains(part))
                continue;
            if (!input.part.empty()) {
                error = "give only one of \"row\", \"column\", \"tab\", \"item\" and \"ext\"";
                return false;
            }
            if (!ReadInteger(body, part, 0, 0x7FFFFFFF, number, error))
                return false;
            input.part = part;
            input.index = static_cast<int>(number);
        }
        // Or a point in the control, as a finger would touch it (the ends of a jog).
        if (body.contains("x") || body.contains("y")) {
            if (!input.part.empty()) {
                error = "give either a part or a point";
                return false;
            }
            if (!ReadInteger(body, "x", 0, 0x7FFF, number, error))
                return false;
            input.x = static_cast<int>(number);
            if (!ReadInteger(body, "y", 0, 0x7FFF, number, error))
                return false;
            input.y = static_cast<int>(number);
            input.atPoint = true;
        }
        if (auto twice = body.find("double"); twice != body.end()) {
            if (!twice->is_boolean()) {
                error = "\"double\" must be true or false";
                return false;
            }
            input.twice = twice->get<bool>();
        }
    } else if (route == "key") {
        input.kind = Kind::Key;
        if (!ReadInteger(body, "vk", 1, 254, number, error))
            return false;
        input.vk = static_cast<UINT>(number);
        if (body.contains("repeat")) {
            if (!ReadInteger(body, "repeat", 1, kMaxRepeat, number, error))
                return false;
            input.repeat = static_cast<int>(number);
        }
    } else if (route == "type") {
        input.kind = Kind::Type;
        auto field = body.find("text");
        if (field == body.end() || !field->is_string()) {
            error = "\"text\" must be a string";
            return false;
        }
        std::string utf8 = field->get<std::string>();
        if (utf8.size() > 4096) {
            error = "\"text\" is too long";
            return false;
        }
        input.text = win::Utf8ToWide(utf8);
    } else {
        error = "unknown input";
        return false;
    }
    out = std::move(input);
    return true;
}

bool PanelInput::IsDialogWindow(HWND window)
{
    if (!window || !IsWindow(window))
        return false;
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wstring(name) == L"#32770";
}

HWND PanelInput::FindControl(HWND window, int id)
{
    // Breadth first: the window's own controls before those of its pages.
    HWND hidden = nullptr;
    std::deque<HWND> pending{window};
    while (!pending.empty()) {
        HWND parent = pending.front();
        pending.pop_front();
        for (HWND child : win::ChildWindows(parent)) {
            if (GetDlgCtrlID(child) == id && !IsDialogWindow(child)) {
                if (IsWindowVisible(child))
                    return child;
                if (!hidden)
                    hidden = child;
            }
            pending.push_back(child);
        }
    }
    return hidden;
}

TouchPanel::CommandResult PanelInput::Execute() const
{
    HWND window = ScreenJson::HandleFromNumber(hwnd);
    if (!IsDialogWindow(window))
        return {404, "no such window"};
    switch (kind) {
    case Kind::Tap: {
        HWND control = FindControl(window, id);
        if (!control)
            return {404, "no control " + std::to_string(id) + " in that window"};
        if (!part.empty())
            return Refusal(win::TapPart(control, part, index, 0, twice));
        if (atPoint) {
            RECT client{};
            GetClientRect(control, &client);
            if (x >= client.right || y >= client.bottom)
                return {404, "the point lies outside the control"};
            POINT point{x, y};
            return Refusal(twice ? win::DoubleTapAt(control, point) : win::TapAt(control, point));
        }
        return Refusal(twice ? win::DoubleTap(control) : win::Tap(control));
    }
    case Kind::Key:
        for (int press = 1; press < repeat; ++press)
            if (win::InputResult refused = win::PressKey(window, vk); refused != win::InputResult::Posted)
                return Refusal(refused);
        return Refusal(win::PressKey(window, vk));
    case Kind::Type:
        return Refusal(win::TypeText(window, text));
    }
    return {400, "unknown input"};
}
