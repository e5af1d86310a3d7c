// A memory device context with a white 32-bit bitmap selected, for drawing tests that
// read pixels back.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

class MemoryDc {
  public:
    // The colour a new context's bitmap is filled with.
    static constexpr COLORREF kPaper = RGB(255, 255, 255);

    MemoryDc(int width, int height)
        : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateCompatibleBitmap(dc_, width, height)) {
        previous_ = SelectObject(dc_, bitmap_);
        const RECT all{0, 0, width, height};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~MemoryDc() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

    // Every pixel of `rect` whose colour is not `background`.
    std::vector<std::pair<int, int>> Ink(const RECT& rect, COLORREF background) const {
        std::vector<std::pair<int, int>> ink;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                if (Pixel(x, y) != background) {
                    ink.emplace_back(x, y);
                }
            }
        }
        return ink;
    }

    // The bounding box of the ink in `rect` (empty when there is none).
    RECT InkBounds(const RECT& rect, COLORREF background) const {
        RECT bounds{rect.right, rect.bottom, rect.left, rect.top};
        for (const auto& [x, y] : Ink(rect, background)) {
            bounds.left = std::min<LONG>(bounds.left, x);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x + 1);
            bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
        }
        return bounds;
    }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};
