// Handles: stale and forged handles fail cleanly; selected objects outlive DeleteObject.
#include "gdi/memory_dc.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(GdiHandles, StaleAndForgedHandlesFailWithInvalidHandle) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_TRUE(DeleteObject(brush));
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(DeleteDC(dc));

    SetLastError(0);
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(DeleteDC(dc));
    const RECT rect{0, 0, 1, 1};
    EXPECT_EQ(FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))), 0);

    // A new object may reuse the slot, but the old handle must not reach it.
    HBRUSH reused = CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_NE(reused, brush);
    MemoryDc memory(4, 4);
    EXPECT_EQ(SelectObject(memory.dc(), brush), nullptr);
    EXPECT_EQ(FillRect(memory.dc(), &rect, brush), 0);
    EXPECT_EQ(memory.Pixel(0, 0), MemoryDc::kPaper);

    for (std::uintptr_t forged :
         {std::uintptr_t{0x1234}, std::uintptr_t{0x47ABCDEF000000}, ~std::uintptr_t{0}}) {
        auto* handle = reinterpret_cast<HGDIOBJ>(forged);
        EXPECT_FALSE(DeleteObject(handle));
        EXPECT_EQ(SelectObject(memory.dc(), handle), nullptr);
        EXPECT_EQ(GetObjectType(handle), 0u);
        EXPECT_EQ(GetPixel(static_cast<HDC>(handle), 0, 0), CLR_INVALID);
    }
    DeleteObject(reused);
}

TEST(GdiHandles, DeletingASelectedObjectWaitsUntilItIsDeselected) {
    MemoryDc memory(4, 4);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(memory.dc(), pen);
    EXPECT_EQ(old, GetStockObject(BLACK_PEN)) << "SelectObject returns the previous object";
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN)) << "still selected, still alive";
    MoveToEx(memory.dc(), 0, 0, nullptr);
    LineTo(memory.dc(), 3, 0);
    EXPECT_EQ(memory.Pixel(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(SelectObject(memory.dc(), old), pen);
    EXPECT_EQ(GetObjectType(pen), 0u) << "gone once deselected";
}

TEST(GdiHandles, StockObjectsSurviveDeleteAndBitmapsSelectIntoOneContext) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    EXPECT_TRUE(DeleteObject(white));
    EXPECT_EQ(GetObjectType(white), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetStockObject(12345), nullptr);

    MemoryDc first(4, 4);
    HDC second = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(second, first.bitmap()), nullptr)
        << "a bitmap already in a context cannot be selected into another";
    BITMAP info{};
    ASSERT_EQ(GetObjectW(first.bitmap(), sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmHeight, 4);
    EXPECT_EQ(info.bmBitsPixel, 32);
    DeleteDC(second);
    EXPECT_EQ(CreateCompatibleBitmap(first.dc(), 0, 10), nullptr);
    EXPECT_EQ(CreateBitmap(100000, 1, 1, 32, nullptr), nullptr);
}

}  // namespace
