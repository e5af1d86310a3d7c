#include "user/window_manager.h"

#include "user/screen_geometry.h"

namespace platform::user {

WindowManager& WindowManager::Instance() {
    // Never destroyed: threads may still post during static destruction at exit.
    static WindowManager* instance = new WindowManager();
    return *instance;
}

WindowManager::WindowManager() : desktop_(std::make_shared<Window>()) {
    desktop_->style = WS_VISIBLE | WS_CLIPCHILDREN;
    desktop_->rect = kScreenRect;
    Insert(desktop_);
}

std::shared_ptr<Window> WindowManager::Find(HWND handle) const {
    const std::shared_ptr<Window>* window = windows_.Find(handle);
    return window && !(*window)->destroyed ? *window : nullptr;
}

HWND WindowManager::Insert(std::shared_ptr<Window> window) {
    auto* raw = window.get();
    raw->handle = windows_.Add(std::move(window));
    return raw->handle;
}

void WindowManager::Erase(HWND handle) {
    windows_.Remove(handle);
}

std::shared_ptr<Window> FindOrFail(HWND handle) {
    auto window = WindowManager::Instance().Find(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    }
    return window;
}

}  // namespace platform::user
