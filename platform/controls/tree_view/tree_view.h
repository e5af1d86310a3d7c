// The tree view's behaviour: the messages that build and read the tree, expansion,
// selection with its notifications, scrolling, and input from the stylus and keys.
// Each window keeps its TreeView through ControlWindow; HandleMessage
// (tree_view_window.cpp) only unpacks parameters for the typed members.
#pragma once

#include <commctrl.h>
#include <windows.h>

#include <nlohmann/json.hpp>
#include <optional>

#include "controls/control_window.h"
#include "controls/tree_view/tree_view_items.h"
#include "controls/tree_view/tree_view_layout.h"
#include "controls/vertical_scroll_bar.h"

namespace platform::controls {

// Registers "SysTreeView32". Registering twice is harmless.
void RegisterTreeViewClass();

class TreeView final : public ControlBase {
  public:
    TreeView(HWND window, const CREATESTRUCTW& /*create*/) : window_(window) {}

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HTREEITEM InsertItem(const TVINSERTSTRUCTW* insert);
    bool DeleteItem(HTREEITEM handle);
    bool Expand(HTREEITEM handle, UINT action);
    bool EnsureVisible(HTREEITEM handle);
    HTREEITEM GetNextItem(HTREEITEM handle, UINT relation) const;
    bool SelectItem(UINT target, HTREEITEM handle);
    bool GetItem(TVITEMW* item) const;
    bool SetItem(const TVITEMW* item);
    std::size_t Count() const { return items_.Count(); }

    void OnLButtonDown(POINT point);
    void OnMouseMove(POINT point);
    void OnLButtonUp();
    void OnKeyDown(UINT key);
    void OnFocusChange() { InvalidateRect(window_, nullptr, FALSE); }
    void Paint(HDC dc, const RECT& client) override;
    void Dump(nlohmann::json& content) const;

  private:
    using Slot = TreeViewItems::Slot;

    bool HasStyle(DWORD style) const;
    TreeViewLayout Layout() const;
    int RowsPerPage() const;
    bool ScrollBarShows() const;
    VerticalScrollBar ScrollBar() const;
    void ScrollTo(int topRow);
    void ClampTopRow();
    void OnFontChanged() override { ClampTopRow(); }

    void ApplyState(Slot slot, UINT state, UINT stateMask);
    // Expands or collapses as the user asked: the parent may refuse at
    // TVN_ITEMEXPANDINGW. Returns whether the item changed.
    bool ExpandByUser(Slot slot, bool expand);
    void SetExpanded(Slot slot, bool expand);
    // Moves the selection, asking the parent first; returns false when it refused.
    bool ChangeSelection(std::optional<Slot> slot, UINT action);
    struct Revealed {
        bool expanded = false;
        bool scrolled = false;
    };
    // Expands the item's collapsed ancestors (without asking) and scrolls it into view.
    Revealed Reveal(Slot slot);
    void SelectRow(int row);

    LRESULT NotifyClick() const;
    LRESULT Notify(UINT code, UINT action, std::optional<Slot> oldItem,
                   std::optional<Slot> newItem) const;
    TVITEMW Describe(std::optional<Slot> slot) const;
    nlohmann::json DumpChildren(Slot parent) const;

    HWND window_ = nullptr;
    TreeViewItems items_;
    std::optional<Slot> selection_;
    int topRow_ = 0;
    ScrollBarPart pressedPart_ = ScrollBarPart::None;
    // Where in the thumb the stylus took hold of it, while dragging.
    int thumbGrabOffset_ = 0;
};

}  // namespace platform::controls
