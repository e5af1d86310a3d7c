#include "controls/MenuButtonItem.h"

std::optional<MenuButtonItem> MenuButtonItem::Make(int id, LPCWSTR text) {
    if (id == 0 || !text) {
        return std::nullopt;
    }
    MenuButtonItem item;
    item.id_ = id;
    // Copies up to the terminator without reading past a name too long to keep.
    for (int index = 0; index < kTextCapacity; ++index) {
        item.text_[index] = text[index];
        if (text[index] == u'\0') {
            return item;
        }
    }
    return std::nullopt;
}
