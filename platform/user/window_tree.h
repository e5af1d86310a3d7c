// Geometry and relations of windows in the tree. All of these need the window manager's
// lock.
//
// The non-client area is deliberately small: a window with WS_BORDER (but not the full
// WS_CAPTION, whose title the navigation bar shows instead) or WS_EX_CLIENTEDGE has a
// one-pixel border; every other window's client area is its whole rectangle.
#pragma once

#include <windows.h>

#include <memory>

#include "user/window.h"

namespace platform::user {

int BorderWidth(const Window& window);
// The client area in client coordinates: (0, 0, width, height).
RECT ClientRect(const Window& window);
// Screen coordinates of the client area's top-left corner.
POINT ClientOrigin(const Window& window);
RECT WindowScreenRect(const Window& window);
RECT ClientScreenRect(const Window& window);

bool IsTopLevel(const Window& window);
// Visible on the screen: it and every ancestor have WS_VISIBLE and none is minimised.
bool IsShown(const Window& window);
bool IsAncestorOf(const Window& ancestor, const Window& window);
Window& TopLevelOf(Window& window);

void LinkChild(Window& parent, std::shared_ptr<Window> child, bool atTop);
void UnlinkFromParent(Window& window);
// Moves a window within its siblings: to the top, the bottom, or just below `after`.
void PlaceInZOrder(Window& window, HWND after);

// The deepest shown window under a screen point, entering only enabled children; null
// when the point is on no window or on a disabled top-level window.
Window* WindowAtPoint(POINT screen);

}  // namespace platform::user
