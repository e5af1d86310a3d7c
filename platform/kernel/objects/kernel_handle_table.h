// The process's kernel handles (threads, mutexes, events, registry keys, echo handles),
// in one handle table that any thread may use.
#pragma once

#include <memory>
#include <mutex>

#include "kernel/objects/handle_table.h"
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
    std::mutex mutex_;
    HandleTable<std::shared_ptr<KernelObject>, void*> table_{0x4B};
};

}  // namespace platform::kernel
