// The process's GDI: the handle tables for objects and device contexts, the stock
// objects, and the one lock that every GDI call holds while it runs.
#pragma once

#include "gdi/device_context.h"
#include "gdi/gdi_object.h"
#include "gdi/system_colors.h"
#include "kernel/objects/handle_table.h"

#include <array>
#include <mutex>

namespace platform::gdi {

class GdiState {
  public:
    static GdiState& Instance();

    [[nodiscard]] std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }

    // The following need the lock.
    std::uintptr_t AddObject(GdiObject object);
    GdiObject* FindObject(const void* handle);
    template <class T>
    T* Find(const void* handle) {
        GdiObject* object = FindObject(handle);
        return object ? std::get_if<T>(&object->value) : nullptr;
    }
    // Frees a non-stock object now, or when its last device context lets go of it.
    void DeleteObject(std::uintptr_t handle);

    std::uintptr_t AddContext(DeviceContext context);
    // Sets ERROR_INVALID_HANDLE when the handle is not a live device context.
    DeviceContext* FindContext(HDC hdc);
    void DeleteContext(HDC hdc);

    // Puts `handle` in `slot` of a context, keeping selection counts; returns the previous.
    std::uintptr_t Replace(std::uintptr_t& slot, std::uintptr_t handle);

    // Zero when the index names no stock object.
    std::uintptr_t StockObject(int index) const;
    std::uintptr_t SystemColorBrush(int index) const;
    // The 1 x 1 bitmap a memory context holds before one is selected.
    std::uintptr_t DefaultBitmap() const { return default_bitmap_; }

  private:
    GdiState();
    std::uintptr_t AddStock(GdiObject object);

    std::mutex mutex_;
    kernel::HandleTable<GdiObject> objects_{0x47};
    kernel::HandleTable<DeviceContext> contexts_{0x44};
    std::array<std::uintptr_t, DEFAULT_GUI_FONT + 1> stock_{};
    std::array<std::uintptr_t, kSystemColorCount> system_color_brushes_{};
    std::uintptr_t default_bitmap_ = 0;
};

}  // namespace platform::gdi
