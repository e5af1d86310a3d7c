#include "kernel/objects/named_mutex_table.h"

#include <cstdint>

namespace platform::kernel {

NamedMutexTable& NamedMutexTable::Instance() {
    // Never destroyed: detached threads may still open names while the process exits.
    static NamedMutexTable* const table = new NamedMutexTable;
    return *table;
}

NamedMutexTable::Opened NamedMutexTable::Open(std::u16string_view name, bool initialOwner) {
    const std::lock_guard lock(mutex_);
    std::erase_if(byName_, [](const auto& entry) { return entry.second.expired(); });
    const std::u16string key(name);
    if (auto existing = byName_[key].lock()) {
        return {std::move(existing), true, 0};
    }
    auto claim = CrossProcessName::Open(name);
    if (claim.name == nullptr) {
        byName_.erase(key);
        return {nullptr, false, claim.error};
    }
    auto created = std::make_shared<MutexObject>(std::move(claim.name));
    if (initialOwner && !claim.heldElsewhere) {
        created->Wait(0);
    }
    byName_[key] = created;
    return {std::move(created), claim.heldElsewhere, 0};
}

}  // namespace platform::kernel
