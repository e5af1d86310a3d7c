// Filling, lines, pixels and blits on a device context.
#include "gdi/color.h"
#include "gdi/drawing_session.h"
#include "gdi/rect_math.h"

#include <wingdi.h>

#include <optional>
#include <vector>

using platform::gdi::BlitOp;
using platform::gdi::DeviceContext;
using platform::gdi::DrawingSession;
using platform::gdi::GdiState;
using platform::gdi::ToPixel;

namespace {

// A brush's colour, or none for a hollow brush. As on Windows, a system colour index
// plus one stands for that colour's brush (class backgrounds are given that way).
std::optional<COLORREF> BrushColor(GdiState& gdi, HBRUSH brush, bool& valid) {
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    valid = true;
    if (value >= 1 && value <= platform::gdi::kSystemColorCount) {
        return platform::gdi::SystemColor(static_cast<int>(value) - 1);
    }
    if (const auto* found = gdi.Find<platform::gdi::Brush>(brush)) {
        return found->hollow ? std::nullopt : std::optional(found->color);
    }
    valid = false;
    return std::nullopt;
}

const platform::gdi::Pen* DrawingPen(GdiState& gdi, const DeviceContext& context) {
    const auto* pen = gdi.Find<platform::gdi::Pen>(reinterpret_cast<const void*>(context.pen));
    return pen && pen->style != PS_NULL ? pen : nullptr;
}

RECT ToDeviceRect(const DeviceContext& context, const RECT& logical) {
    return platform::gdi::OffsetRectBy(logical, context.origin.x, context.origin.y);
}

std::optional<BlitOp> BlitOpFor(DWORD rop) {
    switch (rop) {
        case SRCCOPY:
            return BlitOp::Copy;
        case SRCAND:
            return BlitOp::And;
        case SRCPAINT:
            return BlitOp::Or;
        case SRCINVERT:
            return BlitOp::Xor;
        default:
            return std::nullopt;
    }
}

// Copies the source area first, so that a blit within one surface reads the pixels as
// they were before it started.
// FIXME: a 1-bit source keeps black and white instead of taking the destination's text
// and background colours; the program's bitmaps are all in colour.
BOOL Blit(HDC dest_dc, const RECT& dest_logical, HDC source_dc, const RECT& source_logical,
          DWORD rop) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    DeviceContext* dest = gdi.FindContext(dest_dc);
    if (!dest) {
        return FALSE;
    }
    const RECT dest_rect = ToDeviceRect(*dest, dest_logical);
    if (rop == BLACKNESS || rop == WHITENESS) {
        DrawingSession session(gdi, *dest);
        session.canvas().FillRect(dest_rect, rop == BLACKNESS ? 0 : 0xFFFFFF);
        return TRUE;
    }
    const std::optional<BlitOp> op = BlitOpFor(rop);
    DeviceContext* source = gdi.FindContext(source_dc);
    if (!source) {
        return FALSE;
    }
    if (!op) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const RECT source_rect = ToDeviceRect(*source, source_logical);
    const int width = source_rect.right - source_rect.left;
    const int height = source_rect.bottom - source_rect.top;
    if (width <= 0 || height <= 0) {
        return TRUE;
    }
    platform::gdi::Bitmap copy(width, height, 32);
    {
        std::optional<DrawingSession> source_session;
        if (source->target == platform::gdi::DcTarget::Screen) {
            source_session.emplace(gdi, *source, RECT{0, 0, 0, 0});
        }
        const platform::gdi::PixelSurface from = platform::gdi::TargetSurface(gdi, *source);
        platform::gdi::Canvas to(copy.Surface(),
                                 platform::gdi::ClipRegion(RECT{0, 0, width, height}));
        to.Blit(from, source_rect, RECT{0, 0, width, height}, BlitOp::Copy);
    }
    DrawingSession session(gdi, *dest);
    session.canvas().Blit(copy.Surface(), RECT{0, 0, width, height}, dest_rect, *op);
    return TRUE;
}

}  // namespace

extern "C" int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    DeviceContext* context = gdi.FindContext(hDC);
    if (!context) {
        return 0;
    }
    bool valid_brush = false;
    const std::optional<COLORREF> color = BrushColor(gdi, hbr, valid_brush);
    if (!lprc || !valid_brush) {
        SetLastError(lprc ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (color) {
        DrawingSession session(gdi, *context);
        session.canvas().FillRect(ToDeviceRect(*context, *lprc), ToPixel(*color));
    }
    return 1;
}

extern "C" BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    DeviceContext* context = gdi.FindContext(hdc);
    if (!context) {
        return FALSE;
    }
    bool valid_brush = false;
    const std::optional<COLORREF> fill =
        BrushColor(gdi, reinterpret_cast<HBRUSH>(context->brush), valid_brush);
    const platform::gdi::Pen* pen = DrawingPen(gdi, *context);
    const RECT outer = ToDeviceRect(*context, RECT{left, top, right, bottom});
    // The pen's border lies inside the rectangle; the brush fills what it leaves.
    const int border = pen ? pen->width : 0;
    const RECT inner{outer.left + border, outer.top + border, outer.right - border,
                     outer.bottom - border};
    DrawingSession session(gdi, *context);
    platform::gdi::Canvas& canvas = session.canvas();
    if (pen) {
        const std::uint32_t color = ToPixel(pen->color);
        canvas.FillRect(RECT{outer.left, outer.top, outer.right, inner.top}, color);
        canvas.FillRect(RECT{outer.left, inner.bottom, outer.right, outer.bottom}, color);
        canvas.FillRect(RECT{outer.left, inner.top, inner.left, inner.bottom}, color);
        canvas.FillRect(RECT{inner.right, inner.top, outer.right, inner.bottom}, color);
    }
    if (fill) {
        canvas.FillRect(inner, ToPixel(*fill));
    }
    return TRUE;
}

// Draws from the current position to each point in turn with the selected pen, leaving
// the last point undrawn, as Windows does.
namespace {

BOOL DrawLines(HDC hdc, const POINT* points, int count, bool from_position) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    DeviceContext* context = gdi.FindContext(hdc);
    if (!context) {
        return FALSE;
    }
    if (!points || count < (from_position ? 1 : 2)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const platform::gdi::Pen* pen = DrawingPen(gdi, *context);
    POINT previous = from_position ? context->position : points[0];
    if (from_position) {
        context->position = points[count - 1];
    }
    if (!pen) {
        return TRUE;
    }
    DrawingSession session(gdi, *context);
    for (int i = from_position ? 0 : 1; i < count; ++i) {
        session.canvas().DrawLine(context->ToDevice(previous.x, previous.y),
                                  context->ToDevice(points[i].x, points[i].y), ToPixel(pen->color),
                                  pen->width);
        previous = points[i];
    }
    return TRUE;
}

}  // namespace

extern "C" BOOL WINAPI Polyline(HDC hdc, const POINT* apt, int cpt) {
    return DrawLines(hdc, apt, cpt, false);
}

extern "C" BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    const POINT to{x, y};
    return DrawLines(hdc, &to, 1, true);
}

extern "C" BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    DeviceContext* context = gdi.FindContext(hdc);
    if (!context) {
        return FALSE;
    }
    if (lppt) {
        *lppt = context->position;
    }
    context->position = POINT{x, y};
    return TRUE;
}

extern "C" COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    DeviceContext* context = gdi.FindContext(hdc);
    if (!context) {
        return CLR_INVALID;
    }
    const POINT at = context->ToDevice(x, y);
    if (!context->clip.Contains(at.x, at.y)) {
        return CLR_INVALID;
    }
    DrawingSession session(gdi, *context);
    session.canvas().SetPixel(at.x, at.y, ToPixel(color));
    return color & 0xFFFFFF;
}

extern "C" COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    DeviceContext* context = gdi.FindContext(hdc);
    if (!context) {
        return CLR_INVALID;
    }
    const POINT at = context->ToDevice(x, y);
    if (!context->clip.Contains(at.x, at.y)) {
        return CLR_INVALID;
    }
    DrawingSession session(gdi, *context, RECT{0, 0, 0, 0});
    return platform::gdi::ToColorref(platform::gdi::TargetSurface(gdi, *context).At(at.x, at.y));
}

extern "C" BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1,
                              DWORD rop) {
    return Blit(hdc, RECT{x, y, x + cx, y + cy}, hdcSrc, RECT{x1, y1, x1 + cx, y1 + cy}, rop);
}

extern "C" BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest,
                                  HDC hdcSrc, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop) {
    return Blit(hdcDest, RECT{xDest, yDest, xDest + wDest, yDest + hDest}, hdcSrc,
                RECT{xSrc, ySrc, xSrc + wSrc, ySrc + hSrc}, rop);
}
