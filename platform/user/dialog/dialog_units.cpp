#include "user/dialog/dialog_units.h"

#include <wingdi.h>

#include <cmath>

namespace platform::user {

namespace {

constexpr char16_t kAlphabet[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAlphabetLength = 52;

// value * numerator / denominator, rounded half away from zero as MulDiv rounds.
int ScaleRounded(LONG value, int numerator, int denominator) {
    return static_cast<int>(
        std::lround(static_cast<double>(value) * numerator / static_cast<double>(denominator)));
}

}  // namespace

DialogBaseUnits MeasureBaseUnits(HFONT font) {
    DialogBaseUnits units{};
    const HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) {
        return units;
    }
    const HGDIOBJ previous =
        SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    SIZE extent{};
    if (GetTextMetricsW(dc, &metrics) &&
        GetTextExtentPoint32W(dc, kAlphabet, kAlphabetLength, &extent)) {
        units.x = (extent.cx / 26 + 1) / 2;
        units.y = metrics.tmHeight;
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    return units;
}

RECT DialogUnitsToPixels(const DialogBaseUnits& units, const RECT& rect) {
    return RECT{ScaleRounded(rect.left, units.x, 4), ScaleRounded(rect.top, units.y, 8),
                ScaleRounded(rect.right, units.x, 4), ScaleRounded(rect.bottom, units.y, 8)};
}

RECT TemplateRectToPixels(const DialogBaseUnits& units, const TemplateRect& rect) {
    const int x = ScaleRounded(rect.x, units.x, 4);
    const int y = ScaleRounded(rect.y, units.y, 8);
    return RECT{x, y, x + ScaleRounded(rect.cx, units.x, 4), y + ScaleRounded(rect.cy, units.y, 8)};
}

}  // namespace platform::user
