// Starting the shell on the device: the navigation bar and the (lowered) input panel,
// made on the calling thread, whose message loop then runs them. Menu bars come later,
// from the program's SHCreateMenuBar.
#pragma once

namespace platform::shell {

// Makes the shell's windows once; true when they exist. Calls after the first do nothing.
bool StartShell();

// Lets the shell's windows follow the active window and its title. StartShell and
// SHCreateMenuBar call it; later calls do nothing.
void FollowActivation();

}  // namespace platform::shell
