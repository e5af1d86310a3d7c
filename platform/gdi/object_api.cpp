// GDI objects: stock objects, pens, brushes, fonts, bitmaps, and their deletion.
#include "gdi/font_engine.h"
#include "gdi/gdi_state.h"

#include <wingdi.h>

#include <algorithm>
#include <cstring>

using platform::gdi::Bitmap;
using platform::gdi::GdiObject;
using platform::gdi::GdiState;

namespace {

// Larger bitmaps than the screen many times over are a caller's mistake, not a request.
constexpr int kMaxBitmapSide = 4096;

bool ValidBitmapSize(int width, int height) {
    return width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide;
}

template <class Handle>
Handle AddObject(GdiObject object) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    return reinterpret_cast<Handle>(gdi.AddObject(std::move(object)));
}

// Rows of a CreateBitmap image are padded to 16 bits, as on Windows.
Bitmap BitmapFromBits(int width, int height, UINT bits_per_pixel, const BYTE* bits) {
    Bitmap bitmap(width, height, static_cast<int>(bits_per_pixel));
    if (!bits) {
        return bitmap;
    }
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits_per_pixel + 15) / 16) * 2;
    for (int y = 0; y < height; ++y) {
        const BYTE* row = bits + stride * static_cast<std::size_t>(y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = 0;
            if (bits_per_pixel == 1) {
                pixel = (row[x >> 3] & (0x80 >> (x & 7))) ? 0xFFFFFF : 0;
            } else {
                std::memcpy(&pixel, row + static_cast<std::size_t>(x) * 4, 4);
            }
            bitmap.Pixels()[static_cast<std::size_t>(y) * width + x] = pixel & 0xFFFFFF;
        }
    }
    return bitmap;
}

}  // namespace

extern "C" HGDIOBJ WINAPI GetStockObject(int i) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    return reinterpret_cast<HGDIOBJ>(gdi.StockObject(i));
}

extern "C" BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    GdiObject* object = gdi.FindObject(ho);
    if (!object || std::holds_alternative<platform::gdi::Icon>(object->value)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    gdi.DeleteObject(reinterpret_cast<std::uintptr_t>(ho));
    return TRUE;
}

extern "C" DWORD WINAPI GetObjectType(HGDIOBJ h) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    if (const GdiObject* object = gdi.FindObject(h)) {
        constexpr DWORD kTypes[] = {OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, 0};
        return kTypes[object->value.index()];
    }
    if (platform::gdi::DeviceContext* context = gdi.FindContext(static_cast<HDC>(h))) {
        return context->target == platform::gdi::DcTarget::Memory ? OBJ_MEMDC : OBJ_DC;
    }
    return 0;
}

extern "C" int WINAPI GetObjectW(HANDLE h, int c, LPVOID pv) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    const GdiObject* object = gdi.FindObject(h);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    auto copy_out = [&](const auto& value) {
        constexpr int size = sizeof(value);
        if (!pv) {
            return size;
        }
        const int copied = std::min(c, size);
        std::memcpy(pv, &value, static_cast<std::size_t>(std::max(copied, 0)));
        return std::max(copied, 0);
    };
    if (const auto* bitmap = std::get_if<Bitmap>(&object->value)) {
        BITMAP info{};
        info.bmWidth = bitmap->Width();
        info.bmHeight = bitmap->Height();
        info.bmWidthBytes = ((bitmap->Width() * bitmap->BitsPerPixel() + 15) / 16) * 2;
        info.bmPlanes = 1;
        info.bmBitsPixel = static_cast<WORD>(bitmap->BitsPerPixel());
        return copy_out(info);
    }
    if (const auto* font = std::get_if<platform::gdi::Font>(&object->value)) {
        return copy_out(font->log_font);
    }
    // FIXME: pens and brushes are not described yet; nothing in the program asks.
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
}

extern "C" HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
    if (iStyle != PS_SOLID && iStyle != PS_NULL && iStyle != PS_DASH) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // FIXME: dashed pens draw solid; nothing in the program draws dashes.
    const int style = iStyle == PS_NULL ? PS_NULL : PS_SOLID;
    return AddObject<HPEN>({platform::gdi::Pen{style, std::max(cWidth, 1), color & 0xFFFFFF}});
}

extern "C" HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    return AddObject<HBRUSH>({platform::gdi::Brush{color & 0xFFFFFF}});
}

extern "C" HFONT WINAPI CreateFontIndirectW(const LOGFONTW* lplf) {
    if (!lplf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    platform::gdi::Font font;
    font.log_font = *lplf;
    font.log_font.lfFaceName[LF_FACESIZE - 1] = 0;
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    font.instance = platform::gdi::FontEngine::Instance().Realize(font.log_font);
    if (!font.instance) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HFONT>(gdi.AddObject({std::move(font)}));
}

extern "C" HFONT WINAPI CreateFontW(int cHeight, int cWidth, int cEscapement, int cOrientation,
                                    int cWeight, DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut,
                                    DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                                    DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName) {
    LOGFONTW font{cHeight,
                  cWidth,
                  cEscapement,
                  cOrientation,
                  cWeight,
                  static_cast<BYTE>(bItalic),
                  static_cast<BYTE>(bUnderline),
                  static_cast<BYTE>(bStrikeOut),
                  static_cast<BYTE>(iCharSet),
                  static_cast<BYTE>(iOutPrecision),
                  static_cast<BYTE>(iClipPrecision),
                  static_cast<BYTE>(iQuality),
                  static_cast<BYTE>(iPitchAndFamily),
                  {}};
    for (int i = 0; pszFaceName && pszFaceName[i] && i < LF_FACESIZE - 1; ++i) {
        font.lfFaceName[i] = pszFaceName[i];
    }
    return CreateFontIndirectW(&font);
}

extern "C" HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount,
                                       const VOID* lpBits) {
    if (!ValidBitmapSize(nWidth, nHeight) || nPlanes != 1 || (nBitCount != 1 && nBitCount != 32)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return AddObject<HBITMAP>(
        {BitmapFromBits(nWidth, nHeight, nBitCount, static_cast<const BYTE*>(lpBits))});
}

extern "C" HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    if (!gdi.FindContext(hdc)) {
        return nullptr;
    }
    if (!ValidBitmapSize(cx, cy)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // Every surface here is 32-bit, so every context is compatible with a 32-bit bitmap.
    return reinterpret_cast<HBITMAP>(gdi.AddObject({Bitmap(cx, cy, 32)}));
}

extern "C" DWORD WINAPI GetSysColor(int nIndex) {
    return platform::gdi::SystemColor(nIndex).value_or(0);
}

extern "C" HBRUSH WINAPI GetSysColorBrush(int nIndex) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    return reinterpret_cast<HBRUSH>(gdi.SystemColorBrush(nIndex));
}
