// Messages the shell's own window classes send each other. They are private to those
// classes, so they sit in WM_USER's range of class-defined messages.
#pragma once

#include <windows.h>

namespace platform::shell {

// To the navigation bar and each menu bar: the active window or its title changed.
inline constexpr UINT kFollowActiveWindowMessage = WM_USER + 1;
// To the input panel, posted by SIP_DOWN: lower the panel unless SIP_UP came since.
// wParam is the request count it was posted at.
inline constexpr UINT kLowerInputPanelMessage = WM_USER + 2;
// To the input panel: SHSipPreference's request (SIP_UP, SIP_DOWN, SIP_FORCEDOWN) in wParam.
inline constexpr UINT kSipRequestMessage = WM_USER + 3;

}  // namespace platform::shell
