// An image list: images of one size, each with an optional mask of its transparent
// pixels. The images are stacked top to bottom in one GDI bitmap, and the masks in
// another, each kept selected in its own memory context, so that drawing an image is
// one blit, or two with a mask (the mask ANDed, then the image ORed in).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace platform::controls {

class ImageList {
  public:
    ImageList(int width, int height, bool masked);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return count_; }
    bool Masked() const { return masked_; }

    // Appends the images of `bitmap`, cut from left to right into pieces of the list's
    // width; with a mask, the pixels of `mask_color` become transparent (CLR_DEFAULT:
    // the colour of the top-left pixel; CLR_NONE: none). Returns the first new index,
    // or -1 when the bitmap is not one or is narrower than one image.
    int AddMasked(HBITMAP bitmap, COLORREF mask_color);
    // The same with a separate mask bitmap, white where the image is transparent.
    int Add(HBITMAP bitmap, HBITMAP mask);
    // ILD_NORMAL and ILD_TRANSPARENT both leave the masked pixels alone: a list has no
    // background colour of its own to fill them with.
    bool Draw(int index, HDC dc, int x, int y) const;

  private:
    // One bitmap's pixels as COLORREF values, row after row; empty when it is no bitmap.
    struct Pixels {
        int width = 0;
        int height = 0;
        std::vector<COLORREF> values;
        COLORREF At(int x, int y) const { return values[y * width + x]; }
    };
    static Pixels ReadPixels(HBITMAP bitmap);

    // Appends images cut from `image`; `transparent` says which of its pixels are.
    template <class IsTransparent>
    int Append(const Pixels& image, IsTransparent transparent);
    void RebuildBitmaps();

    int width_ = 0;
    int height_ = 0;
    bool masked_ = false;
    int count_ = 0;
    // 0x00RRGGBB, as CreateBitmap reads 32-bit pixels; a transparent pixel is black in
    // the image and white in the mask.
    std::vector<std::uint32_t> image_pixels_;
    std::vector<std::uint32_t> mask_pixels_;
    HDC image_dc_ = nullptr;
    HDC mask_dc_ = nullptr;
    HBITMAP image_bitmap_ = nullptr;
    HBITMAP mask_bitmap_ = nullptr;
    HGDIOBJ image_dc_default_ = nullptr;
    HGDIOBJ mask_dc_default_ = nullptr;
};

}  // namespace platform::controls
