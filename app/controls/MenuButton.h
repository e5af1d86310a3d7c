// A push button turned into a two-part control: the text area shows the chosen action
// and, when tapped, tells the parent to run it; the narrow arrow area at the right opens
// a pop-up menu of every action, from which the user picks the one the button runs.
//
// Notifications, as WM_COMMAND sent to the parent with the button's id:
//   code 0: the stylus, pressed on the text area, was lifted inside it;
//   code 1: the user picked, from the arrow's menu, a different item than the current one.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "controls/MenuButtonItem.h"
#include "controls/SubclassedControl.h"
#include "framework/MessageMap.h"

class MenuButton : public SubclassedControl {
  public:
    static constexpr WORD kTapped = 0;
    static constexpr WORD kChoiceChanged = 1;

    // Adds a choice after the others; false, adding nothing, when MenuButtonItem::Make
    // refuses it.
    bool AppendItem(int id, LPCWSTR text);

    // Makes the last item with `id` the current one and repaints; an unknown id keeps
    // the current item. Tells the parent nothing: the owner knows what it chose.
    void SelectItem(int id);

    // The current item's id; nothing before the first selection.
    std::optional<int> CurrentItemId() const;

    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
    MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
    MESSAGE_HANDLER(WM_LBUTTONDBLCLK, Ignore)
    MESSAGE_HANDLER(WM_ENABLE, OnEnable)
    // The paint fills the whole client area, so erasing first would only flicker.
    MESSAGE_HANDLER(WM_ERASEBKGND, Ignore)
    MESSAGE_HANDLER(WM_SHOWWINDOW, Ignore)
    END_MSG_MAP()

  private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM lParam);
    LRESULT OnLButtonUp(WPARAM, LPARAM lParam);
    LRESULT OnEnable(WPARAM, LPARAM);
    LRESULT Ignore(WPARAM, LPARAM) { return 0; }

    // Shows the menu of every item below the text area and makes the picked item the
    // current one; true when that changed the current item.
    bool ChooseFromMenu();
    // Makes each item with `id` current in turn, so the last one wins.
    void MakeCurrent(int id);
    void DrawSeparator(HDC dc) const;
    void DrawArrow(HDC dc) const;

    std::vector<MenuButtonItem> items_;
    // Index into items_; items are only ever appended, so it stays valid.
    std::optional<std::size_t> current_;
    // Both in client coordinates, as the last paint laid them out; hit tests use these,
    // so before the first paint no tap lands anywhere.
    RECT textArea_{};
    RECT arrowArea_{};
};
