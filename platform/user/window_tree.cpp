#include "user/window_tree.h"

#include <algorithm>

#include "user/window_manager.h"

namespace platform::user {

int BorderWidth(const Window& window) {
    const bool border = (window.style & WS_CAPTION) == WS_BORDER;
    return (border || (window.exStyle & WS_EX_CLIENTEDGE)) ? 1 : 0;
}

RECT ClientRect(const Window& window) {
    const int border = BorderWidth(window);
    const LONG width = std::max<LONG>(0, window.rect.right - window.rect.left - 2 * border);
    const LONG height = std::max<LONG>(0, window.rect.bottom - window.rect.top - 2 * border);
    return RECT{0, 0, width, height};
}

POINT ClientOrigin(const Window& window) {
    POINT origin{window.rect.left + BorderWidth(window), window.rect.top + BorderWidth(window)};
    if (window.parent) {
        const POINT parentOrigin = ClientOrigin(*window.parent);
        origin.x += parentOrigin.x;
        origin.y += parentOrigin.y;
    }
    return origin;
}

RECT WindowScreenRect(const Window& window) {
    POINT parentOrigin{};
    if (window.parent) {
        parentOrigin = ClientOrigin(*window.parent);
    }
    return RECT{window.rect.left + parentOrigin.x, window.rect.top + parentOrigin.y,
                window.rect.right + parentOrigin.x, window.rect.bottom + parentOrigin.y};
}

RECT ClientScreenRect(const Window& window) {
    const POINT origin = ClientOrigin(window);
    const RECT client = ClientRect(window);
    return RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

bool IsTopLevel(const Window& window) {
    return window.parent == &WindowManager::Instance().Desktop();
}

bool IsShown(const Window& window) {
    for (const Window* w = &window; w; w = w->parent) {
        if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) {
            return false;
        }
    }
    return true;
}

bool IsAncestorOf(const Window& ancestor, const Window& window) {
    for (const Window* w = window.parent; w; w = w->parent) {
        if (w == &ancestor) {
            return true;
        }
    }
    return false;
}

Window& TopLevelOf(Window& window) {
    Window* w = &window;
    while (w->parent && !IsTopLevel(*w)) {
        w = w->parent;
    }
    return *w;
}

namespace {

// How many of the siblings at the top of the z-order are WS_EX_TOPMOST, leaving out
// `window` itself: a window without that style goes no higher than just below them (the
// shell's bars stay in front of the program's windows).
std::ptrdiff_t TopmostCountAbove(const std::vector<std::shared_ptr<Window>>& siblings,
                                 const Window& window) {
    std::ptrdiff_t count = 0;
    for (const auto& sibling : siblings) {
        if (sibling.get() != &window) {
            if (!(sibling->exStyle & WS_EX_TOPMOST)) {
                break;
            }
            ++count;
        }
    }
    return count;
}

}  // namespace

void LinkChild(Window& parent, std::shared_ptr<Window> child, bool atTop) {
    child->parent = &parent;
    auto& children = parent.children;
    const std::ptrdiff_t top =
        child->exStyle & WS_EX_TOPMOST ? 0 : TopmostCountAbove(children, *child);
    children.push_back(std::move(child));
    if (atTop) {
        std::rotate(children.begin() + top, children.end() - 1, children.end());
    }
}

void UnlinkFromParent(Window& window) {
    if (window.parent) {
        std::erase_if(window.parent->children, [&](const auto& c) { return c.get() == &window; });
        window.parent = nullptr;
    }
}

void PlaceInZOrder(Window& window, HWND after) {
    auto& siblings = window.parent->children;
    const auto indexWhere = [&](auto predicate) {
        return std::find_if(siblings.begin(), siblings.end(), predicate) - siblings.begin();
    };
    const auto count = static_cast<std::ptrdiff_t>(siblings.size());
    const auto from = indexWhere([&](const auto& c) { return c.get() == &window; });
    if (from == count) {
        return;
    }
    std::ptrdiff_t to = 0;
    if (after == HWND_BOTTOM) {
        to = count - 1;
    } else if (after != HWND_TOP && after != HWND_TOPMOST) {
        const auto anchor = indexWhere([&](const auto& c) { return c->handle == after; });
        if (anchor != count) {
            to = anchor < from ? anchor + 1 : anchor;
        }
    }
    if (!(window.exStyle & WS_EX_TOPMOST)) {
        to = std::max(to, TopmostCountAbove(siblings, window));
    }
    const auto begin = siblings.begin();
    if (from < to) {
        std::rotate(begin + from, begin + from + 1, begin + to + 1);
    } else if (to < from) {
        std::rotate(begin + to, begin + from, begin + from + 1);
    }
}

namespace {

bool Contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

Window* DeepestEnabledChildAt(Window& parent, POINT screen) {
    if (!Contains(ClientScreenRect(parent), screen)) {
        return &parent;
    }
    for (const auto& child : parent.children) {
        const bool shown = (child->style & WS_VISIBLE) && !(child->style & WS_MINIMIZE);
        if (shown && !(child->style & WS_DISABLED) && Contains(WindowScreenRect(*child), screen)) {
            return DeepestEnabledChildAt(*child, screen);
        }
    }
    return &parent;
}

}  // namespace

Window* WindowAtPoint(POINT screen) {
    for (const auto& topLevel : WindowManager::Instance().Desktop().children) {
        const bool shown = (topLevel->style & WS_VISIBLE) && !(topLevel->style & WS_MINIMIZE);
        if (shown && Contains(WindowScreenRect(*topLevel), screen)) {
            if (topLevel->style & WS_DISABLED) {
                return nullptr;
            }
            return DeepestEnabledChildAt(*topLevel, screen);
        }
    }
    return nullptr;
}

}  // namespace platform::user
