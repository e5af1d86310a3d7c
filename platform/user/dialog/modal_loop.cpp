#include "user/dialog/modal_loop.h"

namespace platform::user {

bool NextModalMessage(MSG& msg) {
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    return true;
}

}  // namespace platform::user
