#include "win/DialogTemplate.h"

#include "win/DebugLog.h"

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace win {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<UINT, std::unique_ptr<DialogTemplate>> templates;
    // Replaced templates are kept: a dialog that is being built from one on
    // another thread must not see it freed under it. Replacing happens only
    // in tests and at start-up, so this stays small.
    std::vector<std::unique_ptr<DialogTemplate>> retired;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

void LogRejected(UINT id, const std::wstring& reason)
{
    std::wstring text = L"RegisterDialogTemplate: template " + std::to_wstring(id) + L" rejected: " + reason;
    OutputDebugStringW(text.c_str());
}

// Windows' MulDiv: the product in 64 bits, rounded half away from zero.
int MulDivRounded(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

bool RegisterDialogTemplate(DialogTemplate dialogTemplate)
{
    const UINT id = dialogTemplate.id;
    if (dialogTemplate.cx < 0 || dialogTemplate.cy < 0) {
        LogRejected(id, L"negative dialog size");
        return false;
    }
    std::set<int> ids;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        if (control.cx < 0 || control.cy < 0) {
            LogRejected(id, L"negative size of control " + std::to_wstring(control.id));
            return false;
        }
        if (control.id != -1 && !ids.insert(control.id).second) {
            LogRejected(id, L"duplicate control id " + std::to_wstring(control.id));
            return false;
        }
    }

    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    std::unique_ptr<DialogTemplate>& slot = registry.templates[id];
    if (slot)
        registry.retired.push_back(std::move(slot));
    slot = std::make_unique<DialogTemplate>(std::move(dialogTemplate));
    return true;
}

const DialogTemplate* FindDialogTemplate(UINT id)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto found = registry.templates.find(id);
    return found == registry.templates.end() ? nullptr : found->second.get();
}

std::vector<UINT> RegisteredDialogTemplateIds()
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    std::vector<UINT> ids;
    for (const auto& entry : registry.templates)
        ids.push_back(entry.first);
    return ids;
}

DialogBaseUnits BaseUnitsForFont(int pointSize)
{
    constexpr int kReferencePoints = 9;
    DialogBaseUnits units;
    if (pointSize <= 0)
        return units;
    units.x = MulDivRounded(units.x, pointSize, kReferencePoints);
    units.y = MulDivRounded(units.y, pointSize, kReferencePoints);
    return units;
}

// Position and size convert separately, as Windows does when it creates a
// dialog and its controls, so that a control's pixel size does not depend on
// where it sits.
RECT DialogUnitsToPixels(const DialogBaseUnits& units, int x, int y, int cx, int cy)
{
    RECT rect;
    rect.left = MulDivRounded(x, units.x, 4);
    rect.top = MulDivRounded(y, units.y, 8);
    rect.right = rect.left + MulDivRounded(cx, units.x, 4);
    rect.bottom = rect.top + MulDivRounded(cy, units.y, 8);
    return rect;
}

}  // namespace win
