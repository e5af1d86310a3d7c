#include "user/dialog/dialog_class.h"

#include <winuser.h>

#include <mutex>

namespace platform::user {

LPCWSTR DialogClassName() {
    static constexpr const char16_t* kName = u"#32770";
    static std::once_flag registered;
    std::call_once(registered, [] {
        WNDCLASSW description{};
        description.style = CS_DBLCLKS;
        description.lpfnWndProc = DefDlgProcW;
        description.cbWndExtra = DLGWINDOWEXTRA;
        description.lpszClassName = kName;
        RegisterClassW(&description);
    });
    return kName;
}

}  // namespace platform::user
