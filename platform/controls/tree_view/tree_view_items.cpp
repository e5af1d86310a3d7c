#include "controls/tree_view/tree_view_items.h"

#include <algorithm>

namespace platform::controls {

namespace {

// A handle is (generation << 32) | (slot + 1); generations stay below 2^31 so that no
// handle is mistaken for TVI_ROOT, TVI_FIRST or TVI_LAST, which lie just below 2^64.
constexpr std::uint32_t kMaxGeneration = 0x7FFFFFFF;

}  // namespace

TreeViewItems::TreeViewItems() {
    nodes_.emplace_back();
    nodes_[kRoot].live = true;
}

HTREEITEM TreeViewItems::HandleOf(Slot slot) const {
    const std::uint64_t value =
        (static_cast<std::uint64_t>(nodes_[slot].generation) << 32) | (slot + 1ull);
    return reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(value));
}

std::optional<TreeViewItems::Slot> TreeViewItems::Find(HTREEITEM handle) const {
    if (handle == nullptr || handle == TVI_ROOT) {
        return kRoot;
    }
    const auto value = static_cast<std::uint64_t>(reinterpret_cast<ULONG_PTR>(handle));
    const std::uint64_t slotPlusOne = value & 0xFFFFFFFFull;
    const auto generation = static_cast<std::uint32_t>(value >> 32);
    if (slotPlusOne < 2 || slotPlusOne > nodes_.size()) {
        return std::nullopt;  // slot 0 is the root, which has no handle of its own
    }
    const Slot slot = static_cast<Slot>(slotPlusOne - 1);
    if (!nodes_[slot].live || nodes_[slot].generation != generation) {
        return std::nullopt;
    }
    return slot;
}

TreeViewItems::Slot TreeViewItems::Insert(Slot parent, std::optional<Slot> before, Item item) {
    Slot slot = 0;
    if (freeSlots_.empty()) {
        slot = static_cast<Slot>(nodes_.size());
        nodes_.emplace_back();
    } else {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
    }
    Node& node = nodes_[slot];
    node.item = std::move(item);
    node.parent = parent;
    node.children.clear();
    node.live = true;
    auto& siblings = nodes_[parent].children;
    const auto at = before ? std::find(siblings.begin(), siblings.end(), *before) : siblings.end();
    siblings.insert(at, slot);
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
    Node& node = nodes_[slot];
    for (const Slot child : node.children) {
        Free(child);
    }
    node.children.clear();
    node.item = Item{};
    node.live = false;
    node.generation = node.generation == kMaxGeneration ? 1 : node.generation + 1;
    freeSlots_.push_back(slot);
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
