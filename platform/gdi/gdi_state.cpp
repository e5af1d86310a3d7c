#include "gdi/gdi_state.h"

#include "gdi/font_engine.h"

#include <cstring>

namespace platform::gdi {

namespace {

// The handheld's system font is Tahoma and its dialog font MS Sans Serif, both at 8 points.
Font StockFont(const char16_t* face) {
    Font font;
    font.log_font.lfHeight = -11;
    font.log_font.lfWeight = FW_NORMAL;
    std::memcpy(font.log_font.lfFaceName, face, std::char_traits<char16_t>::length(face) * 2);
    font.instance = FontEngine::Instance().Realize(font.log_font);
    return font;
}

}  // namespace

GdiState& GdiState::Instance() {
    static GdiState state;
    return state;
}

GdiState::GdiState() {
    stock_[WHITE_BRUSH] = AddStock({Brush{RGB(255, 255, 255)}});
    stock_[LTGRAY_BRUSH] = AddStock({Brush{RGB(192, 192, 192)}});
    stock_[GRAY_BRUSH] = AddStock({Brush{RGB(128, 128, 128)}});
    stock_[DKGRAY_BRUSH] = AddStock({Brush{RGB(64, 64, 64)}});
    stock_[BLACK_BRUSH] = AddStock({Brush{RGB(0, 0, 0)}});
    stock_[NULL_BRUSH] = AddStock({Brush{0, true}});
    stock_[WHITE_PEN] = AddStock({Pen{PS_SOLID, 1, RGB(255, 255, 255)}});
    stock_[BLACK_PEN] = AddStock({Pen{PS_SOLID, 1, RGB(0, 0, 0)}});
    stock_[NULL_PEN] = AddStock({Pen{PS_NULL, 1, 0}});
    stock_[SYSTEM_FONT] = AddStock({StockFont(u"Tahoma")});
    stock_[DEFAULT_GUI_FONT] = AddStock({StockFont(u"MS Sans Serif")});
    for (int index = 0; index < kSystemColorCount; ++index) {
        system_color_brushes_[static_cast<std::size_t>(index)] =
            AddStock({Brush{SystemColor(index).value_or(0)}});
    }
    default_bitmap_ = AddStock({Bitmap(1, 1, 1, 0xFFFFFF)});
}

std::uintptr_t GdiState::AddStock(GdiObject object) {
    object.stock = true;
    return AddObject(std::move(object));
}

std::uintptr_t GdiState::AddObject(GdiObject object) {
    return objects_.Add(std::move(object));
}

GdiObject* GdiState::FindObject(const void* handle) {
    return objects_.Find(reinterpret_cast<std::uintptr_t>(handle));
}

void GdiState::DeleteObject(std::uintptr_t handle) {
    GdiObject* object = objects_.Find(handle);
    if (!object || object->stock) {
        return;
    }
    if (object->selected_count > 0) {
        object->delete_pending = true;
        return;
    }
    objects_.Remove(handle);
}

std::uintptr_t GdiState::AddContext(DeviceContext context) {
    Replace(context.pen, stock_[BLACK_PEN]);
    Replace(context.brush, stock_[WHITE_BRUSH]);
    Replace(context.font, stock_[SYSTEM_FONT]);
    if (context.target == DcTarget::Memory) {
        Replace(context.bitmap, default_bitmap_);
        context.clip = ClipRegion(RECT{0, 0, 1, 1});
    }
    return contexts_.Add(std::move(context));
}

DeviceContext* GdiState::FindContext(HDC hdc) {
    DeviceContext* context = contexts_.Find(reinterpret_cast<std::uintptr_t>(hdc));
    if (!context) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return context;
}

void GdiState::DeleteContext(HDC hdc) {
    std::optional<DeviceContext> context = contexts_.Remove(reinterpret_cast<std::uintptr_t>(hdc));
    if (!context) {
        return;
    }
    for (std::uintptr_t* slot :
         {&context->pen, &context->brush, &context->font, &context->bitmap}) {
        Replace(*slot, 0);
    }
}

std::uintptr_t GdiState::Replace(std::uintptr_t& slot, std::uintptr_t handle) {
    const std::uintptr_t previous = slot;
    slot = handle;
    if (GdiObject* incoming = objects_.Find(handle)) {
        ++incoming->selected_count;
    }
    if (GdiObject* outgoing = objects_.Find(previous)) {
        --outgoing->selected_count;
        if (outgoing->delete_pending && outgoing->selected_count == 0) {
            objects_.Remove(previous);
        }
    }
    return previous;
}

std::uintptr_t GdiState::StockObject(int index) const {
    if (index < 0 || index >= static_cast<int>(stock_.size())) {
        return 0;
    }
    return stock_[static_cast<std::size_t>(index)];
}

std::uintptr_t GdiState::SystemColorBrush(int index) const {
    if (index < 0 || index >= kSystemColorCount) {
        return 0;
    }
    return system_color_brushes_[static_cast<std::size_t>(index)];
}

}  // namespace platform::gdi
