#include "user/messages/message_filter.h"

#include "user/window_manager.h"
#include "user/window_tree.h"

namespace platform::user {

bool MessageFilter::Matches(HWND target, UINT message) const {
    if (!AcceptsMessage(message) && message != WM_QUIT) {
        return false;
    }
    if (window == nullptr) {
        return true;
    }
    if (window == reinterpret_cast<HWND>(-1)) {
        return target == nullptr;
    }
    if (target == window) {
        return true;
    }
    auto& manager = WindowManager::Instance();
    const auto filterWindow = manager.Find(window);
    const auto targetWindow = manager.Find(target);
    return filterWindow && targetWindow && IsAncestorOf(*filterWindow, *targetWindow);
}

}  // namespace platform::user
