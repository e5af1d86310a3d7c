// Invalid areas and where WM_PAINT goes. All of these need the window manager's lock and
// wake the owning thread, whose queue then makes the WM_PAINT.
#pragma once

#include <windows.h>

#include "user/messages/message_filter.h"
#include "user/messages/message_queue.h"
#include "user/paint/region.h"
#include "user/window.h"

namespace platform::user {

// Adds `area` (client coordinates) to the window's update region. As on Windows, the
// children under it are invalidated too unless the window clips its children.
void InvalidateClientArea(Window& window, const Region& area, bool erase);
// The whole window, its border and every descendant: what appearing on the screen needs.
void InvalidateWindowAndDescendants(Window& window);
// Every shown window that can now be seen in `screenArea` (a window was hidden, moved or
// shrunk away from it), except `gone` and its descendants.
void InvalidateExposedArea(const RECT& screenArea, const Window* gone);
// Removes `area` (client coordinates, or the whole client area when null) from the
// update region.
void ValidateClientArea(Window& window, const RECT* area);

bool NeedsPaint(const Window& window);
// The first shown window of the queue's thread that needs painting, parents before their
// children, topmost first.
Window* FindPaintTarget(const MessageQueue& queue, const MessageFilter& filter);

// Where a window can draw, in screen coordinates: its client area (or whole rectangle)
// clipped by its ancestors, by siblings above it that clip (top-level windows always do),
// and by its children when it has WS_CLIPCHILDREN.
Region VisibleRegion(const Window& window, bool clientArea);

}  // namespace platform::user
