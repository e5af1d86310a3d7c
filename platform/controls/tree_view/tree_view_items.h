// The tree view's items: their data, their places in the tree, and the handles the
// program holds for them, from a handle table, so a handle kept past its item's deletion
// names nothing, even once the slot is reused.
#pragma once

#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "kernel/objects/handle_table.h"

namespace platform::controls {

class TreeViewItems {
  public:
    using Slot = std::uint32_t;
    // The invisible item above the root items.
    static constexpr Slot kRoot = 0;

    struct Item {
        std::u16string text;
        LPARAM param = 0;
        // Whether the item shows a button: from TVIF_CHILDREN when the program said,
        // otherwise from whether it has children.
        std::optional<bool> childrenClaimed;
        bool expanded = false;
    };

    // A line of the tree as it shows: an item whose ancestors are all expanded.
    struct Row {
        Slot slot = kRoot;
        int depth = 0;
    };

    TreeViewItems();

    HTREEITEM HandleOf(Slot slot) const;
    // The live item `handle` names; TVI_ROOT and null name the root.
    std::optional<Slot> Find(HTREEITEM handle) const;

    // Inserts under `parent` before `before` (nullopt: at the end); nullopt when no slot
    // is left.
    std::optional<Slot> Insert(Slot parent, std::optional<Slot> before, Item item);
    // Deletes the item and all below it; deleting the root deletes every item.
    void Delete(Slot slot);

    Item& At(Slot slot) { return nodes_[slot].item; }
    const Item& At(Slot slot) const { return nodes_[slot].item; }
    std::size_t Count() const { return count_; }

    Slot Parent(Slot slot) const { return nodes_[slot].parent; }
    const std::vector<Slot>& Children(Slot slot) const { return nodes_[slot].children; }
    std::optional<Slot> NextSibling(Slot slot) const;
    std::optional<Slot> PreviousSibling(Slot slot) const;
    bool HasButton(Slot slot) const;
    bool IsInside(Slot slot, Slot ancestor) const;

    void SetExpanded(Slot slot, bool expanded);
    // The rows in order, top to bottom.
    const std::vector<Row>& Rows() const;
    // The item's row, or nullopt while a collapsed ancestor hides it.
    std::optional<int> RowOf(Slot slot) const;

  private:
    struct Node {
        Item item;
        Slot parent = kRoot;
        std::vector<Slot> children;
    };

    std::size_t IndexAmongSiblings(Slot slot) const;
    void Free(Slot slot);
    void AddRows(Slot parent, int depth) const;

    kernel::HandleTable<Node, HTREEITEM> nodes_{0x54};
    std::size_t count_ = 0;
    mutable std::vector<Row> rows_;
    mutable bool rowsValid_ = false;
};

}  // namespace platform::controls
