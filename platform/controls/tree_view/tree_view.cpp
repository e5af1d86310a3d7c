#include "controls/tree_view/tree_view.h"

#include <algorithm>

#include "kernel/text/utf8.h"
#include "user/text_copy.h"

namespace platform::controls {

namespace {

constexpr UINT kStateBits = TVIS_SELECTED | TVIS_EXPANDED;

}  // namespace

bool TreeView::HasStyle(DWORD style) const {
    return (static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)) & style) != 0;
}

HTREEITEM TreeView::InsertItem(const TVINSERTSTRUCTW* insert) {
    if (insert == nullptr) {
        return nullptr;
    }
    const auto parent = insert->hParent ? items_.Find(insert->hParent) : TreeViewItems::kRoot;
    if (!parent) {
        return nullptr;
    }
    std::optional<Slot> before;
    const HTREEITEM after = insert->hInsertAfter;
    if (after == TVI_FIRST) {
        const auto& siblings = items_.Children(*parent);
        if (!siblings.empty()) {
            before = siblings.front();
        }
    } else if (after != TVI_LAST && after != nullptr) {
        const auto sibling = items_.Find(after);
        if (!sibling || *sibling == TreeViewItems::kRoot || items_.Parent(*sibling) != *parent) {
            return nullptr;
        }
        before = items_.NextSibling(*sibling);
    }
    const TVITEMW& source = insert->item;
    TreeViewItems::Item item;
    if ((source.mask & TVIF_TEXT) && source.pszText != nullptr) {
        item.text = source.pszText;
    }
    if (source.mask & TVIF_PARAM) {
        item.param = source.lParam;
    }
    if (source.mask & TVIF_CHILDREN) {
        item.childrenClaimed = source.cChildren != 0;
    }
    const std::optional<Slot> slot = items_.Insert(*parent, before, std::move(item));
    if (!slot) {
        return nullptr;
    }
    if (source.mask & TVIF_STATE) {
        ApplyState(*slot, source.state, source.stateMask);
    }
    InvalidateRect(window_, nullptr, TRUE);
    return items_.HandleOf(*slot);
}

bool TreeView::DeleteItem(HTREEITEM handle) {
    const auto slot = items_.Find(handle);
    if (!slot) {
        return false;
    }
    // The selection goes with its item, quietly: the parent is deleting on purpose.
    if (selection_ && items_.IsInside(*selection_, *slot)) {
        selection_.reset();
    }
    items_.Delete(*slot);
    ClampTopRow();
    InvalidateRect(window_, nullptr, TRUE);
    return true;
}

bool TreeView::Expand(HTREEITEM handle, UINT action) {
    const auto slot = items_.Find(handle);
    if (!slot || *slot == TreeViewItems::kRoot || !items_.HasButton(*slot)) {
        return false;
    }
    switch (action & TVE_TOGGLE) {
        case TVE_EXPAND:
            SetExpanded(*slot, true);
            return true;
        case TVE_COLLAPSE:
            SetExpanded(*slot, false);
            return true;
        case TVE_TOGGLE:
            SetExpanded(*slot, !items_.At(*slot).expanded);
            return true;
        default:
            return false;
    }
}

bool TreeView::EnsureVisible(HTREEITEM handle) {
    const auto slot = items_.Find(handle);
    if (!slot || *slot == TreeViewItems::kRoot) {
        return false;
    }
    const Revealed revealed = Reveal(*slot);
    return revealed.scrolled && !revealed.expanded;
}

HTREEITEM TreeView::GetNextItem(HTREEITEM handle, UINT relation) const {
    auto handleOf = [this](std::optional<Slot> slot) -> HTREEITEM {
        return slot && *slot != TreeViewItems::kRoot ? items_.HandleOf(*slot) : nullptr;
    };
    switch (relation) {
        case TVGN_ROOT:
            return GetNextItem(TVI_ROOT, TVGN_CHILD);
        case TVGN_CARET:
            return handleOf(selection_);
        case TVGN_FIRSTVISIBLE: {
            const auto& rows = items_.Rows();
            return topRow_ < static_cast<int>(rows.size()) ? items_.HandleOf(rows[topRow_].slot)
                                                           : nullptr;
        }
        case TVGN_CHILD: {
            const auto slot = handle ? items_.Find(handle) : TreeViewItems::kRoot;
            if (!slot || items_.Children(*slot).empty()) {
                return nullptr;
            }
            return items_.HandleOf(items_.Children(*slot).front());
        }
        default:
            break;
    }
    const auto slot = items_.Find(handle);
    if (!slot || *slot == TreeViewItems::kRoot) {
        return nullptr;
    }
    switch (relation) {
        case TVGN_NEXT:
            return handleOf(items_.NextSibling(*slot));
        case TVGN_PREVIOUS:
            return handleOf(items_.PreviousSibling(*slot));
        case TVGN_PARENT:
            return handleOf(items_.Parent(*slot));
        default:
            return nullptr;
    }
}

bool TreeView::SelectItem(UINT target, HTREEITEM handle) {
    std::optional<Slot> slot;
    if (handle != nullptr) {
        slot = items_.Find(handle);
        if (!slot || *slot == TreeViewItems::kRoot) {
            return false;
        }
    }
    switch (target) {
        case TVGN_CARET:
            if (!ChangeSelection(slot, TVC_UNKNOWN)) {
                return false;
            }
            if (slot) {
                Reveal(*slot);
            }
            return true;
        case TVGN_FIRSTVISIBLE:
            if (!slot) {
                return false;
            }
            Reveal(*slot);
            ScrollTo(*items_.RowOf(*slot));
            return true;
        default:
            return false;
    }
}

bool TreeView::GetItem(TVITEMW* item) const {
    if (item == nullptr) {
        return false;
    }
    const auto slot = items_.Find(item->hItem);
    if (!slot || *slot == TreeViewItems::kRoot || item->hItem == nullptr) {
        return false;
    }
    const TreeViewItems::Item& source = items_.At(*slot);
    if (item->mask & TVIF_TEXT) {
        if (item->pszText == nullptr || item->cchTextMax <= 0) {
            return false;
        }
        user::CopyTextToBuffer(source.text, item->pszText, item->cchTextMax);
    }
    if (item->mask & TVIF_PARAM) {
        item->lParam = source.param;
    }
    if (item->mask & TVIF_STATE) {
        item->state = Describe(*slot).state;
    }
    if (item->mask & TVIF_CHILDREN) {
        item->cChildren = items_.HasButton(*slot) ? 1 : 0;
    }
    return true;
}

bool TreeView::SetItem(const TVITEMW* item) {
    if (item == nullptr || item->hItem == nullptr) {
        return false;
    }
    const auto slot = items_.Find(item->hItem);
    if (!slot || *slot == TreeViewItems::kRoot) {
        return false;
    }
    TreeViewItems::Item& target = items_.At(*slot);
    if ((item->mask & TVIF_TEXT) && item->pszText != nullptr) {
        target.text = item->pszText;
    }
    if (item->mask & TVIF_PARAM) {
        target.param = item->lParam;
    }
    if (item->mask & TVIF_CHILDREN) {
        target.childrenClaimed = item->cChildren != 0;
    }
    if (item->mask & TVIF_STATE) {
        ApplyState(*slot, item->state, item->stateMask);
    }
    InvalidateRect(window_, nullptr, TRUE);
    return true;
}

void TreeView::ApplyState(Slot slot, UINT state, UINT stateMask) {
    if (stateMask & TVIS_EXPANDED) {
        SetExpanded(slot, (state & TVIS_EXPANDED) != 0);
    }
    if (stateMask & TVIS_SELECTED) {
        if (state & TVIS_SELECTED) {
            selection_ = slot;
        } else if (selection_ == slot) {
            selection_.reset();
        }
    }
}

void TreeView::SetExpanded(Slot slot, bool expand) {
    items_.SetExpanded(slot, expand);
    // A selection hidden by the collapse moves up to the item that hid it.
    if (!expand && selection_ && *selection_ != slot && items_.IsInside(*selection_, slot)) {
        ChangeSelection(slot, TVC_UNKNOWN);
    }
    ClampTopRow();
    InvalidateRect(window_, nullptr, TRUE);
}

bool TreeView::ExpandByUser(Slot slot, bool expand) {
    const HTREEITEM handle = items_.HandleOf(slot);
    const UINT action = expand ? TVE_EXPAND : TVE_COLLAPSE;
    if (Notify(TVN_ITEMEXPANDINGW, action, std::nullopt, slot) != 0) {
        return false;
    }
    if (items_.Find(handle) != slot) {
        return false;  // the parent deleted the item while it was asked
    }
    SetExpanded(slot, expand);
    Notify(TVN_ITEMEXPANDEDW, action, std::nullopt, slot);
    return true;
}

bool TreeView::ChangeSelection(std::optional<Slot> slot, UINT action) {
    if (slot == selection_) {
        return true;
    }
    const HTREEITEM handle = slot ? items_.HandleOf(*slot) : nullptr;
    if (Notify(TVN_SELCHANGINGW, action, selection_, slot) != 0) {
        return false;
    }
    if (slot && items_.Find(handle) != slot) {
        return false;  // the parent deleted the item while it was asked
    }
    const std::optional<Slot> previous = selection_;
    selection_ = slot;
    InvalidateRect(window_, nullptr, FALSE);
    Notify(TVN_SELCHANGEDW, action, previous, slot);
    return true;
}

TreeView::Revealed TreeView::Reveal(Slot slot) {
    Revealed revealed;
    for (Slot a = items_.Parent(slot); a != TreeViewItems::kRoot; a = items_.Parent(a)) {
        if (!items_.At(a).expanded) {
            items_.SetExpanded(a, true);
            revealed.expanded = true;
        }
    }
    const int row = *items_.RowOf(slot);
    const int page = RowsPerPage();
    int top = topRow_;
    if (row < top) {
        top = row;
    } else if (row >= top + page) {
        top = row - page + 1;
    }
    revealed.scrolled = top != topRow_;
    ScrollTo(top);
    if (revealed.expanded) {
        InvalidateRect(window_, nullptr, TRUE);
    }
    return revealed;
}

LRESULT TreeView::NotifyClick() const {
    NMHDR header{window_, static_cast<UINT_PTR>(GetDlgCtrlID(window_)), NM_CLICK};
    return SendMessageW(GetParent(window_), WM_NOTIFY, header.idFrom,
                        reinterpret_cast<LPARAM>(&header));
}

LRESULT TreeView::Notify(UINT code, UINT action, std::optional<Slot> oldItem,
                         std::optional<Slot> newItem) const {
    NMTREEVIEWW notification{};
    notification.hdr = NMHDR{window_, static_cast<UINT_PTR>(GetDlgCtrlID(window_)), code};
    notification.action = action;
    notification.itemOld = Describe(oldItem);
    notification.itemNew = Describe(newItem);
    return SendMessageW(GetParent(window_), WM_NOTIFY, notification.hdr.idFrom,
                        reinterpret_cast<LPARAM>(&notification));
}

TVITEMW TreeView::Describe(std::optional<Slot> slot) const {
    TVITEMW item{};
    if (!slot) {
        return item;
    }
    item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    item.hItem = items_.HandleOf(*slot);
    item.stateMask = kStateBits;
    item.state = (selection_ == slot ? TVIS_SELECTED : 0u) |
                 (items_.At(*slot).expanded ? TVIS_EXPANDED : 0u);
    item.lParam = items_.At(*slot).param;
    return item;
}

void TreeView::Dump(nlohmann::json& content) const {
    content["items"] = DumpChildren(TreeViewItems::kRoot);
    content["selected"] = selection_
                              ? nlohmann::json(kernel::EncodeUtf8(items_.At(*selection_).text).text)
                              : nlohmann::json(nullptr);
}

nlohmann::json TreeView::DumpChildren(Slot parent) const {
    nlohmann::json children = nlohmann::json::array();
    for (const Slot child : items_.Children(parent)) {
        const TreeViewItems::Item& item = items_.At(child);
        children.push_back({{"text", kernel::EncodeUtf8(item.text).text},
                            {"expanded", item.expanded},
                            {"children", DumpChildren(child)}});
    }
    return children;
}

}  // namespace platform::controls
