// The tab control's state and behaviour: its items, the selection, the layout of the
// tabs along the bottom edge and the notifications a tap sends. Each window keeps its
// TabControl through ControlWindow; HandleMessage (tab_control_window.cpp) only unpacks
// parameters for the typed members.
#pragma once

#include <commctrl.h>
#include <windows.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "controls/control_window.h"

namespace platform::controls {

// Registers "SysTabControl32". Registering twice is harmless.
void RegisterTabControlClass();

class TabControl final : public ControlBase {
  public:
    TabControl(HWND window, const CREATESTRUCTW& /*create*/) : window_(window) {}

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Returns the new item's index, or -1 when `item` is missing or `index` negative.
    int InsertItem(int index, const TCITEMW* item);
    bool GetItem(int index, TCITEMW* item) const;
    int ItemCount() const { return static_cast<int>(items_.size()); }
    void DeleteAllItems();

    int Selection() const { return selection_; }
    // Selects without telling the parent; returns the previous selection, or -1 when
    // `index` names no item.
    int SetSelection(int index);

    bool GetItemRect(int index, RECT* rect) const;
    // With `larger`, turns a display rectangle into the control's window rectangle;
    // otherwise the other way round.
    void AdjustRect(bool larger, RECT* rect) const;

    // Returns the version set before.
    int SetVersion(int version);
    int Version() const { return version_; }

    void OnLButtonDown(POINT point);
    void Paint(HDC dc, const RECT& client) override;
    void Dump(nlohmann::json& content) const;

  private:
    struct Item {
        std::u16string text;
        LPARAM param = 0;
    };

    std::vector<RECT> ItemRects() const;
    int ItemHeight() const;
    int ItemAt(POINT point) const;
    // Asks the parent with TCN_SELCHANGING; a nonzero answer keeps the selection.
    void SelectByUser(int index);
    LRESULT Notify(UINT code) const;

    HWND window_ = nullptr;
    std::vector<Item> items_;
    int selection_ = -1;
    int version_ = 0;
};

}  // namespace platform::controls
