// Bitmaps and icons from a module's resources, and drawing icons.
#include "gdi/dib_decoder.h"
#include "gdi/drawing_session.h"
#include "kernel/resources/resources.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <tuple>

using platform::gdi::Bitmap;
using platform::gdi::GdiObject;
using platform::gdi::GdiState;
using platform::gdi::Icon;

namespace {

// The size LoadIconW and LR_DEFAULTSIZE mean: the system's large icon.
constexpr int kDefaultIconSize = 32;

#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE color_count;
    BYTE reserved;
    WORD planes;
    WORD bit_count;
    DWORD bytes_in_resource;
    WORD id;
};
#pragma pack(pop)

// Shared icons (LoadIconW, LR_SHARED) are loaded once per module, name and size, and
// DestroyIcon leaves them alone, as on Windows.
using SharedIconKey = std::tuple<HMODULE, std::u16string, int>;
std::map<SharedIconKey, std::uintptr_t>& SharedIcons() {
    static std::map<SharedIconKey, std::uintptr_t> icons;
    return icons;
}

std::u16string NameKey(LPCWSTR name) {
    if (IS_INTRESOURCE(name)) {
        return u"#" + std::u16string(1, static_cast<char16_t>(reinterpret_cast<ULONG_PTR>(name)));
    }
    return std::u16string(name);
}

Bitmap Scaled(Bitmap& source, int width, int height) {
    if ((width == 0 || width == source.Width()) && (height == 0 || height == source.Height())) {
        return std::move(source);
    }
    Bitmap result(width ? width : source.Width(), height ? height : source.Height(),
                  source.BitsPerPixel());
    const RECT whole{0, 0, result.Width(), result.Height()};
    platform::gdi::Canvas(result.Surface(), platform::gdi::ClipRegion(whole))
        .Blit(source.Surface(), RECT{0, 0, source.Width(), source.Height()}, whole,
              platform::gdi::BlitOp::Copy);
    return result;
}

HBITMAP LoadBitmapResource(HINSTANCE instance, LPCWSTR name, int width, int height) {
    const auto bytes = platform::kernel::FindResourceBytes(instance, name, RT_BITMAP);
    if (!bytes) {
        return nullptr;
    }
    std::optional<Bitmap> bitmap = platform::gdi::DecodeDib(*bytes);
    if (!bitmap) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    return reinterpret_cast<HBITMAP>(gdi.AddObject({Scaled(*bitmap, width, height)}));
}

// The group's image whose width is nearest `size`, the deepest of equals.
std::optional<WORD> ChooseIconImage(std::span<const std::uint8_t> group, int size) {
    GroupIconHeader header{};
    if (group.size() < sizeof(header)) {
        return std::nullopt;
    }
    std::memcpy(&header, group.data(), sizeof(header));
    std::optional<WORD> best;
    int best_distance = std::numeric_limits<int>::max();
    WORD best_depth = 0;
    for (WORD i = 0; i < header.count; ++i) {
        const std::size_t offset = sizeof(header) + i * sizeof(GroupIconEntry);
        if (offset + sizeof(GroupIconEntry) > group.size()) {
            return std::nullopt;
        }
        GroupIconEntry entry{};
        std::memcpy(&entry, group.data() + offset, sizeof(entry));
        const int width = entry.width ? entry.width : 256;
        const int distance = std::abs(width - size);
        if (distance < best_distance ||
            (distance == best_distance && entry.bit_count > best_depth)) {
            best = entry.id;
            best_distance = distance;
            best_depth = entry.bit_count;
        }
    }
    return best;
}

HICON LoadIconResource(HINSTANCE instance, LPCWSTR name, int width, int height, bool shared) {
    const int size = width ? width : kDefaultIconSize;
    const SharedIconKey key{instance, NameKey(name), size};
    GdiState& gdi = GdiState::Instance();
    if (shared) {
        auto lock = gdi.Lock();
        if (auto found = SharedIcons().find(key); found != SharedIcons().end()) {
            return reinterpret_cast<HICON>(found->second);
        }
    }
    const auto group = platform::kernel::FindResourceBytes(instance, name, RT_GROUP_ICON);
    if (!group) {
        return nullptr;
    }
    const std::optional<WORD> image_id = ChooseIconImage(*group, size);
    const auto image = image_id ? platform::kernel::FindResourceBytes(
                                      instance, MAKEINTRESOURCEW(*image_id), RT_ICON)
                                : std::nullopt;
    std::optional<Icon> icon = image ? platform::gdi::DecodeIconImage(*image) : std::nullopt;
    if (!icon) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    GdiObject object{Icon{Scaled(icon->color, width, height), Scaled(icon->mask, width, height)}};
    object.stock = shared;
    auto lock = gdi.Lock();
    const std::uintptr_t handle = gdi.AddObject(std::move(object));
    if (shared) {
        SharedIcons()[key] = handle;
    }
    return reinterpret_cast<HICON>(handle);
}

}  // namespace

extern "C" HBITMAP WINAPI LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName) {
    return LoadBitmapResource(hInstance, lpBitmapName, 0, 0);
}

extern "C" HANDLE WINAPI LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy,
                                    UINT fuLoad) {
    if (cx < 0 || cy < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    switch (type) {
        case IMAGE_BITMAP:
            return LoadBitmapResource(hInst, name, cx, cy);
        case IMAGE_ICON:
            if (fuLoad & LR_DEFAULTSIZE) {
                cx = cx ? cx : kDefaultIconSize;
                cy = cy ? cy : kDefaultIconSize;
            }
            return LoadIconResource(hInst, name, cx, cy, (fuLoad & LR_SHARED) != 0);
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
    }
}

extern "C" HICON WINAPI LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName) {
    return LoadIconResource(hInstance, lpIconName, kDefaultIconSize, kDefaultIconSize, true);
}

extern "C" BOOL WINAPI DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth,
                                  int cyWidth, UINT istepIfAniCur, HBRUSH hbrFlickerFreeDraw,
                                  UINT diFlags) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    platform::gdi::DeviceContext* context = gdi.FindContext(hdc);
    if (!context) {
        return FALSE;
    }
    Icon* icon = gdi.Find<Icon>(hIcon);
    // Animated cursors and flicker-free drawing through a brush are not offered.
    if (!icon || istepIfAniCur != 0 || hbrFlickerFreeDraw || (diFlags & DI_NORMAL) == 0) {
        SetLastError(icon ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const POINT at = context->ToDevice(xLeft, yTop);
    const RECT dest{at.x, at.y, at.x + (cxWidth ? cxWidth : icon->color.Width()),
                    at.y + (cyWidth ? cyWidth : icon->color.Height())};
    const RECT source{0, 0, icon->color.Width(), icon->color.Height()};
    platform::gdi::DrawingSession session(gdi, *context);
    const bool both = (diFlags & DI_NORMAL) == DI_NORMAL;
    if (diFlags & DI_MASK) {
        session.canvas().Blit(icon->mask.Surface(), source, dest, platform::gdi::BlitOp::And);
    }
    if (diFlags & DI_IMAGE) {
        session.canvas().Blit(icon->color.Surface(), source, dest,
                              both ? platform::gdi::BlitOp::Xor : platform::gdi::BlitOp::Copy);
    }
    return TRUE;
}

extern "C" BOOL WINAPI DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
    return DrawIconEx(hDC, X, Y, hIcon, 0, 0, 0, nullptr, DI_NORMAL);
}

extern "C" BOOL WINAPI DestroyIcon(HICON hIcon) {
    GdiState& gdi = GdiState::Instance();
    auto lock = gdi.Lock();
    GdiObject* object = gdi.FindObject(hIcon);
    if (!object || !std::holds_alternative<Icon>(object->value)) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return FALSE;
    }
    gdi.DeleteObject(reinterpret_cast<std::uintptr_t>(hIcon));
    return TRUE;
}
