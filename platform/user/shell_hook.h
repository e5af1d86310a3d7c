// How the shell hears about the window manager: the active window changing and a
// top-level window's title changing (the navigation bar shows both). One observer at a
// time; it is called on the thread that made the change, without the lock, so it must
// only post (it cannot know which thread it runs on).
#pragma once

#include <windows.h>

#include <functional>

namespace platform::user {

enum class ShellEvent { ActiveWindowChanged, TitleChanged };

using ShellObserver = std::function<void(ShellEvent event, HWND window)>;

// Replaces the observer; an empty one stops the notifications.
void SetShellObserver(ShellObserver observer);
// Called by the window manager. Needs no lock held.
void NotifyShell(ShellEvent event, HWND window);

}  // namespace platform::user
