#include "shell/shell_start.h"

#include <windows.h>

#include <mutex>

#include "shell/input_panel.h"
#include "shell/navigation_bar.h"
#include "shell/shell_windows.h"
#include "user/shell_hook.h"

namespace platform::shell {

void FollowActivation() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        user::SetShellObserver([](user::ShellEvent event, HWND window) {
            // A title matters only while its window is the active one.
            if (event == user::ShellEvent::ActiveWindowChanged || window == GetActiveWindow()) {
                ShellWindows::Instance().TellFollowers();
            }
        });
    });
}

bool StartShell() {
    auto& shell = ShellWindows::Instance();
    if (IsWindow(shell.NavigationBar())) {
        return true;
    }
    FollowActivation();
    HWND navigationBar = NavigationBar::Create();
    HWND inputPanel = navigationBar ? InputPanel::Create() : nullptr;
    if (!inputPanel) {
        if (navigationBar) {
            DestroyWindow(navigationBar);
        }
        return false;
    }
    shell.SetNavigationBar(navigationBar);
    shell.SetInputPanel(inputPanel);
    shell.TellFollowers();
    return true;
}

}  // namespace platform::shell
