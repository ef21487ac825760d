#include "win/controls/StandardControls.h"

#include "win/Window.h"

#include <mutex>

namespace win {

void RegisterStandardControls()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Filled in as the control classes land.
    });
}

}  // namespace win
