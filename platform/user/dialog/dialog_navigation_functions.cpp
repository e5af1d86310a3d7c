// GetNextDlgTabItem and GetNextDlgGroupItem: the order Tab and the arrow keys move in.
// Controls are taken in creation order (their z-order); only shown, enabled ones count,
// by their own style, so a dialog not yet shown can pick its first control.
#include <windows.h>
#include <winuser.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// Empty for a window without children and for a handle that is no window.
std::vector<HWND> ControlsOf(HWND dialog) {
    std::vector<HWND> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        controls.push_back(child);
    }
    return controls;
}

DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
}

bool CanTakeFocus(HWND control) {
    return (StyleOf(control) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

// From `start`, steps through [first, last) one way round, wrapping, and returns the first
// control that `accept` takes; `start` itself comes last.
template <typename Accept>
HWND Step(const std::vector<HWND>& controls, std::size_t first, std::size_t last, std::size_t start,
          bool backwards, Accept accept) {
    const std::size_t count = last - first;
    for (std::size_t step = 1; step <= count; ++step) {
        const std::size_t offset =
            backwards ? (start - first + count - step) % count : (start - first + step) % count;
        const HWND control = controls[first + offset];
        if (accept(control)) {
            return control;
        }
    }
    return nullptr;
}

// The control's index, or nothing when it is not a control of the dialog.
std::optional<std::size_t> IndexOf(const std::vector<HWND>& controls, HWND control) {
    const auto found = std::find(controls.begin(), controls.end(), control);
    if (!control || found == controls.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - controls.begin());
}

}  // namespace

extern "C" HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    const auto controls = ControlsOf(hDlg);
    if (controls.empty()) {
        return nullptr;
    }
    // Without a starting control, Tab starts before the first one and Shift+Tab after the
    // last one.
    const auto index = IndexOf(controls, hCtl);
    const std::size_t start = index ? *index : (bPrevious ? 0 : controls.size() - 1);
    const HWND next = Step(controls, 0, controls.size(), start, bPrevious, [](HWND control) {
        return (StyleOf(control) & WS_TABSTOP) && CanTakeFocus(control);
    });
    return next ? next : hCtl;
}

extern "C" HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    const auto controls = ControlsOf(hDlg);
    if (controls.empty()) {
        return nullptr;
    }
    const std::size_t start = IndexOf(controls, hCtl).value_or(0);
    // A group runs from a control with WS_GROUP up to the next one.
    std::size_t first = start;
    while (first > 0 && !(StyleOf(controls[first]) & WS_GROUP)) {
        --first;
    }
    std::size_t last = start + 1;
    while (last < controls.size() && !(StyleOf(controls[last]) & WS_GROUP)) {
        ++last;
    }
    const HWND next = Step(controls, first, last, start, bPrevious, CanTakeFocus);
    return next ? next : hCtl;
}
