#include "kernel/local_heap.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace platform::kernel {

LocalHeap& LocalHeap::Instance() {
    // Never destroyed: detached threads may still free blocks while the process exits.
    static LocalHeap* const heap = new LocalHeap;
    return *heap;
}

void* LocalHeap::Allocate(std::size_t size, bool zeroed) {
    // A zero-byte block is still a distinct, freeable block, as on Windows.
    const std::size_t bytes = std::max<std::size_t>(size, 1);
    void* block = zeroed ? std::calloc(1, bytes) : std::malloc(bytes);
    if (block == nullptr) {
        return nullptr;
    }
    const std::lock_guard lock(mutex_);
    sizes_[block] = size;
    return block;
}

std::optional<std::size_t> LocalHeap::SizeOf(void* block) {
    const std::lock_guard lock(mutex_);
    const auto found = sizes_.find(block);
    if (found == sizes_.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool LocalHeap::Free(void* block) {
    {
        const std::lock_guard lock(mutex_);
        if (sizes_.erase(block) == 0) {
            return false;
        }
    }
    std::free(block);
    return true;
}

LocalHeap::Resize LocalHeap::Reallocate(void* block, std::size_t size, bool mayMove,
                                        bool zeroGrowth) {
    const std::lock_guard lock(mutex_);
    const auto found = sizes_.find(block);
    if (found == sizes_.end()) {
        return {ResizeOutcome::UnknownBlock, nullptr};
    }
    const std::size_t oldSize = found->second;
    if (size <= malloc_usable_size(block)) {
        if (zeroGrowth && size > oldSize) {
            std::memset(static_cast<char*>(block) + oldSize, 0, size - oldSize);
        }
        found->second = size;
        return {ResizeOutcome::Resized, block};
    }
    if (!mayMove) {
        return {ResizeOutcome::OutOfMemory, nullptr};
    }
    void* moved = zeroGrowth ? std::calloc(1, size) : std::malloc(size);
    if (moved == nullptr) {
        return {ResizeOutcome::OutOfMemory, nullptr};
    }
    std::memcpy(moved, block, oldSize);
    std::free(block);
    sizes_.erase(found);
    sizes_[moved] = size;
    return {ResizeOutcome::Resized, moved};
}

}  // namespace platform::kernel
