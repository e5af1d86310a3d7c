#include "user/menu/menu_resource.h"

#include <winuser.h>

#include <span>

#include "kernel/resources/byte_reader.h"
#include "user/menu/menu.h"

namespace platform::user {

namespace {

class MenuResourceReader {
  public:
    explicit MenuResourceReader(std::span<const std::uint8_t> bytes) : reader_(bytes) {}

    std::optional<std::vector<MenuTemplateItem>> ReadMenu() {
        const auto version = reader_.Word(0);
        const auto headerSize = reader_.Word(2);
        if (!version || !headerSize || *version != 0 || !reader_.Has(4, *headerSize)) {
            return std::nullopt;
        }
        offset_ = 4 + std::size_t{*headerSize};
        std::vector<MenuTemplateItem> items;
        if (!ReadLevel(items, 0)) {
            return std::nullopt;
        }
        return items;
    }

  private:
    bool ReadLevel(std::vector<MenuTemplateItem>& items, int depth) {
        if (depth >= kMaxMenuNesting) {
            return false;
        }
        for (;;) {
            const auto flags = ReadWord();
            if (!flags) {
                return false;
            }
            const bool popup = *flags & MF_POPUP;
            MenuTemplateItem item;
            item.flags = *flags & ~static_cast<UINT>(MF_END);
            if (!popup) {
                const auto command = ReadWord();
                if (!command) {
                    return false;
                }
                item.command = *command;
            }
            auto text = reader_.TerminatedString(offset_, reader_.Size());
            if (!text) {
                return false;
            }
            offset_ += (text->size() + 1) * 2;
            item.text = std::move(*text);
            if (popup && !ReadLevel(item.children, depth + 1)) {
                return false;
            }
            // A separator is written as an item with no flags, no id and no text.
            if (!popup && item.command == 0 && item.text.empty()) {
                item.flags |= MF_SEPARATOR;
            }
            items.push_back(std::move(item));
            if (*flags & MF_END) {
                return true;
            }
        }
    }

    std::optional<std::uint16_t> ReadWord() {
        const auto value = reader_.Word(offset_);
        offset_ += 2;
        return value;
    }

    kernel::ByteReader reader_;
    std::size_t offset_ = 0;
};

}  // namespace

std::optional<std::vector<MenuTemplateItem>> ParseMenuResource(const BYTE* data, DWORD size) {
    if (!data) {
        return std::nullopt;
    }
    return MenuResourceReader(std::span(data, size)).ReadMenu();
}

}  // namespace platform::user
