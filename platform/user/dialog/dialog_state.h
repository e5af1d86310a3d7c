// What the dialog manager keeps for one dialog beside its window: the font the template
// asked for, the base units measured from it, the default push button, the control to
// give the focus back to, and, for a modal dialog, its result.
#pragma once

#include <windows.h>

#include <atomic>

#include "user/dialog/dialog_units.h"

namespace platform::user {

struct DialogState {
    // Made from the template's font and deleted with the dialog; null means the system font.
    HFONT font = nullptr;
    DialogBaseUnits baseUnits;
    // The id DM_GETDEFID reports: DM_SETDEFID's, or the first default push button made.
    int defaultId = 0;
    // The control that had the focus when the dialog last lost it.
    HWND savedFocus = nullptr;
    // The owner a modal dialog disabled, until EndDialog or destruction enables it again.
    HWND disabledOwner = nullptr;
    // EndDialog may come from another thread than the modal loop's.
    std::atomic<bool> ended = false;
    std::atomic<INT_PTR> result = 0;
};

}  // namespace platform::user
