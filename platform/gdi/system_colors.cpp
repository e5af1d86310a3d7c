#include "gdi/system_colors.h"

#include <array>

namespace platform::gdi {

namespace {

// The Pocket PC 2003 default scheme: white windows and dialogs with black text, a
// navy selection, and the classic grey 3-D faces for buttons and scroll bars.
constexpr std::array<COLORREF, kSystemColorCount> kScheme = {
    RGB(0xC0, 0xC0, 0xC0),  // COLOR_SCROLLBAR
    RGB(0xFF, 0xFF, 0xFF),  // COLOR_BACKGROUND
    RGB(0x00, 0x00, 0x80),  // COLOR_ACTIVECAPTION
    RGB(0x80, 0x80, 0x80),  // COLOR_INACTIVECAPTION
    RGB(0xFF, 0xFF, 0xFF),  // COLOR_MENU
    RGB(0xFF, 0xFF, 0xFF),  // COLOR_WINDOW
    RGB(0x00, 0x00, 0x00),  // COLOR_WINDOWFRAME
    RGB(0x00, 0x00, 0x00),  // COLOR_MENUTEXT
    RGB(0x00, 0x00, 0x00),  // COLOR_WINDOWTEXT
    RGB(0xFF, 0xFF, 0xFF),  // COLOR_CAPTIONTEXT
    RGB(0xC0, 0xC0, 0xC0),  // COLOR_ACTIVEBORDER
    RGB(0xC0, 0xC0, 0xC0),  // COLOR_INACTIVEBORDER
    RGB(0x80, 0x80, 0x80),  // COLOR_APPWORKSPACE
    RGB(0x00, 0x00, 0x80),  // COLOR_HIGHLIGHT
    RGB(0xFF, 0xFF, 0xFF),  // COLOR_HIGHLIGHTTEXT
    RGB(0xC0, 0xC0, 0xC0),  // COLOR_BTNFACE
    RGB(0x80, 0x80, 0x80),  // COLOR_BTNSHADOW
    RGB(0x80, 0x80, 0x80),  // COLOR_GRAYTEXT
    RGB(0x00, 0x00, 0x00),  // COLOR_BTNTEXT
    RGB(0xC0, 0xC0, 0xC0),  // COLOR_INACTIVECAPTIONTEXT
    RGB(0xFF, 0xFF, 0xFF),  // COLOR_BTNHIGHLIGHT
    RGB(0x00, 0x00, 0x00),  // COLOR_3DDKSHADOW
    RGB(0xE0, 0xE0, 0xE0),  // COLOR_3DLIGHT
    RGB(0x00, 0x00, 0x00),  // COLOR_INFOTEXT
    RGB(0xFF, 0xFF, 0xE1),  // COLOR_INFOBK
    RGB(0xFF, 0xFF, 0xFF),  // COLOR_STATIC
    RGB(0x00, 0x00, 0x00),  // COLOR_STATICTEXT
};

}  // namespace

std::optional<COLORREF> SystemColor(int index) {
    if (index < 0 || index >= kSystemColorCount) {
        return std::nullopt;
    }
    return kScheme[static_cast<std::size_t>(index)];
}

}  // namespace platform::gdi
