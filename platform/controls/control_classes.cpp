#include "controls/control_classes.h"

#include "controls/button_control.h"
#include "controls/list_view.h"
#include "controls/static_control.h"
#include "controls/tab_control.h"

namespace platform::controls {

void RegisterSystemControlClasses() {
    RegisterStaticClass();
    RegisterButtonClass();
}

void RegisterCommonControlClasses() {
    RegisterListViewClass();
    RegisterTabControlClass();
}

}  // namespace platform::controls
