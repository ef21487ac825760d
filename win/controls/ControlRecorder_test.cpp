#include "win/controls/ControlRecorder_test.h"

#include "win/controls/StandardControls.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <map>
#include <sstream>

namespace win::testing {
namespace {

ControlRecorder* current = nullptr;

#define NAMED(code) {code, #code}
const std::map<UINT, const char*> kCommandNames = {
    {BN_CLICKED, "BN_CLICKED/STN_CLICKED"}, NAMED(BN_DOUBLECLICKED), {LBN_SELCHANGE, "LBN_SELCHANGE/STN_DBLCLK"},
    NAMED(LBN_DBLCLK), NAMED(EN_CHANGE)};
const std::map<UINT, const char*> kNotifyNames = {
    NAMED(NM_CLICK), NAMED(NM_DBLCLK), NAMED(NM_SETFOCUS), NAMED(NM_KILLFOCUS), NAMED(TCN_SELCHANGE),
    NAMED(TCN_SELCHANGING), NAMED(LVN_ITEMCHANGING), NAMED(LVN_ITEMCHANGED), NAMED(LVN_INSERTITEM),
    NAMED(LVN_DELETEITEM), NAMED(LVN_DELETEALLITEMS), NAMED(LVN_COLUMNCLICK), NAMED(LVN_ITEMACTIVATE)};
#undef NAMED

std::string CodeName(UINT message, UINT code)
{
    const auto& names = message == WM_COMMAND ? kCommandNames : kNotifyNames;
    auto found = names.find(code);
    return found != names.end() ? found->second : std::to_string(static_cast<int>(code));
}

bool IsListView(HWND hwnd)
{
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    return std::wstring(name) == L"SysListView32";
}

std::string StateDetail(UINT newState, UINT oldState)
{
    char text[48];
    std::snprintf(text, sizeof text, "state %u was %u", newState, oldState);
    return text;
}

}  // namespace

std::string Describe(const Logged& entry)
{
    std::ostringstream out;
    out << (entry.message == WM_COMMAND ? "WM_COMMAND " : entry.message == WM_NOTIFY ? "WM_NOTIFY " : "message ")
        << CodeName(entry.message, entry.code) << " id=" << entry.wParam << " lParam=" << entry.lParam;
    if (!entry.detail.empty())
        out << " (" << entry.detail << ")";
    return out.str();
}

Logged Command(int id, UINT code, HWND control)
{
    return Logged{WM_COMMAND, code, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(control), {}};
}

Logged Notify(int id, UINT code) { return Logged{WM_NOTIFY, code, static_cast<WPARAM>(id), 0, {}}; }

Logged ItemNotify(int id, UINT code, int item, std::string detail)
{
    return Logged{WM_NOTIFY, code, static_cast<WPARAM>(id), item, std::move(detail)};
}

Logged StateNotify(int id, UINT code, int item, UINT newState, UINT oldState)
{
    return ItemNotify(id, code, item, StateDetail(newState, oldState));
}

Logged ClickNotify(int id, UINT code, int item, int subItem)
{
    return ItemNotify(id, code, item, "sub " + std::to_string(subItem));
}

Logged ColumnClick(int id, int column) { return ClickNotify(id, LVN_COLUMNCLICK, -1, column); }

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

ControlRecorder::ControlRecorder()
{
    RegisterStandardControls();
    RegisterWindowClass(WindowClass{L"ControlTestParent", &ControlRecorder::Procedure, {}, "dialog"});
    current = this;
    m_parent = CreateWindowExW(0, L"ControlTestParent", L"recorder", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, 0,
                               nullptr, nullptr);
}

ControlRecorder::~ControlRecorder()
{
    DestroyWindow(m_parent);
    Pump();
    SetFocus(nullptr);
    ReleaseCapture();
    current = nullptr;
}

HWND ControlRecorder::Create(LPCWSTR className, DWORD style, int id, RECT rect, LPCWSTR text)
{
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, m_parent, id, nullptr, nullptr);
}

LRESULT ControlRecorder::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!current || hwnd != current->m_parent || (message != WM_COMMAND && message != WM_NOTIFY))
        return DefWindowProcW(hwnd, message, wParam, lParam);
    current->Record(message, wParam, lParam);
    UINT code = message == WM_COMMAND ? HIWORD(wParam) : reinterpret_cast<NMHDR*>(lParam)->code;
    if (message == WM_NOTIFY) {
        auto reader = current->m_readers.find(code);
        if (reader != current->m_readers.end() && reader->second)
            reader->second(*reinterpret_cast<const NMHDR*>(lParam));
    }
    auto action = current->m_actions.find(code);
    if (action != current->m_actions.end() && action->second)
        action->second();
    auto answer = current->m_answers.find(code);
    return message == WM_NOTIFY && answer != current->m_answers.end() ? answer->second : 0;
}

void ControlRecorder::Record(UINT message, WPARAM wParam, LPARAM lParam)
{
    Logged entry;
    entry.message = message;
    if (message == WM_COMMAND) {
        entry.code = HIWORD(wParam);
        entry.wParam = LOWORD(wParam);
        entry.lParam = lParam;
    } else {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        entry.code = header->code;
        entry.wParam = wParam;
        if (IsListView(header->hwndFrom)) {
            switch (header->code) {
            case LVN_ITEMCHANGING:
            case LVN_ITEMCHANGED: {
                const auto* info = reinterpret_cast<const NMLISTVIEW*>(lParam);
                entry.lParam = info->iItem;
                if (info->uChanged == LVIF_STATE)
                    entry.detail = StateDetail(info->uNewState, info->uOldState);
                else
                    entry.detail = "changed " + std::to_string(info->uChanged);
                break;
            }
            case LVN_COLUMNCLICK:
            case NM_CLICK:
            case NM_DBLCLK:
            case LVN_ITEMACTIVATE: {
                const auto* info = reinterpret_cast<const NMLISTVIEW*>(lParam);
                entry.lParam = info->iItem;
                entry.detail = "sub " + std::to_string(info->iSubItem);
                break;
            }
            case LVN_INSERTITEM:
            case LVN_DELETEITEM:
            case LVN_DELETEALLITEMS:
                entry.lParam = reinterpret_cast<const NMLISTVIEW*>(lParam)->iItem;
                break;
            default: break;
            }
        }
    }
    if (!m_ignored.count(entry.code) || entry.message == WM_COMMAND)
        m_log.push_back(std::move(entry));
}

::testing::AssertionResult ControlRecorder::Matches(const std::vector<Logged>& expected) const
{
    if (m_log == expected)
        return ::testing::AssertionSuccess();
    std::ostringstream out;
    out << "message sequence differs (** marks the rows that differ)\n";
    out << "   " << std::left << std::setw(72) << "expected" << " | actual\n";
    size_t rows = std::max(m_log.size(), expected.size());
    for (size_t row = 0; row < rows; ++row) {
        std::string want = row < expected.size() ? Describe(expected[row]) : "-";
        std::string got = row < m_log.size() ? Describe(m_log[row]) : "-";
        out << (want == got ? "   " : "** ") << std::left << std::setw(72) << want << " | " << got << "\n";
    }
    return ::testing::AssertionFailure() << out.str();
}

}  // namespace win::testing
