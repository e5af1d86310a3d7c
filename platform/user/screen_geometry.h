// The handheld's screen as the window manager lays it out: 240 x 320 pixels, with the
// navigation bar over the top 26. Windows made with CW_USEDEFAULT fill the work area.
#pragma once

#include <windows.h>

namespace platform::user {

inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 320;
inline constexpr int kNavigationBarHeight = 26;
inline constexpr RECT kScreenRect{0, 0, kScreenWidth, kScreenHeight};
inline constexpr RECT kWorkArea{0, kNavigationBarHeight, kScreenWidth, kScreenHeight};

}  // namespace platform::user
