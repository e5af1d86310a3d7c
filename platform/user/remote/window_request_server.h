// Makes this process's top-level windows reachable by the user's other processes: a
// thread of its own listens on the process's socket in the process directory and answers
// one request per connection. Asking for a window to come forward is handed to the
// window's own thread, which activates it (or its enabled owned pop-up) as a local
// SetForegroundWindow would, then asks the display to raise its desktop window.
#pragma once

namespace platform::user {

// Starts listening the first time; later calls do nothing. Without a private runtime
// directory the windows stay unreachable, which costs this process nothing else.
void PublishWindowsToOtherProcesses();

}  // namespace platform::user
