#include "display/framebuffer.h"

#include <algorithm>
#include <utility>

namespace platform::display {

Framebuffer::Framebuffer(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0xFFFFFF) {}

void Framebuffer::MarkDirty(const RECT& changed) {
    const RECT clipped{std::max<LONG>(changed.left, 0), std::max<LONG>(changed.top, 0),
                       std::min<LONG>(changed.right, width_),
                       std::min<LONG>(changed.bottom, height_)};
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) {
        return;
    }
    if (!dirty_) {
        dirty_ = clipped;
        return;
    }
    dirty_->left = std::min(dirty_->left, clipped.left);
    dirty_->top = std::min(dirty_->top, clipped.top);
    dirty_->right = std::max(dirty_->right, clipped.right);
    dirty_->bottom = std::max(dirty_->bottom, clipped.bottom);
}

std::optional<RECT> Framebuffer::TakeDirty() {
    return std::exchange(dirty_, std::nullopt);
}

Framebuffer& Screen() {
    static Framebuffer screen(kScreenWidth, kScreenHeight);
    return screen;
}

}  // namespace platform::display
