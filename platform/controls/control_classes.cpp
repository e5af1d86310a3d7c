#include "controls/control_classes.h"

#include "controls/tab_control.h"

namespace platform::controls {

void RegisterSystemControlClasses() {}

void RegisterCommonControlClasses() {
    RegisterTabControlClass();
}

}  // namespace platform::controls
