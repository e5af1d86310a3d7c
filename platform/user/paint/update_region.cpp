#include "user/paint/update_region.h"

#include "user/window_manager.h"
#include "user/window_tree.h"

namespace platform::user {

namespace {

bool IsShownAmongSiblings(const Window& window) {
    return (window.style & WS_VISIBLE) && !(window.style & WS_MINIMIZE);
}

void WakeOwner(const Window& window) {
    if (window.queue) {
        window.queue->wake.notify_all();
    }
}

// Offset from a window's client coordinates to its child's.
POINT ChildOffset(const Window& parent, const Window& child) {
    const POINT parentOrigin = ClientOrigin(parent);
    const POINT childOrigin = ClientOrigin(child);
    return POINT{parentOrigin.x - childOrigin.x, parentOrigin.y - childOrigin.y};
}

void InvalidateExposedIn(Window& window, const RECT& screenArea, const Window* gone) {
    if (&window == gone || !IsShown(window)) {
        return;
    }
    Region exposed = VisibleRegion(window, true);
    exposed.IntersectWith(screenArea);
    if (!exposed.IsEmpty()) {
        const POINT origin = ClientOrigin(window);
        exposed.Offset(-origin.x, -origin.y);
        window.update.Add(exposed);
        window.eraseNeeded = true;
        WakeOwner(window);
    }
    if (BorderWidth(window) > 0 &&
        !IsEmptyRect(IntersectionOf(WindowScreenRect(window), screenArea))) {
        window.frameNeedsPaint = true;
        WakeOwner(window);
    }
    for (const auto& child : window.children) {
        InvalidateExposedIn(*child, screenArea, gone);
    }
}

}  // namespace

Region VisibleRegion(const Window& window, bool clientArea) {
    if (!IsShown(window)) {
        return Region{};
    }
    Region visible(clientArea ? ClientScreenRect(window) : WindowScreenRect(window));
    const Window* child = &window;
    for (const Window* parent = window.parent; parent; child = parent, parent = parent->parent) {
        visible.IntersectWith(ClientScreenRect(*parent));
        if (child->style & WS_CLIPSIBLINGS) {
            for (const auto& sibling : parent->children) {
                if (sibling.get() == child) {
                    break;
                }
                if (IsShownAmongSiblings(*sibling)) {
                    visible.Subtract(WindowScreenRect(*sibling));
                }
            }
        }
    }
    if (clientArea && (window.style & WS_CLIPCHILDREN)) {
        for (const auto& own : window.children) {
            if (IsShownAmongSiblings(*own)) {
                visible.Subtract(WindowScreenRect(*own));
            }
        }
    }
    return visible;
}

void InvalidateClientArea(Window& window, const Region& area, bool erase) {
    Region clipped = area;
    clipped.IntersectWith(ClientRect(window));
    if (clipped.IsEmpty()) {
        return;
    }
    window.update.Add(clipped);
    window.eraseNeeded = window.eraseNeeded || erase;
    WakeOwner(window);
    if (window.style & WS_CLIPCHILDREN) {
        return;
    }
    for (const auto& child : window.children) {
        Region childArea = clipped;
        const POINT offset = ChildOffset(window, *child);
        childArea.Offset(offset.x, offset.y);
        InvalidateClientArea(*child, childArea, erase);
    }
}

void InvalidateWindowAndDescendants(Window& window) {
    window.update = Region(ClientRect(window));
    window.eraseNeeded = true;
    window.frameNeedsPaint = BorderWidth(window) > 0;
    WakeOwner(window);
    for (const auto& child : window.children) {
        InvalidateWindowAndDescendants(*child);
    }
}

void InvalidateExposedArea(const RECT& screenArea, const Window* gone) {
    for (const auto& topLevel : WindowManager::Instance().Desktop().children) {
        InvalidateExposedIn(*topLevel, screenArea, gone);
    }
}

void ValidateClientArea(Window& window, const RECT* area) {
    if (area) {
        window.update.Subtract(*area);
    } else {
        window.update.Clear();
    }
    if (window.update.IsEmpty()) {
        window.eraseNeeded = false;
    }
}

bool NeedsPaint(const Window& window) {
    return !window.update.IsEmpty() || window.frameNeedsPaint;
}

namespace {

Window* FindPaintTargetUnder(const Window& parent, const MessageQueue& queue,
                             const MessageFilter& filter) {
    for (const auto& child : parent.children) {
        if (!IsShownAmongSiblings(*child)) {
            continue;
        }
        if (child->queue.get() == &queue && NeedsPaint(*child) &&
            filter.Matches(child->handle, WM_PAINT)) {
            return child.get();
        }
        if (Window* found = FindPaintTargetUnder(*child, queue, filter)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

Window* FindPaintTarget(const MessageQueue& queue, const MessageFilter& filter) {
    return FindPaintTargetUnder(WindowManager::Instance().Desktop(), queue, filter);
}

}  // namespace platform::user
