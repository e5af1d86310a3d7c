#include "shell/shell_windows.h"

#include <algorithm>

#include "shell/shell_messages.h"

namespace platform::shell {

ShellWindows& ShellWindows::Instance() {
    static ShellWindows instance;
    return instance;
}

void ShellWindows::SetNavigationBar(HWND bar) {
    std::scoped_lock lock(mutex_);
    navigationBar_ = bar;
}

HWND ShellWindows::NavigationBar() {
    std::scoped_lock lock(mutex_);
    return navigationBar_;
}

void ShellWindows::SetInputPanel(HWND panel) {
    std::scoped_lock lock(mutex_);
    inputPanel_ = panel;
}

HWND ShellWindows::InputPanel() {
    std::scoped_lock lock(mutex_);
    return inputPanel_;
}

void ShellWindows::AddFollower(HWND window) {
    std::scoped_lock lock(mutex_);
    followers_.push_back(window);
}

void ShellWindows::RemoveFollower(HWND window) {
    std::scoped_lock lock(mutex_);
    std::erase(followers_, window);
}

void ShellWindows::TellFollowers() {
    std::vector<HWND> followers;
    {
        std::scoped_lock lock(mutex_);
        followers = followers_;
    }
    for (HWND follower : followers) {
        PostMessageW(follower, kFollowActiveWindowMessage, 0, 0);
    }
}

bool ShellWindows::IsShellWindow(HWND window) {
    std::scoped_lock lock(mutex_);
    return window == navigationBar_ || window == inputPanel_ ||
           std::ranges::find(followers_, window) != followers_.end();
}

void ShellWindows::AskForDoneButton(HWND dialog) {
    std::scoped_lock lock(mutex_);
    std::erase_if(doneButtonDialogs_, [](HWND gone) { return !IsWindow(gone); });
    doneButtonDialogs_.insert(dialog);
}

bool ShellWindows::AskedForDoneButton(HWND dialog) {
    std::scoped_lock lock(mutex_);
    return doneButtonDialogs_.contains(dialog);
}

}  // namespace platform::shell
