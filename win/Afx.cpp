// Runtime class information and message-map dispatch.
#include "win/Afx.h"

#include "win/DebugLog.h"
#include "win/Wnd.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* runtimeClass = this; runtimeClass; runtimeClass = runtimeClass->m_pBaseClass)
        if (runtimeClass == base)
            return true;
    return false;
}

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), nullptr, nullptr};
CRuntimeClass* CObject::GetThisClass() { return &classCObject; }
CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

bool CObject::IsKindOf(const CRuntimeClass* runtimeClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

// Messages that a class's map chain has no entry for, remembered per thread
// (the maps are constant tables): most messages a control is sent, and most
// notifications a page gets, have no handler, and a list filled row by row
// would otherwise walk the same maps for each of them.
struct Unhandled {
    const AFX_MSGMAP* map = nullptr;
    UINT message = 0;
    UINT code = 0;
    UINT id = 0;
};
constexpr std::size_t kUnhandledSlots = 256;
thread_local std::array<Unhandled, kUnhandledSlots> unhandled;

Unhandled& UnhandledSlot(const AFX_MSGMAP* map, UINT message, UINT code, UINT id)
{
    std::size_t hash = reinterpret_cast<std::uintptr_t>(map) >> 4;
    hash = hash * 31 + message;
    hash = hash * 31 + code;
    hash = hash * 31 + id;
    return unhandled[hash % kUnhandledSlots];
}

}  // namespace

bool CCmdTarget::DispatchFromMap(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    bool byControl = message == WM_COMMAND || message == WM_NOTIFY;
    if (!byControl)
        code = id = 0;  // only control messages are told apart by code and id
    const AFX_MSGMAP* first = GetMessageMap();
    Unhandled& slot = UnhandledSlot(first, message, code, id);
    if (slot.map == first && slot.message == message && slot.code == code && slot.id == id)
        return false;
    bool anyEntry = false;
    for (const AFX_MSGMAP* map = first; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn; ++entry) {
            if (entry->nMessage != message)
                continue;
            if (byControl && (entry->nCode != code || id < entry->nID || id > entry->nLastID))
                continue;
            anyEntry = true;
            try {
                if (entry->pfn(this, wParam, lParam, result))
                    return true;
            } catch (const std::exception& failure) {
                AfxLogHandlerException(GetRuntimeClass()->m_lpszClassName, failure.what());
                *result = 0;
                return true;
            } catch (...) {
                AfxLogHandlerException(GetRuntimeClass()->m_lpszClassName, "unknown exception");
                *result = 0;
                return true;
            }
        }
    }
    if (!anyEntry)
        slot = {first, message, code, id};
    return false;
}

bool AfxCallCtlColor(CCmdTarget* target, WPARAM wParam, LPARAM lParam, UINT ctlType, LRESULT* result,
                     AfxCtlColorCall call)
{
    CDC dc;
    CWnd* control = CWnd::FromHandle(reinterpret_cast<HWND>(lParam));
    HBRUSH brush = call(target, &dc, control, ctlType);
    *result = reinterpret_cast<LRESULT>(brush);
    return true;
}

void AfxLogHandlerException(const char* where, const char* what)
{
    std::string line = std::string("handler of ") + (where ? where : "?") + " threw: " + (what ? what : "?");
    OutputDebugStringA(line.c_str());
}
