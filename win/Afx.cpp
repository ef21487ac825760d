// Runtime class information and message-map dispatch.
#include "win/Afx.h"

#include "win/DebugLog.h"
#include "win/Wnd.h"

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

bool CCmdTarget::DispatchFromMap(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    bool byControl = message == WM_COMMAND || message == WM_NOTIFY;
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn; ++entry) {
            if (entry->nMessage != message)
                continue;
            if (byControl && (entry->nCode != code || id < entry->nID || id > entry->nLastID))
                continue;
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
