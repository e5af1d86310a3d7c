#include "controls/tree_view/tree_view_items.h"

#include <algorithm>

namespace platform::controls {

TreeViewItems::TreeViewItems() {
    // The first slot, kRoot; its handle is never given out.
    nodes_.Insert(Node{});
}

HTREEITEM TreeViewItems::HandleOf(Slot slot) const {
    return nodes_.HandleOf(slot);
}

std::optional<TreeViewItems::Slot> TreeViewItems::Find(HTREEITEM handle) const {
    if (handle == nullptr || handle == TVI_ROOT) {
        return kRoot;
    }
    const std::optional<Slot> slot = nodes_.SlotOf(handle);
    return slot == kRoot ? std::nullopt : slot;
}

std::optional<TreeViewItems::Slot> TreeViewItems::Insert(Slot parent, std::optional<Slot> before,
                                                         Item item) {
    const std::optional<Slot> slot = nodes_.Insert(Node{std::move(item), parent, {}});
    if (!slot) {
        return std::nullopt;
    }
    auto& siblings = nodes_[parent].children;
    const auto at = before ? std::find(siblings.begin(), siblings.end(), *before) : siblings.end();
    siblings.insert(at, *slot);
    ++count_;
    rowsValid_ = false;
    return slot;
}

void TreeViewItems::Delete(Slot slot) {
    if (slot == kRoot) {
        for (const Slot child : std::vector<Slot>(nodes_[kRoot].children)) {
            Free(child);
        }
        nodes_[kRoot].children.clear();
    } else {
        auto& siblings = nodes_[nodes_[slot].parent].children;
        siblings.erase(std::find(siblings.begin(), siblings.end(), slot));
        Free(slot);
    }
    rowsValid_ = false;
}

void TreeViewItems::Free(Slot slot) {
    for (const Slot child : nodes_.Erase(slot).children) {
        Free(child);
    }
    --count_;
}

std::size_t TreeViewItems::IndexAmongSiblings(Slot slot) const {
    const auto& siblings = nodes_[nodes_[slot].parent].children;
    return static_cast<std::size_t>(std::find(siblings.begin(), siblings.end(), slot) -
                                    siblings.begin());
}

std::optional<TreeViewItems::Slot> TreeViewItems::NextSibling(Slot slot) const {
    if (slot == kRoot) {
        return std::nullopt;
    }
    const auto& siblings = nodes_[nodes_[slot].parent].children;
    const std::size_t index = IndexAmongSiblings(slot);
    if (index + 1 >= siblings.size()) {
        return std::nullopt;
    }
    return siblings[index + 1];
}

std::optional<TreeViewItems::Slot> TreeViewItems::PreviousSibling(Slot slot) const {
    if (slot == kRoot) {
        return std::nullopt;
    }
    const std::size_t index = IndexAmongSiblings(slot);
    if (index == 0) {
        return std::nullopt;
    }
    return nodes_[nodes_[slot].parent].children[index - 1];
}

bool TreeViewItems::HasButton(Slot slot) const {
    const Node& node = nodes_[slot];
    return node.item.childrenClaimed.value_or(!node.children.empty());
}

bool TreeViewItems::IsInside(Slot slot, Slot ancestor) const {
    for (Slot s = slot; s != kRoot; s = nodes_[s].parent) {
        if (s == ancestor) {
            return true;
        }
    }
    return ancestor == kRoot;
}

void TreeViewItems::SetExpanded(Slot slot, bool expanded) {
    if (nodes_[slot].item.expanded != expanded) {
        nodes_[slot].item.expanded = expanded;
        rowsValid_ = false;
    }
}

const std::vector<TreeViewItems::Row>& TreeViewItems::Rows() const {
    if (!rowsValid_) {
        rows_.clear();
        AddRows(kRoot, 0);
        rowsValid_ = true;
    }
    return rows_;
}

void TreeViewItems::AddRows(Slot parent, int depth) const {
    for (const Slot child : nodes_[parent].children) {
        rows_.push_back(Row{child, depth});
        if (nodes_[child].item.expanded) {
            AddRows(child, depth + 1);
        }
    }
}

std::optional<int> TreeViewItems::RowOf(Slot slot) const {
    const auto& rows = Rows();
    const auto it =
        std::find_if(rows.begin(), rows.end(), [slot](const Row& row) { return row.slot == slot; });
    if (it == rows.end()) {
        return std::nullopt;
    }
    return static_cast<int>(it - rows.begin());
}

}  // namespace platform::controls
