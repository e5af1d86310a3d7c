#include "kernel/objects/kernel_handle_table.h"

namespace platform::kernel {

KernelHandleTable& KernelHandleTable::Instance() {
    // Never destroyed: detached threads may still close handles while the process exits.
    static KernelHandleTable* const table = new KernelHandleTable;
    return *table;
}

void* KernelHandleTable::Add(std::shared_ptr<KernelObject> object) {
    const std::lock_guard lock(mutex_);
    return table_.Add(std::move(object));
}

std::shared_ptr<KernelObject> KernelHandleTable::Find(void* handle) {
    const std::lock_guard lock(mutex_);
    const std::shared_ptr<KernelObject>* object = table_.Find(handle);
    return object ? *object : nullptr;
}

bool KernelHandleTable::Close(void* handle) {
    std::optional<std::shared_ptr<KernelObject>> released;
    {
        const std::lock_guard lock(mutex_);
        released = table_.Remove(handle);
    }
    // The object may be destroyed here (a named mutex closes its lock file), outside
    // the table's lock.
    return released.has_value();
}

}  // namespace platform::kernel
