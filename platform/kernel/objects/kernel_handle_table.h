// The process's kernel handles (threads, mutexes, events). A handle carries its
// slot's generation, so a handle that was closed, or never issued, finds nothing
// instead of someone else's object.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "kernel/objects/kernel_object.h"

namespace platform::kernel {

class KernelHandleTable {
  public:
    static KernelHandleTable& Instance();

    // Null when the table is full.
    void* Add(std::shared_ptr<KernelObject> object);
    std::shared_ptr<KernelObject> Find(void* handle);
    bool Close(void* handle);

    template <typename Object>
    std::shared_ptr<Object> FindAs(void* handle) {
        return std::dynamic_pointer_cast<Object>(Find(handle));
    }

  private:
    struct Slot {
        std::uint32_t generation = 1;
        std::shared_ptr<KernelObject> object;
    };

    // Resolves a handle's bits to its live slot, or null; call with mutex_ held.
    Slot* SlotOf(void* handle);

    std::mutex mutex_;
    std::vector<Slot> slots_;
    std::deque<std::uint32_t> freeSlots_;
};

}  // namespace platform::kernel
