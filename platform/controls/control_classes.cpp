#include "controls/control_classes.h"

namespace platform::controls {

void RegisterSystemControlClasses() {}

void RegisterCommonControlClasses() {}

}  // namespace platform::controls
