// What the shell keeps track of: its own windows, the menu bars that follow activation,
// and the dialogs that asked for the navigation bar's "ok" button. Callable from any
// thread.
#pragma once

#include <windows.h>

#include <mutex>
#include <set>
#include <vector>

namespace platform::shell {

class ShellWindows {
  public:
    static ShellWindows& Instance();

    void SetNavigationBar(HWND bar);
    HWND NavigationBar();
    void SetInputPanel(HWND panel);
    HWND InputPanel();

    // Windows told with kFollowActiveWindowMessage whenever the active window changes.
    void AddFollower(HWND window);
    void RemoveFollower(HWND window);
    // Posts kFollowActiveWindowMessage to every follower.
    void TellFollowers();
    // One of the shell's own windows, which never counts as the program's active window.
    bool IsShellWindow(HWND window);

    void AskForDoneButton(HWND dialog);
    bool AskedForDoneButton(HWND dialog);

  private:
    ShellWindows() = default;

    std::mutex mutex_;
    HWND navigationBar_ = nullptr;
    HWND inputPanel_ = nullptr;
    std::vector<HWND> followers_;
    // Handles are never reused, so a destroyed dialog's entry cannot match another
    // window; entries of windows that are gone are dropped as new ones come.
    std::set<HWND> doneButtonDialogs_;
};

}  // namespace platform::shell
