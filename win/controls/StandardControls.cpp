#include "win/controls/StandardControls.h"

#include "win/Window.h"
#include "win/controls/Button.h"
#include "win/controls/Edit.h"
#include "win/controls/ListBox.h"
#include "win/controls/ListView.h"
#include "win/controls/Static.h"
#include "win/controls/TabControl.h"

#include <mutex>

namespace win {

void RegisterStandardControls()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterWindowClass(Button::Class());
        RegisterWindowClass(Static::Class());
        RegisterWindowClass(Edit::Class());
        RegisterWindowClass(ListBox::Class());
        RegisterWindowClass(TabControl::Class());
        RegisterWindowClass(ListView::Class());
    });
}

}  // namespace win
