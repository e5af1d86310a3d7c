// A dialog template as the resource compiler writes it, in either of its two forms: the
// classic DLGTEMPLATE (a DIALOG statement) and the extended DLGTEMPLATEEX (DIALOGEX),
// which adds help ids, the font's weight, italic flag and character set, and 32-bit
// control ids. Both parse into the same description.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::user {

// A menu, class or title field: nothing, a 16-bit ordinal, or a text.
struct TemplateName {
    std::u16string text;
    std::uint16_t ordinal = 0;
    bool isOrdinal = false;

    bool IsEmpty() const { return !isOrdinal && text.empty(); }
};

// Position and size in dialog units, as a template stores them.
struct TemplateRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct DialogFont {
    std::uint16_t pointSize = 0;
    std::uint16_t weight = FW_NORMAL;
    bool italic = false;
    std::uint8_t charSet = 0;
    std::u16string faceName;
};

struct DialogItemTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD helpId = 0;
    // Relative to the dialog's client area.
    TemplateRect rect;
    // A classic template's 16-bit id is kept as the unsigned value it holds (-1 is 65535).
    DWORD id = 0;
    TemplateName windowClass;
    TemplateName title;
    // The creation data with its leading 16-bit size, as CreateWindowExW hands it to the
    // control in CREATESTRUCTW::lpCreateParams; empty when the template has none.
    std::vector<std::uint8_t> creationData;
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD helpId = 0;
    // x and y of the window, cx and cy of its client area.
    TemplateRect rect;
    TemplateName menu;
    TemplateName windowClass;
    std::u16string title;
    // Present when the style asks for DS_SETFONT (or DS_SHELLFONT).
    std::optional<DialogFont> font;
    std::vector<DialogItemTemplate> items;
};

// Reads a template from bytes; nullopt when it is truncated or a field is malformed
// (a text without its terminator, an unknown extended version). Nothing past the end of
// bytes is read.
std::optional<DialogTemplate> ParseDialogTemplate(std::span<const std::uint8_t> bytes);

// The window class an item names: an ordinal 0x80 to 0x85 stands for Button, Edit,
// Static, ListBox, ScrollBar and ComboBox. Empty for any other ordinal.
std::u16string ItemClassName(const TemplateName& windowClass);

}  // namespace platform::user
