#include "controls/image_list/image_list.h"

#include <commctrl.h>

#include <algorithm>

namespace platform::controls {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

std::uint32_t ToPixel(COLORREF color) {
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

}  // namespace

ImageList::ImageList(int width, int height, bool masked)
    : width_(width),
      height_(height),
      masked_(masked),
      image_dc_(CreateCompatibleDC(nullptr)),
      mask_dc_(CreateCompatibleDC(nullptr)) {}

ImageList::~ImageList() {
    if (image_dc_default_) {
        SelectObject(image_dc_, image_dc_default_);
        SelectObject(mask_dc_, mask_dc_default_);
    }
    if (image_bitmap_) {
        DeleteObject(image_bitmap_);
        DeleteObject(mask_bitmap_);
    }
    DeleteDC(image_dc_);
    DeleteDC(mask_dc_);
}

ImageList::Pixels ImageList::ReadPixels(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || GetObjectW(bitmap, sizeof(info), &info) != sizeof(info)) {
        return {};
    }
    Pixels pixels{info.bmWidth, info.bmHeight, {}};
    pixels.values.reserve(static_cast<std::size_t>(pixels.width) * pixels.height);
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            pixels.values.push_back(GetPixel(dc, x, y));
        }
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    return pixels;
}

template <class IsTransparent>
int ImageList::Append(const Pixels& image, IsTransparent transparent) {
    const int added = width_ > 0 ? image.width / width_ : 0;
    if (added <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    const int first = count_;
    const int rows = std::min(height_, image.height);
    const std::size_t image_area = static_cast<std::size_t>(width_) * height_;
    image_pixels_.resize(image_pixels_.size() + image_area * added, kBlack);
    mask_pixels_.resize(mask_pixels_.size() + image_area * added, masked_ ? kWhite : kBlack);
    for (int n = 0; n < added; ++n) {
        const std::size_t base = image_area * static_cast<std::size_t>(first + n);
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < width_; ++x) {
                const int source_x = n * width_ + x;
                const std::size_t at = base + static_cast<std::size_t>(y) * width_ + x;
                if (masked_ && transparent(source_x, y)) {
                    continue;  // black in the image, white in the mask
                }
                image_pixels_[at] = ToPixel(image.At(source_x, y));
                mask_pixels_[at] = kBlack;
            }
        }
    }
    count_ += added;
    RebuildBitmaps();
    return first;
}

int ImageList::AddMasked(HBITMAP bitmap, COLORREF mask_color) {
    const Pixels image = ReadPixels(bitmap);
    if (image.values.empty()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return -1;
    }
    const COLORREF key = mask_color == CLR_DEFAULT ? image.At(0, 0) : mask_color;
    return Append(image, [&](int x, int y) { return key != CLR_NONE && image.At(x, y) == key; });
}

int ImageList::Add(HBITMAP bitmap, HBITMAP mask) {
    const Pixels image = ReadPixels(bitmap);
    if (image.values.empty()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return -1;
    }
    const Pixels mask_pixels = ReadPixels(mask);
    return Append(image, [&](int x, int y) {
        return x < mask_pixels.width && y < mask_pixels.height &&
               mask_pixels.At(x, y) == RGB(255, 255, 255);
    });
}

// Images are added rarely and a list holds a few dozen at most, so the bitmaps are made
// anew from the pixels rather than grown in place.
void ImageList::RebuildBitmaps() {
    const int strip_height = height_ * count_;
    HBITMAP image = CreateBitmap(width_, strip_height, 1, 32, image_pixels_.data());
    HBITMAP mask = CreateBitmap(width_, strip_height, 1, 32, mask_pixels_.data());
    const HGDIOBJ old_image = SelectObject(image_dc_, image);
    const HGDIOBJ old_mask = SelectObject(mask_dc_, mask);
    if (!image_dc_default_) {
        image_dc_default_ = old_image;
        mask_dc_default_ = old_mask;
    }
    if (image_bitmap_) {
        DeleteObject(image_bitmap_);
        DeleteObject(mask_bitmap_);
    }
    image_bitmap_ = image;
    mask_bitmap_ = mask;
}

bool ImageList::Draw(int index, HDC dc, int x, int y) const {
    if (index < 0 || index >= count_) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const int top = index * height_;
    if (!masked_) {
        return BitBlt(dc, x, y, width_, height_, image_dc_, 0, top, SRCCOPY);
    }
    return BitBlt(dc, x, y, width_, height_, mask_dc_, 0, top, SRCAND) &&
           BitBlt(dc, x, y, width_, height_, image_dc_, 0, top, SRCPAINT);
}

}  // namespace platform::controls
