// Text output and measurement with the font selected into a device context.
#include "gdi/color.h"
#include "gdi/drawing_session.h"
#include "gdi/rect_math.h"
#include "gdi/text_layout.h"
#include "gdi/text_run.h"

#include <wingdi.h>

#include <algorithm>
#include <string_view>

using platform::gdi::DeviceContext;
using platform::gdi::DrawingSession;
using platform::gdi::FontInstance;
using platform::gdi::GdiState;
using platform::gdi::ToPixel;

namespace {

// The context's font, or null (with the error set) when it could not be realised.
const platform::gdi::Font* SelectedFont(GdiState& gdi, const DeviceContext& context) {
    const auto* font = gdi.Find<platform::gdi::Font>(reinterpret_cast<const void*>(context.font));
    if (!font || !font->instance) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    return font;
}

std::u16string_view TextView(LPCWSTR text, int count) {
    if (count < 0) {
        return std::u16string_view(text);
    }
    return std::u16string_view(text, static_cast<std::size_t>(count));
}

// In OPAQUE mode, text first paints its cells with the background colour.
void DrawTextCells(DrawingSession& session, const DeviceContext& context, FontInstance& font,
                   POINT at, std::u32string_view text, const platform::gdi::RunStyle& style) {
    if (context.background_mode == OPAQUE) {
        const int width = platform::gdi::MeasureRun(font, text, style.spacing);
        session.canvas().FillRect(RECT{at.x, at.y, at.x + width, at.y + font.Metrics().Height()},
                                  ToPixel(context.background_color));
    }
    platform::gdi::DrawRun(session.canvas(), font, at.x, at.y, text, style);
}

}  // namespace

extern "C" BOOL WINAPI ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect,
                                   LPCWSTR lpString, UINT c, const INT* lpDx) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    DeviceContext* context = gdi.FindContext(hdc);
    if (!context) {
        return FALSE;
    }
    if (c > 0 && !lpString) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const platform::gdi::Font* font = c > 0 ? SelectedFont(gdi, *context) : nullptr;
    if (c > 0 && !font) {
        return FALSE;
    }
    std::optional<RECT> device_rect;
    if (lprect) {
        // Windows takes the rectangle in either order: programs fill a frame's right and
        // bottom edges with right-to-left or bottom-to-top rectangles and expect them drawn.
        const RECT ordered{
            std::min(lprect->left, lprect->right), std::min(lprect->top, lprect->bottom),
            std::max(lprect->left, lprect->right), std::max(lprect->top, lprect->bottom)};
        device_rect = platform::gdi::OffsetRectBy(ordered, context->origin.x, context->origin.y);
    }
    DrawingSession session(gdi, *context,
                           (options & ETO_CLIPPED) ? device_rect : std::optional<RECT>());
    if ((options & ETO_OPAQUE) && device_rect) {
        session.canvas().FillRect(*device_rect, ToPixel(context->background_color));
    }
    if (c > 0) {
        const std::u32string text = platform::gdi::DecodeUtf16(TextView(lpString, int(c)));
        platform::gdi::RunStyle style;
        style.color = ToPixel(context->text_color);
        style.underline = font->log_font.lfUnderline != 0;
        style.spacing = text.size() == c ? lpDx : nullptr;
        DrawTextCells(session, *context, *font->instance, context->ToDevice(x, y), text, style);
    }
    return TRUE;
}

extern "C" BOOL WINAPI GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    const DeviceContext* context = gdi.FindContext(hdc);
    if (!context) {
        return FALSE;
    }
    if (!psizl || c < 0 || (c > 0 && !lpString)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const platform::gdi::Font* font = SelectedFont(gdi, *context);
    if (!font) {
        return FALSE;
    }
    const std::u32string text = platform::gdi::DecodeUtf16(TextView(lpString, c));
    psizl->cx = platform::gdi::MeasureRun(*font->instance, text);
    psizl->cy = font->instance->Metrics().Height();
    return TRUE;
}

extern "C" BOOL WINAPI GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    const DeviceContext* context = gdi.FindContext(hdc);
    if (!context) {
        return FALSE;
    }
    if (!lptm) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const platform::gdi::Font* font = SelectedFont(gdi, *context);
    if (!font) {
        return FALSE;
    }
    const platform::gdi::FontMetrics& metrics = font->instance->Metrics();
    const LOGFONTW& log_font = font->log_font;
    *lptm = TEXTMETRICW{};
    lptm->tmHeight = metrics.Height();
    lptm->tmAscent = metrics.ascent;
    lptm->tmDescent = metrics.descent;
    lptm->tmInternalLeading = metrics.internal_leading;
    lptm->tmExternalLeading = metrics.external_leading;
    lptm->tmAveCharWidth = metrics.average_char_width;
    lptm->tmMaxCharWidth = metrics.max_char_width;
    lptm->tmWeight = log_font.lfWeight == FW_DONTCARE ? FW_NORMAL : log_font.lfWeight;
    lptm->tmDigitizedAspectX = 96;
    lptm->tmDigitizedAspectY = 96;
    lptm->tmFirstChar = u' ';
    lptm->tmLastChar = 0xFFFC;
    lptm->tmDefaultChar = u'?';
    lptm->tmBreakChar = u' ';
    lptm->tmItalic = log_font.lfItalic ? 1 : 0;
    lptm->tmUnderlined = log_font.lfUnderline ? 1 : 0;
    lptm->tmStruckOut = log_font.lfStrikeOut ? 1 : 0;
    // Windows sets TMPF_FIXED_PITCH for a variable-pitch face.
    lptm->tmPitchAndFamily = TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE | FF_SWISS;
    lptm->tmCharSet = ANSI_CHARSET;
    return TRUE;
}

extern "C" int WINAPI DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    const DeviceContext* context = gdi.FindContext(hdc);
    if (!context) {
        return 0;
    }
    if (!lprc || (!lpchText && cchText != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const platform::gdi::Font* font = SelectedFont(gdi, *context);
    if (!font) {
        return 0;
    }
    FontInstance& instance = *font->instance;
    const std::u16string_view text = lpchText ? TextView(lpchText, cchText) : std::u16string_view();
    const std::vector<platform::gdi::TextLine> lines =
        platform::gdi::LayoutText(instance, text, format, lprc->right - lprc->left);
    const int line_height = instance.Metrics().Height();
    const int total_height = line_height * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const platform::gdi::TextLine& line : lines) {
            widest = std::max(widest, line.width);
        }
        lprc->right = lprc->left + widest;
        lprc->bottom = lprc->top + total_height;
        return total_height;
    }
    // Vertical placement applies to single lines only, as on Windows.
    int top = lprc->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) {
            top = lprc->top + (lprc->bottom - lprc->top - total_height) / 2;
        } else if (format & DT_BOTTOM) {
            top = lprc->bottom - total_height;
        }
    }
    const RECT device_rect =
        platform::gdi::OffsetRectBy(*lprc, context->origin.x, context->origin.y);
    DrawingSession session(gdi, *context,
                           (format & DT_NOCLIP) ? std::optional<RECT>() : device_rect);
    int y = top;
    for (const platform::gdi::TextLine& line : lines) {
        int x = lprc->left;
        if (format & DT_CENTER) {
            x = lprc->left + (lprc->right - lprc->left - line.width) / 2;
        } else if (format & DT_RIGHT) {
            x = lprc->right - line.width;
        }
        platform::gdi::RunStyle style;
        style.color = ToPixel(context->text_color);
        style.underline = font->log_font.lfUnderline != 0;
        style.underlined_character = line.underlined_character;
        DrawTextCells(session, *context, instance, context->ToDevice(x, y), line.text, style);
        y += line_height;
    }
    return (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))
               ? top - lprc->top + total_height
               : total_height;
}
