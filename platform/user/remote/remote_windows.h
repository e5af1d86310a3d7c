// Handles that stand for the top-level windows of this user's other processes, as
// FindWindowW hands them out. They come from a generation-checked table of their own
// whose tag no window of this process carries, so a call that takes a window of this
// process never finds one and fails with ERROR_INVALID_WINDOW_HANDLE; SetForegroundWindow
// is the one call that acts on them. Like window handles they keep their low bit free
// for SetForegroundWindow's "owned pop-up first" tag.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>

#include "kernel/objects/handle_table.h"
#include "user/remote/process_directory.h"

namespace platform::user {

class RemoteWindows {
  public:
    static RemoteWindows& Instance();

    // Asks the other processes in turn, lowest process id first, and returns a handle
    // for the first window that matches, or null. A class or title too long to send
    // finds nothing.
    HWND Find(const std::optional<std::u16string>& className,
              const std::optional<std::u16string>& title);
    bool Holds(HWND handle);
    // Asks the owning process to bring the window (or its owned pop-up first) forward.
    // FALSE with ERROR_INVALID_WINDOW_HANDLE once the window or its process has gone,
    // which also retires the handle; FALSE with ERROR_TIMEOUT when it did not answer.
    BOOL BringForward(HWND handle, bool ownedPopupFirst);

  private:
    struct Entry {
        PeerProcess peer;
        std::uint64_t instance = 0;
        std::uint64_t window = 0;
    };
    using Identity = std::tuple<pid_t, std::uint64_t, std::uint64_t>;

    RemoteWindows() = default;
    HWND HandleFor(const Entry& entry);
    void Retire(HWND handle);

    std::mutex mutex_;
    kernel::HandleTable<Entry, HWND> table_{0x57};
    // One handle per window, however often it is found.
    std::map<Identity, HWND> handles_;
};

}  // namespace platform::user
