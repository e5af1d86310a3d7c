// Device contexts: memory contexts, object selection and the colour state.
#include "display/framebuffer.h"
#include "gdi/gdi_state.h"

#include <wingdi.h>

#include <utility>

using platform::gdi::Bitmap;
using platform::gdi::DcTarget;
using platform::gdi::DeviceContext;
using platform::gdi::GdiObject;
using platform::gdi::GdiState;

namespace {

// Sets a colour-state field and returns its previous value, or `failure` on a bad handle.
template <class T>
T SwapField(HDC hdc, T DeviceContext::*field, T value, T failure) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    DeviceContext* context = gdi.FindContext(hdc);
    return context ? std::exchange(context->*field, value) : failure;
}

template <class T>
T ReadField(HDC hdc, T DeviceContext::*field, T failure) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    const DeviceContext* context = gdi.FindContext(hdc);
    return context ? context->*field : failure;
}

// A bitmap can be in one memory context at a time; selecting it sets the drawable area.
HGDIOBJ SelectBitmap(GdiState& gdi, DeviceContext& context, GdiObject& object,
                     std::uintptr_t handle) {
    Bitmap& bitmap = std::get<Bitmap>(object.value);
    if (context.target != DcTarget::Memory ||
        (!object.stock && object.selected_count > 0 && context.bitmap != handle)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    context.clip = platform::gdi::ClipRegion(RECT{0, 0, bitmap.Width(), bitmap.Height()});
    return reinterpret_cast<HGDIOBJ>(gdi.Replace(context.bitmap, handle));
}

}  // namespace

extern "C" HDC WINAPI CreateCompatibleDC(HDC hdc) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    if (hdc && !gdi.FindContext(hdc)) {
        return nullptr;
    }
    return reinterpret_cast<HDC>(gdi.AddContext(DeviceContext{}));
}

extern "C" BOOL WINAPI DeleteDC(HDC hdc) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    if (!gdi.FindContext(hdc)) {
        return FALSE;
    }
    gdi.DeleteContext(hdc);
    return TRUE;
}

extern "C" int WINAPI GetDeviceCaps(HDC hdc, int index) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    if (!gdi.FindContext(hdc)) {
        return 0;
    }
    switch (index) {
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        case HORZRES:
            return platform::display::kScreenWidth;
        case VERTRES:
            return platform::display::kScreenHeight;
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        default:
            return 0;
    }
}

extern "C" HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    DeviceContext* context = gdi.FindContext(hdc);
    GdiObject* object = gdi.FindObject(h);
    if (!context) {
        return nullptr;
    }
    if (!object || object->delete_pending) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const auto handle = reinterpret_cast<std::uintptr_t>(h);
    std::uintptr_t* slot = nullptr;
    if (std::holds_alternative<platform::gdi::Pen>(object->value)) {
        slot = &context->pen;
    } else if (std::holds_alternative<platform::gdi::Brush>(object->value)) {
        slot = &context->brush;
    } else if (std::holds_alternative<platform::gdi::Font>(object->value)) {
        slot = &context->font;
    } else if (std::holds_alternative<Bitmap>(object->value)) {
        return SelectBitmap(gdi, *context, *object, handle);
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return reinterpret_cast<HGDIOBJ>(gdi.Replace(*slot, handle));
}

extern "C" HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    const DeviceContext* context = gdi.FindContext(hdc);
    if (!context) {
        return nullptr;
    }
    switch (type) {
        case OBJ_PEN:
            return reinterpret_cast<HGDIOBJ>(context->pen);
        case OBJ_BRUSH:
            return reinterpret_cast<HGDIOBJ>(context->brush);
        case OBJ_FONT:
            return reinterpret_cast<HGDIOBJ>(context->font);
        case OBJ_BITMAP:
            return reinterpret_cast<HGDIOBJ>(context->bitmap);
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

extern "C" COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    return SwapField(hdc, &DeviceContext::text_color, color, COLORREF{CLR_INVALID});
}

extern "C" COLORREF WINAPI GetTextColor(HDC hdc) {
    return ReadField(hdc, &DeviceContext::text_color, COLORREF{CLR_INVALID});
}

extern "C" COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    return SwapField(hdc, &DeviceContext::background_color, color, COLORREF{CLR_INVALID});
}

extern "C" COLORREF WINAPI GetBkColor(HDC hdc) {
    return ReadField(hdc, &DeviceContext::background_color, COLORREF{CLR_INVALID});
}

extern "C" int WINAPI SetBkMode(HDC hdc, int mode) {
    if (mode != OPAQUE && mode != TRANSPARENT) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return SwapField(hdc, &DeviceContext::background_mode, mode, 0);
}

extern "C" int WINAPI GetBkMode(HDC hdc) {
    return ReadField(hdc, &DeviceContext::background_mode, 0);
}
