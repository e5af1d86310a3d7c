#include "user/dialog/dialog_registry.h"

namespace platform::user {

DialogRegistry& DialogRegistry::Instance() {
    static DialogRegistry registry;
    return registry;
}

void DialogRegistry::Add(HWND dialog, std::shared_ptr<DialogState> state) {
    std::scoped_lock lock{mutex_};
    dialogs_[dialog] = std::move(state);
}

std::shared_ptr<DialogState> DialogRegistry::Find(HWND dialog) {
    std::scoped_lock lock{mutex_};
    const auto found = dialogs_.find(dialog);
    return found == dialogs_.end() ? nullptr : found->second;
}

std::shared_ptr<DialogState> DialogRegistry::Remove(HWND dialog) {
    std::scoped_lock lock{mutex_};
    const auto found = dialogs_.find(dialog);
    if (found == dialogs_.end()) {
        return nullptr;
    }
    auto state = std::move(found->second);
    dialogs_.erase(found);
    return state;
}

}  // namespace platform::user
