#include "kernel/objects/kernel_handle_table.h"

namespace platform::kernel {

namespace {

// Handle bits: a tag in the top byte that no heap pointer carries (so a pointer or a
// window handle passed by mistake is not taken for one of ours), the generation in
// bits 24..55, and the slot number plus one in bits 2..23, keeping the low two bits
// clear as Windows' handles do.
constexpr std::uint64_t kTag = 0x4BULL << 56;
constexpr std::uint64_t kTagMask = 0xFFULL << 56;
constexpr unsigned kGenerationShift = 24;
constexpr std::uint64_t kIndexMask = (1ULL << 22) - 1;
constexpr std::size_t kMaxSlots = kIndexMask - 1;

void* MakeHandle(std::size_t index, std::uint32_t generation) {
    const std::uint64_t bits =
        kTag | (std::uint64_t{generation} << kGenerationShift) | ((index + 1) << 2);
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(bits));
}

}  // namespace

KernelHandleTable& KernelHandleTable::Instance() {
    // Never destroyed: detached threads may still close handles while the process exits.
    static KernelHandleTable* const table = new KernelHandleTable;
    return *table;
}

void* KernelHandleTable::Add(std::shared_ptr<KernelObject> object) {
    const std::lock_guard lock(mutex_);
    std::size_t index = 0;
    if (!freeSlots_.empty()) {
        // Reuse the slot freed longest ago, so a stale handle meets a new generation
        // as late as possible.
        index = freeSlots_.front();
        freeSlots_.pop_front();
    } else if (slots_.size() < kMaxSlots) {
        index = slots_.size();
        slots_.emplace_back();
    } else {
        return nullptr;
    }
    slots_[index].object = std::move(object);
    return MakeHandle(index, slots_[index].generation);
}

KernelHandleTable::Slot* KernelHandleTable::SlotOf(void* handle) {
    const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
    if ((bits & kTagMask) != kTag || (bits & 3) != 0) {
        return nullptr;
    }
    const std::uint64_t slotNumber = (bits >> 2) & kIndexMask;
    const auto generation = static_cast<std::uint32_t>(bits >> kGenerationShift);
    if (slotNumber == 0 || slotNumber > slots_.size()) {
        return nullptr;
    }
    Slot& slot = slots_[slotNumber - 1];
    if (slot.generation != generation || slot.object == nullptr) {
        return nullptr;
    }
    return &slot;
}

std::shared_ptr<KernelObject> KernelHandleTable::Find(void* handle) {
    const std::lock_guard lock(mutex_);
    Slot* slot = SlotOf(handle);
    return slot == nullptr ? nullptr : slot->object;
}

bool KernelHandleTable::Close(void* handle) {
    std::shared_ptr<KernelObject> released;
    {
        const std::lock_guard lock(mutex_);
        Slot* slot = SlotOf(handle);
        if (slot == nullptr) {
            return false;
        }
        released = std::move(slot->object);
        // Generation 0 is never issued, so a wrapped counter skips it.
        if (++slot->generation == 0) {
            slot->generation = 1;
        }
        freeSlots_.push_back(static_cast<std::uint32_t>(slot - slots_.data()));
    }
    // The object may be destroyed here (a named mutex closes its lock file), outside
    // the table's lock.
    return true;
}

}  // namespace platform::kernel
