// The combo box's dropped list: a top-level pop-up window under the combo box (above it
// when the screen has no room below) that shows the items, scrolls when there are more
// than fit, and holds the stylus capture while it is open, so that a tap anywhere else
// reaches it and closes it. It draws and hit-tests; what a tap means is the combo box's
// business, told through ComboListOwner. The window is made at the first drop and
// hidden, not destroyed, when the list closes, so a handler never destroys the window
// whose message it is handling.
#pragma once

#include <windows.h>

#include <nlohmann/json.hpp>

#include "controls/combo_box/combo_box_items.h"

namespace platform::controls {

class ComboListOwner {
  public:
    // The user lifted the stylus on an item.
    virtual void OnListChoice(int index) = 0;
    // The user tapped outside the list, or another window took the capture.
    virtual void OnListDismissed() = 0;

  protected:
    ~ComboListOwner() = default;
};

class ComboListPopup {
  public:
    ComboListPopup(ComboListOwner& owner, const ComboBoxItems& items)
        : owner_(owner), items_(items) {}
    ~ComboListPopup();
    ComboListPopup(const ComboListPopup&) = delete;
    ComboListPopup& operator=(const ComboListPopup&) = delete;

    // Shows the list for the combo box whose window rectangle (screen coordinates) is
    // `comboRect`, at most `maxRows` rows of `rowHeight` pixels, with `highlight`
    // highlighted and scrolled into view; takes the stylus capture.
    bool Open(HWND combo, const RECT& comboRect, int maxRows, int rowHeight, HFONT font,
              int highlight);
    // Hides the list and gives the capture back.
    void Close();
    bool IsOpen() const { return open_; }
    HWND Window() const { return window_; }

    int Highlight() const { return highlight_; }
    // Highlights an item (-1 for none) and scrolls it into view.
    void SetHighlight(int index);
    int TopIndex() const { return top_; }
    int VisibleRows() const { return rows_; }

    // The visible part: first row, the rows' texts and the highlight.
    void Dump(nlohmann::json& content) const;

  private:
    static void RegisterClassOnce();
    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnButtonDown(POINT point);
    void OnMove(POINT point, bool pressed);
    void OnButtonUp(POINT point);
    void OnCaptureChanged(HWND newCapture);

    bool HasScrollBar() const { return items_.Count() > rows_; }
    RECT ClientRect() const;
    RECT RowsRect() const;
    RECT ScrollBarRect() const;
    RECT ThumbRect() const;
    // The item at a client point, or -1 outside the rows.
    int ItemAt(POINT point) const;
    void ScrollTo(int top);
    // The first row that puts the thumb's top at `y` in the scroll bar.
    int TopForThumbAt(int y) const;

    void Paint(HDC dc) const;
    void PaintScrollBar(HDC dc) const;

    ComboListOwner& owner_;
    const ComboBoxItems& items_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    bool open_ = false;
    int rowHeight_ = 1;
    int rows_ = 1;
    int top_ = 0;
    int highlight_ = -1;
    // While the stylus drags the scroll bar's thumb: the grab point's offset from the
    // thumb's top; -1 otherwise.
    int thumbGrab_ = -1;
};

}  // namespace platform::controls
