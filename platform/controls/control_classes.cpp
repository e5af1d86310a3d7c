#include "controls/control_classes.h"

#include "controls/basic/button_control.h"
#include "controls/basic/edit_control.h"
#include "controls/basic/static_control.h"
#include "controls/combo_box/combo_box.h"
#include "controls/list_view/list_view.h"
#include "controls/tab_control/tab_control.h"
#include "controls/tree_view/tree_view.h"

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
