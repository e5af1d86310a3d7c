#include "controls/list_view/list_view.h"

#include <algorithm>

#include "controls/list_view/list_view_metrics.h"
#include "controls/text_measure.h"
#include "kernel/text/utf8.h"
#include "user/text_copy.h"

namespace platform::controls {
namespace {

std::u16string_view TextOf(LPCWSTR text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

}  // namespace

ListView::ListView(HWND window, const CREATESTRUCTW& create)
    : window_(window), style_(static_cast<DWORD>(create.style)) {
    layout_.SetScrollBarWidth(GetSystemMetrics(SM_CXVSCROLL));
    UpdateMetrics();
}

ListView::~ListView() {
    if (small_images_ && !(style_ & LVS_SHAREIMAGELISTS)) {
        ImageList_Destroy(small_images_);
    }
}

// Row and header heights follow the font and the small images.
void ListView::UpdateMetrics() {
    const int text_height = TextMeasure(font_).LineHeight();
    int image_width = 0;
    int image_height = 0;
    if (small_images_) {
        ImageList_GetIconSize(small_images_, &image_width, &image_height);
    }
    layout_.SetRowHeight(std::max(text_height, image_height) + kListViewRowPadding);
    layout_.SetHeaderHeight((style_ & LVS_NOCOLUMNHEADER) ? 0
                                                          : text_height + kListViewHeaderPadding);
    OnSize();
}

void ListView::OnSize() {
    RECT client{};
    GetClientRect(window_, &client);
    layout_.SetClientSize(client.right, client.bottom);
    InvalidateAll();
}

HIMAGELIST ListView::SetImageList(int kind, HIMAGELIST list) {
    if (kind != LVSIL_SMALL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const HIMAGELIST previous = small_images_;
    small_images_ = list;
    UpdateMetrics();
    return previous;
}

HIMAGELIST ListView::ImageList(int kind) const {
    return kind == LVSIL_SMALL ? small_images_ : nullptr;
}

void ListView::InvalidateAll() {
    InvalidateRect(window_, nullptr, FALSE);
}

void ListView::InvalidateRow(int index) {
    if (index >= layout_.TopIndex() && index < layout_.VisibleEnd()) {
        const RECT row = layout_.RowRect(index);
        InvalidateRect(window_, &row, FALSE);
    }
}

// Rows from `index` on moved or changed; those below the window need no paint.
void ListView::InvalidateFrom(int index) {
    if (index < layout_.VisibleEnd() || index <= layout_.TopIndex() + layout_.CountPerPage()) {
        RECT below = layout_.RowsRect();
        below.top = std::max(below.top, layout_.RowRect(std::max(index, layout_.TopIndex())).top);
        InvalidateRect(window_, &below, FALSE);
    }
}

// A changed row count may move the thumb, show or hide the scroll bar, or pull the top
// index back; each of those needs a paint, and nothing else does.
void ListView::SyncRowCount() {
    const bool had_bar = layout_.ScrollBarShown();
    const RECT old_thumb = ScrollBar().ThumbRect();
    const int old_top = layout_.TopIndex();
    layout_.SetRowCount(rows_.Count());
    if (had_bar != layout_.ScrollBarShown() || old_top != layout_.TopIndex()) {
        InvalidateAll();
        return;
    }
    const RECT new_thumb = ScrollBar().ThumbRect();
    if (layout_.ScrollBarShown() && !EqualRect(&old_thumb, &new_thumb)) {
        const RECT bar = layout_.ScrollBarRect();
        InvalidateRect(window_, &bar, FALSE);
    }
}

VerticalScrollBar ListView::ScrollBar() const {
    return VerticalScrollBar(layout_.ScrollBarRect(), layout_.RowCount(), layout_.CountPerPage(),
                             layout_.TopIndex());
}

void ListView::ScrollTo(int top_index) {
    if (layout_.ScrollTo(top_index)) {
        InvalidateAll();
    }
}

bool ListView::EnsureVisible(int index) {
    if (!rows_.Contains(index)) {
        return false;
    }
    if (layout_.EnsureVisible(index)) {
        InvalidateAll();
    }
    return true;
}

int ListView::InsertColumn(int index, const LVCOLUMNW* column) {
    if (!column || index < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    ListViewColumn inserted;
    if (column->mask & LVCF_TEXT) {
        inserted.text = TextOf(column->pszText);
    }
    if (column->mask & LVCF_WIDTH) {
        inserted.width = std::max(column->cx, 0);
    }
    if (column->mask & LVCF_FMT) {
        inserted.format = column->fmt & LVCFMT_JUSTIFYMASK;
    }
    index = std::min(index, static_cast<int>(columns_.size()));
    columns_.insert(columns_.begin() + index, std::move(inserted));
    rows_.InsertSubItem(index);
    InvalidateAll();
    return index;
}

int ListView::ColumnWidth(int index) const {
    return index >= 0 && index < static_cast<int>(columns_.size()) ? columns_[index].width : 0;
}

bool ListView::SetColumnWidth(int index, int width) {
    if (index < 0 || index >= static_cast<int>(columns_.size())) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const TextMeasure measure(font_);
    if (width == LVSCW_AUTOSIZE) {
        int widest = 0;
        for (int row = 0; row < rows_.Count(); ++row) {
            widest = std::max(widest, measure.Width(rows_.At(row).Text(index)));
        }
        width = widest + 2 * kListViewTextMargin;
        int image_width = 0;
        int image_height = 0;
        if (index == 0 && small_images_ &&
            ImageList_GetIconSize(small_images_, &image_width, &image_height)) {
            width += kListViewImageMargin + image_width;
        }
    } else if (width == LVSCW_AUTOSIZE_USEHEADER) {
        width = measure.Width(columns_[index].text) + 2 * kListViewHeaderMargin;
        // The last column also takes whatever width the others leave.
        if (index + 1 == static_cast<int>(columns_.size())) {
            int others = 0;
            for (int column = 0; column < index; ++column) {
                others += columns_[column].width;
            }
            width = std::max(width, layout_.ContentWidth() - others);
        }
    } else if (width < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    columns_[index].width = width;
    InvalidateAll();
    return true;
}

int ListView::InsertItem(const LVITEMW* item) {
    if (!item || item->iSubItem != 0 || item->iItem < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    ListViewRow row;
    if (item->mask & LVIF_TEXT) {
        // Room for the other columns' texts too, if they are about as long.
        const std::u16string_view text = TextOf(item->pszText);
        row.ReserveText((text.size() + 1) * std::max<std::size_t>(columns_.size(), 1));
        row.SetText(0, text);
    }
    if (item->mask & LVIF_IMAGE) {
        row.image = item->iImage;
    }
    if (item->mask & LVIF_PARAM) {
        row.param = item->lParam;
    }
    if (item->mask & LVIF_STATE) {
        row.state = item->state & item->stateMask & (LVIS_SELECTED | LVIS_FOCUSED);
    }
    const int index = rows_.Insert(item->iItem, std::move(row));
    SyncRowCount();
    InvalidateFrom(index);
    return index;
}

bool ListView::SetItem(const LVITEMW* item) {
    if (!item || !rows_.Contains(item->iItem) || item->iSubItem < 0 ||
        item->iSubItem >= std::max<int>(static_cast<int>(columns_.size()), 1)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    ListViewRow& row = rows_.At(item->iItem);
    if (item->mask & LVIF_TEXT) {
        row.SetText(item->iSubItem, TextOf(item->pszText));
    }
    // Image, item data and state belong to the item, not to its sub-items.
    if (item->iSubItem == 0) {
        if (item->mask & LVIF_IMAGE) {
            row.image = item->iImage;
        }
        if (item->mask & LVIF_PARAM) {
            row.param = item->lParam;
        }
    }
    InvalidateRow(item->iItem);
    if (item->iSubItem == 0 && (item->mask & LVIF_STATE)) {
        return SetItemState(item->iItem, item);
    }
    return true;
}

bool ListView::GetItem(LVITEMW* item) const {
    if (!item || !rows_.Contains(item->iItem) || item->iSubItem < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const ListViewRow& row = rows_.At(item->iItem);
    if (item->mask & LVIF_TEXT) {
        GetItemText(item->iItem, item);
    }
    if (item->mask & LVIF_IMAGE) {
        item->iImage = row.image;
    }
    if (item->mask & LVIF_PARAM) {
        item->lParam = row.param;
    }
    if (item->mask & LVIF_STATE) {
        item->state = row.state & item->stateMask;
    }
    return true;
}

bool ListView::SetItemText(int index, const LVITEMW* item) {
    if (!item) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    LVITEMW text = *item;
    text.mask = LVIF_TEXT;
    text.iItem = index;
    return SetItem(&text);
}

int ListView::GetItemText(int index, LVITEMW* item) const {
    if (!item || !rows_.Contains(index) || item->iSubItem < 0 || !item->pszText ||
        item->cchTextMax <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return user::CopyTextToBuffer(std::u16string(rows_.At(index).Text(item->iSubItem)),
                                  item->pszText, item->cchTextMax);
}

bool ListView::DeleteItem(int index) {
    if (!rows_.Contains(index)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    rows_.Erase(index);
    InvalidateFrom(index);
    SyncRowCount();
    return true;
}

bool ListView::DeleteAllItems() {
    NMLISTVIEW deleting{};
    deleting.iItem = -1;
    Notify(LVN_DELETEALLITEMS, deleting.hdr);
    rows_.Clear();
    layout_.SetRowCount(0);
    InvalidateAll();
    return true;
}

int ListView::NextItem(int start, UINT flags) const {
    if (flags & ~static_cast<UINT>(LVNI_SELECTED | LVNI_FOCUSED)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    UINT state = 0;
    if (flags & LVNI_SELECTED) {
        state |= LVIS_SELECTED;
    }
    if (flags & LVNI_FOCUSED) {
        state |= LVIS_FOCUSED;
    }
    return rows_.Next(start, state);
}

UINT ListView::ItemState(int index, UINT mask) const {
    return rows_.Contains(index) ? rows_.At(index).state & mask : 0;
}

bool ListView::GetItemRect(int index, RECT* rect) const {
    if (!rect || !rows_.Contains(index) || rect->left != LVIR_BOUNDS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    *rect = layout_.RowRect(index);
    int columns_width = 0;
    for (const ListViewColumn& column : columns_) {
        columns_width += column.width;
    }
    rect->right = columns_width;
    return true;
}

void ListView::Dump(nlohmann::json& content) const {
    const auto utf8 = [](std::u16string_view text) { return kernel::EncodeUtf8(text).text; };
    nlohmann::json columns = nlohmann::json::array();
    for (const ListViewColumn& column : columns_) {
        columns.push_back({{"text", utf8(column.text)}, {"width", column.width}});
    }
    nlohmann::json rows = nlohmann::json::array();
    const int cells = std::max<int>(static_cast<int>(columns_.size()), 1);
    for (int index = 0; index < rows_.Count(); ++index) {
        const ListViewRow& row = rows_.At(index);
        nlohmann::json texts = nlohmann::json::array();
        for (int sub_item = 0; sub_item < cells; ++sub_item) {
            texts.push_back(utf8(row.Text(sub_item)));
        }
        rows.push_back({{"cells", std::move(texts)},
                        {"image", row.image},
                        {"selected", (row.state & LVIS_SELECTED) != 0}});
    }
    content["columns"] = std::move(columns);
    content["rows"] = std::move(rows);
    content["topIndex"] = layout_.TopIndex();
}

}  // namespace platform::controls
