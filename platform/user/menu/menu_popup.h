// The window a pop-up menu shows in while it is tracked: its items laid out one under the
// other, the highlighted one in the selection colours, check marks at the left. The
// tracker owns this object and makes all the decisions; the window only draws what the
// object holds and reports it to the automation dump.
#pragma once

#include <windows.h>

#include <nlohmann/json.hpp>
#include <vector>

#include "user/menu/menu.h"

namespace platform::user {

class MenuPopup {
  public:
    explicit MenuPopup(Menu menu) : menu_(std::move(menu)) {}
    ~MenuPopup();
    MenuPopup(const MenuPopup&) = delete;
    MenuPopup& operator=(const MenuPopup&) = delete;

    // Makes the (hidden) window, sized for the items and placed at `at` by the TPM_
    // alignment flags, kept on the screen: a menu that does not fit below its point opens
    // above it, or above `exclude` when one is given. False when no window could be made.
    bool Create(POINT at, UINT flags, HWND owner, const RECT* exclude);
    void Show();
    HWND Window() const { return window_; }

    // The item under a point in screen coordinates; -1 outside the items.
    int ItemAt(POINT screen) const;
    bool Contains(POINT screen) const;

    int Highlight() const { return highlight_; }
    void SetHighlight(int index);
    // Moves the highlight to the next item that can be chosen, `step` 1 or -1, wrapping
    // around; stays where it is when no item can be chosen.
    void MoveHighlight(int step);
    const MenuItem* Item(int index) const;

    // Set when the window lost the stylus capture to another window: the menu must end.
    bool CaptureLost() const { return captureLost_; }

  private:
    static void RegisterClassOnce();
    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    SIZE Layout();
    void Paint(HDC dc) const;
    void PaintItem(HDC dc, int index) const;
    void Dump(nlohmann::json& content) const;

    Menu menu_;
    // Each item's rectangle in client coordinates.
    std::vector<RECT> itemRects_;
    HWND window_ = nullptr;
    int highlight_ = -1;
    bool captureLost_ = false;
};

}  // namespace platform::user
