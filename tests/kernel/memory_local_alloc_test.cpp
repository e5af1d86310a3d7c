// LocalAlloc and friends: zeroing, sizes, fixed blocks that move only when allowed,
// and pointers the heap never handed out.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(LocalAllocTest, LptrZeroesAndLocalSizeReportsTheRequest) {
    // Dirty the heap first, so zeroing is not the allocator's accident.
    for (int i = 0; i < 16; ++i) {
        auto* dirty = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, 448));
        ASSERT_NE(nullptr, dirty);
        std::fill_n(dirty, 448, BYTE{0xAB});
        LocalFree(dirty);
    }
    auto* block = static_cast<BYTE*>(LocalAlloc(LPTR, 448));
    ASSERT_NE(nullptr, block);
    EXPECT_TRUE(std::all_of(block, block + 448, [](BYTE b) { return b == 0; }));
    EXPECT_EQ(448u, LocalSize(block));
    EXPECT_EQ(nullptr, LocalFree(block));

    HLOCAL empty = LocalAlloc(LMEM_FIXED, 0);
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(0u, LocalSize(empty));
    EXPECT_EQ(nullptr, LocalFree(empty));
}

TEST(LocalAllocTest, ReAllocKeepsDataZeroesGrowthAndMovesOnlyWhenAllowed) {
    auto* block = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, 8));
    ASSERT_NE(nullptr, block);
    std::fill_n(block, 8, BYTE{7});

    // Far beyond any slack the allocator left: a fixed block cannot grow there.
    SetLastError(0);
    EXPECT_EQ(nullptr, LocalReAlloc(block, 1 << 20, LMEM_ZEROINIT));
    EXPECT_EQ(ERROR_NOT_ENOUGH_MEMORY, GetLastError());
    EXPECT_EQ(8u, LocalSize(block));

    auto* grown = static_cast<BYTE*>(LocalReAlloc(block, 1 << 20, LMEM_MOVEABLE | LMEM_ZEROINIT));
    ASSERT_NE(nullptr, grown);
    EXPECT_EQ(static_cast<SIZE_T>(1 << 20), LocalSize(grown));
    EXPECT_TRUE(std::all_of(grown, grown + 8, [](BYTE b) { return b == 7; }));
    EXPECT_TRUE(std::all_of(grown + 8, grown + (1 << 20), [](BYTE b) { return b == 0; }));

    // Shrinking stays in place.
    EXPECT_EQ(grown, LocalReAlloc(grown, 4, 0));
    EXPECT_EQ(4u, LocalSize(grown));
    EXPECT_EQ(nullptr, LocalFree(grown));
}

TEST(LocalAllocTest, ForeignAndFreedPointersFailCleanly) {
    int onStack = 0;
    SetLastError(0);
    EXPECT_EQ(&onStack, LocalFree(&onStack));
    EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());

    HLOCAL block = LocalAlloc(LPTR, 16);
    ASSERT_EQ(nullptr, LocalFree(block));
    EXPECT_EQ(block, LocalFree(block));
    EXPECT_EQ(0u, LocalSize(block));
    EXPECT_EQ(nullptr, LocalReAlloc(block, 32, LMEM_MOVEABLE));
    EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());

    EXPECT_EQ(nullptr, LocalFree(nullptr));
    EXPECT_EQ(nullptr, LocalAlloc(LMEM_MOVEABLE, 16));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, GetLastError());
}

}  // namespace
