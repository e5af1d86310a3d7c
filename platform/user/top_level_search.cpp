#include "user/top_level_search.h"

#include "user/window_manager.h"

namespace platform::user {

HWND FindTopLevelWindow(const std::shared_ptr<WindowClass>& windowClass,
                        const std::optional<std::u16string>& title) {
    for (const auto& topLevel : WindowManager::Instance().Desktop().children) {
        const bool classMatches = !windowClass || topLevel->windowClass == windowClass;
        const bool titleMatches = !title || EqualNoCase(topLevel->text, *title);
        if (classMatches && titleMatches && !topLevel->destroying) {
            return topLevel->handle;
        }
    }
    return nullptr;
}

}  // namespace platform::user
