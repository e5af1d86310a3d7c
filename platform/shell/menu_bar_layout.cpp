#include "shell/menu_bar_layout.h"

#include <commctrl.h>

#include "kernel/resources/byte_reader.h"

namespace platform::shell {

namespace {

constexpr std::size_t kHeaderWords = 2;
constexpr std::size_t kWordsPerButton = 7;
constexpr std::uint16_t kNoImageWord = static_cast<std::uint16_t>(I_IMAGENONE);

}  // namespace

std::optional<MenuBarLayout> ParseMenuBarLayout(std::span<const std::uint8_t> data,
                                                std::string& error) {
    const kernel::ByteReader reader(data);
    const auto menuId = reader.Word(0);
    const auto count = reader.Word(2);
    if (!menuId || !count) {
        error = "the menu bar layout is shorter than its two header words";
        return std::nullopt;
    }
    const std::size_t needed = (kHeaderWords + kWordsPerButton * *count) * 2;
    if (!reader.Has(0, needed)) {
        error = "the menu bar layout holds " + std::to_string(data.size()) + " bytes, but " +
                std::to_string(*count) + " buttons need " + std::to_string(needed);
        return std::nullopt;
    }
    MenuBarLayout layout;
    layout.menuId = *menuId;
    for (std::size_t index = 0; index < *count; ++index) {
        const std::size_t offset = (kHeaderWords + kWordsPerButton * index) * 2;
        const auto word = [&](std::size_t n) { return *reader.Word(offset + n * 2); };
        if (word(2) > 0xFF || word(3) > 0xFF) {
            error = "button " + std::to_string(index + 1) + " of the menu bar layout has a " +
                    "state or style wider than a byte";
            return std::nullopt;
        }
        MenuBarButton button;
        button.command = word(1);
        button.state = static_cast<BYTE>(word(2));
        button.style = static_cast<BYTE>(word(3));
        button.textId = word(4);
        button.subMenu = word(6);
        if (word(0) != kNoImageWord) {
            button.image = word(0);
        }
        layout.buttons.push_back(button);
    }
    return layout;
}

}  // namespace platform::shell
