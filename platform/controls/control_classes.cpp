#include "controls/control_classes.h"

#include "controls/button_control.h"
#include "controls/combo_box.h"
#include "controls/edit_control.h"
#include "controls/list_view.h"
#include "controls/static_control.h"
#include "controls/tab_control.h"
#include "controls/tree_view.h"

namespace platform::controls {

void RegisterSystemControlClasses() {
    RegisterStaticClass();
    RegisterButtonClass();
    RegisterEditClass();
    RegisterComboBoxClass();
}

void RegisterCommonControlClasses() {
    RegisterListViewClass();
    RegisterTabControlClass();
    RegisterTreeViewClass();
}

}  // namespace platform::controls
