#include "controls/tab_control/tab_control.h"

#include <algorithm>

#include "controls/control_parent.h"
#include "controls/tab_control/tab_control_painter.h"
#include "controls/text_measure.h"
#include "kernel/text/utf8.h"
#include "user/text_copy.h"

namespace platform::controls {

namespace {

// Room around a tab's label, left and right, and above and below it.
constexpr int kLabelPaddingX = 6;
constexpr int kLabelPaddingY = 3;
// The strip above the tabs: the line that joins the selected tab to the page.
constexpr int kJoinHeight = 2;

}  // namespace

int TabControl::InsertItem(int index, const TCITEMW* item) {
    if (item == nullptr || index < 0) {
        return -1;
    }
    Item inserted;
    if ((item->mask & TCIF_TEXT) && item->pszText != nullptr) {
        inserted.text = item->pszText;
    }
    if (item->mask & TCIF_PARAM) {
        inserted.param = item->lParam;
    }
    index = std::min(index, ItemCount());
    items_.insert(items_.begin() + index, std::move(inserted));
    // The first tab becomes the selection; a tab inserted before the selected one moves
    // the selection along so that the same tab stays selected.
    if (selection_ < 0) {
        selection_ = 0;
    } else if (index <= selection_) {
        ++selection_;
    }
    InvalidateRect(window_, nullptr, TRUE);
    return index;
}

bool TabControl::GetItem(int index, TCITEMW* item) const {
    if (item == nullptr || index < 0 || index >= ItemCount()) {
        return false;
    }
    const Item& source = items_[index];
    if (item->mask & TCIF_TEXT) {
        if (item->pszText == nullptr || item->cchTextMax <= 0) {
            return false;
        }
        user::CopyTextToBuffer(source.text, item->pszText, item->cchTextMax);
    }
    if (item->mask & TCIF_PARAM) {
        item->lParam = source.param;
    }
    return true;
}

void TabControl::DeleteAllItems() {
    items_.clear();
    selection_ = -1;
    InvalidateRect(window_, nullptr, TRUE);
}

int TabControl::SetSelection(int index) {
    if (index < 0 || index >= ItemCount()) {
        return -1;
    }
    const int previous = selection_;
    if (index != selection_) {
        selection_ = index;
        InvalidateRect(window_, nullptr, TRUE);
    }
    return previous;
}

bool TabControl::GetItemRect(int index, RECT* rect) const {
    if (rect == nullptr || index < 0 || index >= ItemCount()) {
        return false;
    }
    *rect = ItemRects()[index];
    return true;
}

void TabControl::AdjustRect(bool larger, RECT* rect) const {
    // The tabs run along the bottom, so only the bottom edge moves.
    const int strip = ItemHeight() + kJoinHeight;
    rect->bottom += larger ? strip : -strip;
    rect->bottom = std::max(rect->bottom, rect->top);
}

int TabControl::SetVersion(int version) {
    const int previous = version_;
    version_ = version;
    return previous;
}

int TabControl::ItemHeight() const {
    return TextMeasure(font_).LineHeight() + 2 * kLabelPaddingY;
}

std::vector<RECT> TabControl::ItemRects() const {
    const TextMeasure measure(font_);
    const int top = kJoinHeight;
    const int bottom = top + measure.LineHeight() + 2 * kLabelPaddingY;
    std::vector<RECT> rects;
    rects.reserve(items_.size());
    int left = 0;
    for (const Item& item : items_) {
        const int right = left + measure.Width(item.text) + 2 * kLabelPaddingX;
        rects.push_back(RECT{left, top, right, bottom});
        left = right;
    }
    return rects;
}

int TabControl::ItemAt(POINT point) const {
    const std::vector<RECT> rects = ItemRects();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        // The join strip above a tab belongs to it too, so a tap just above still hits.
        if (point.x >= rects[i].left && point.x < rects[i].right && point.y >= 0 &&
            point.y < rects[i].bottom) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TabControl::OnLButtonDown(POINT point) {
    const int index = ItemAt(point);
    if (index >= 0 && index != selection_) {
        SelectByUser(index);
    }
}

void TabControl::SelectByUser(int index) {
    if (Notify(TCN_SELCHANGING) != 0) {
        return;
    }
    // The parent may have changed the items while it was asked.
    if (index >= ItemCount()) {
        return;
    }
    selection_ = index;
    InvalidateRect(window_, nullptr, TRUE);
    Notify(TCN_SELCHANGE);
}

LRESULT TabControl::Notify(UINT code) const {
    NMHDR header{window_, static_cast<UINT_PTR>(GetDlgCtrlID(window_)), code};
    return SendMessageW(GetParent(window_), WM_NOTIFY, header.idFrom,
                        reinterpret_cast<LPARAM>(&header));
}

void TabControl::Paint(HDC dc, const RECT& client) {
    const std::vector<RECT> rects = ItemRects();
    std::vector<TabControlPainter::Tab> tabs;
    tabs.reserve(items_.size());
    for (std::size_t i = 0; i < items_.size(); ++i) {
        tabs.push_back({rects[i], items_[i].text, static_cast<int>(i) == selection_});
    }
    TabControlPainter::Paint(dc, client, FontOrDefault(font_), tabs);
}

void TabControl::Dump(nlohmann::json& content) const {
    nlohmann::json items = nlohmann::json::array();
    for (const Item& item : items_) {
        items.push_back({{"text", kernel::EncodeUtf8(item.text).text},
                         {"param", static_cast<long long>(item.param)}});
    }
    content["items"] = std::move(items);
    content["selected"] = selection_;
}

}  // namespace platform::controls
