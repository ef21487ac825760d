#include "win/controls/ControlState.h"

#include "win/DebugLog.h"

#include <string>

namespace win {

DWORD ControlState::Style() const { return static_cast<DWORD>(GetWindowLongPtrW(m_self, GWL_STYLE)); }

int ControlState::ControlId() const { return GetDlgCtrlID(m_self); }

bool ControlState::Enabled() const { return IsWindowEnabled(m_self) != FALSE; }

void ControlState::NotifyCommand(UINT code) const
{
    HWND parent = GetParent(m_self);
    if (!parent)
        return;
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(ControlId()), code),
                 reinterpret_cast<LPARAM>(m_self));
}

LRESULT ControlState::NotifyParent(NMHDR& header, UINT code) const
{
    header.hwndFrom = m_self;
    header.idFrom = static_cast<UINT_PTR>(ControlId());
    header.code = code;
    HWND parent = GetParent(m_self);
    if (!parent)
        return 0;
    return SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void ControlState::LogFailure(const wchar_t* what, const wchar_t* problem) const
{
    std::wstring line = std::wstring(what) + L" (control " + std::to_wstring(ControlId()) + L"): " + problem;
    OutputDebugStringW(line.c_str());
}

void ControlState::LogBadIndex(const wchar_t* what, int index) const
{
    LogFailure(what, (L"no item " + std::to_wstring(index)).c_str());
}

}  // namespace win
