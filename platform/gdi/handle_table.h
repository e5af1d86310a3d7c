// Objects reached through opaque handles. A handle carries a tag (what kind of table it
// came from), a slot index and the slot's generation; the generation changes when the
// slot is freed, so a stale handle, or a number that was never a handle, finds nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::gdi {

template <class T>
class HandleTable {
  public:
    explicit HandleTable(std::uint8_t tag) : tag_(tag) {}

    std::uintptr_t Add(std::unique_ptr<T> value) {
        std::uint32_t index = 0;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            index = static_cast<std::uint32_t>(slots_.size());
            slots_.emplace_back();
        }
        slots_[index].value = std::move(value);
        return Encode(index, slots_[index].generation);
    }

    T* Find(std::uintptr_t handle) const {
        const Slot* slot = SlotOf(handle);
        return slot ? slot->value.get() : nullptr;
    }

    std::unique_ptr<T> Remove(std::uintptr_t handle) {
        Slot* slot = const_cast<Slot*>(SlotOf(handle));
        if (!slot) {
            return nullptr;
        }
        slot->generation = (slot->generation + 1) & kGenerationMask;
        if (slot->generation == 0) {
            slot->generation = 1;
        }
        free_.push_back(static_cast<std::uint32_t>(slot - slots_.data()));
        return std::move(slot->value);
    }

  private:
    static constexpr std::uint32_t kIndexBits = 24;
    static constexpr std::uint32_t kGenerationMask = 0xFFFFFF;

    struct Slot {
        std::unique_ptr<T> value;
        std::uint32_t generation = 1;
    };

    std::uintptr_t Encode(std::uint32_t index, std::uint32_t generation) const {
        return (std::uintptr_t{tag_} << 48) | (std::uintptr_t{generation} << kIndexBits) | index;
    }

    const Slot* SlotOf(std::uintptr_t handle) const {
        if ((handle >> 48) != tag_) {
            return nullptr;
        }
        const std::uint32_t index = handle & ((1u << kIndexBits) - 1);
        const std::uint32_t generation = (handle >> kIndexBits) & kGenerationMask;
        if (index >= slots_.size() || slots_[index].generation != generation ||
            !slots_[index].value) {
            return nullptr;
        }
        return &slots_[index];
    }

    std::uint8_t tag_ = 0;
    std::vector<Slot> slots_;
    std::vector<std::uint32_t> free_;
};

}  // namespace platform::gdi
