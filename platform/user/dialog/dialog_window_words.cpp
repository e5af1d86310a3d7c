#include "user/dialog/dialog_window_words.h"

#include <cstring>

#include "user/window_manager.h"

namespace platform::user {

namespace {

std::uint8_t* WordAt(Window& window, int offset) {
    if (offset < 0 ||
        static_cast<std::size_t>(offset) + sizeof(LONG_PTR) > window.extraBytes.size()) {
        return nullptr;
    }
    return window.extraBytes.data() + offset;
}

}  // namespace

LONG_PTR ReadDialogWord(HWND dialog, int offset) {
    auto lock = WindowManager::Instance().Lock();
    LONG_PTR value = 0;
    if (const auto window = WindowManager::Instance().Find(dialog)) {
        if (const auto* bytes = WordAt(*window, offset)) {
            std::memcpy(&value, bytes, sizeof(value));
        }
    }
    return value;
}

void WriteDialogWord(HWND dialog, int offset, LONG_PTR value) {
    auto lock = WindowManager::Instance().Lock();
    if (const auto window = WindowManager::Instance().Find(dialog)) {
        if (auto* bytes = WordAt(*window, offset)) {
            std::memcpy(bytes, &value, sizeof(value));
        }
    }
}

}  // namespace platform::user
