// The blocks LocalAlloc hands out. Every live block is recorded, so that freeing,
// sizing or resizing a pointer the heap never gave (or already took back) fails with
// ERROR_INVALID_HANDLE instead of corrupting memory.
#pragma once

#include <cstddef>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace platform::kernel {

class LocalHeap {
  public:
    static LocalHeap& Instance();

    void* Allocate(std::size_t size, bool zeroed);
    std::optional<std::size_t> SizeOf(void* block);
    bool Free(void* block);

    enum class ResizeOutcome { Resized, UnknownBlock, OutOfMemory };
    struct Resize {
        ResizeOutcome outcome = ResizeOutcome::UnknownBlock;
        void* block = nullptr;
    };
    // Grows or shrinks in place when the allocator's block has room; moves the data
    // only when mayMove is set, as a fixed block may not otherwise move.
    Resize Reallocate(void* block, std::size_t size, bool mayMove, bool zeroGrowth);

  private:
    std::mutex mutex_;
    std::unordered_map<void*, std::size_t> sizes_;
};

}  // namespace platform::kernel
