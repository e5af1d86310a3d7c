// Registration of the control window classes.
#pragma once

namespace platform::controls {

// The classes every program can use without asking, as the system registers them at
// start: static, button, edit and combo box. Registering twice is harmless.
void RegisterSystemControlClasses();

// The common controls (list view, tree view, tab control), registered when a program
// calls InitCommonControlsEx. Registering twice is harmless.
void RegisterCommonControlClasses();

}  // namespace platform::controls
