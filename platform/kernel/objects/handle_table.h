// Objects reached through opaque handles: kernel objects, GDI objects and device
// contexts, windows, menus, image lists, tree items. A handle carries its table's tag, a
// slot number and the slot's generation, which changes each time the slot is emptied, so
// a closed handle, a handle of another kind, or a number that was never a handle finds
// nothing instead of someone else's object. The table takes no lock: its owner guards it
// with the lock that already covers the objects.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <utility>

namespace platform::kernel {

// `Handle` is the type callers hold: a number, or a pointer type such as HWND.
template <class T, class Handle = std::uintptr_t>
class HandleTable {
    static_assert(sizeof(Handle) == sizeof(std::uintptr_t));

  public:
    using Slot = std::uint32_t;

    explicit HandleTable(std::uint8_t tag) : tag_(std::uint64_t{tag} << kTagShift) {}

    // The slot now holding `value`, or nullopt when every slot is taken. Values stay where
    // they are put, so a reference to one lasts until its slot is emptied.
    std::optional<Slot> Insert(T value) {
        Slot slot = 0;
        if (!free_.empty()) {
            // The slot emptied longest ago, so a stale handle meets its slot's next
            // generation as late as possible.
            slot = free_.front();
            free_.pop_front();
        } else if (slots_.size() < kMaxSlots) {
            slot = static_cast<Slot>(slots_.size());
            slots_.emplace_back();
        } else {
            return std::nullopt;
        }
        slots_[slot].value.emplace(std::move(value));
        return slot;
    }

    // Empties a live slot, retiring every handle to it, and gives back its value.
    T Erase(Slot slot) {
        Entry& entry = slots_[slot];
        T value = std::move(*entry.value);
        entry.value.reset();
        ++entry.generation;
        free_.push_back(slot);
        return value;
    }

    Handle HandleOf(Slot slot) const {
        const std::uint64_t bits = tag_ |
                                   (std::uint64_t{slots_[slot].generation} << kGenerationShift) |
                                   ((std::uint64_t{slot} + 1) << kSlotShift);
        return std::bit_cast<Handle>(static_cast<std::uintptr_t>(bits));
    }

    // The live slot the handle names, or nullopt.
    std::optional<Slot> SlotOf(Handle handle) const {
        const std::uint64_t bits = std::bit_cast<std::uintptr_t>(handle);
        if ((bits & kTagMask) != tag_ || (bits & kLowBits) != 0) {
            return std::nullopt;
        }
        const std::uint64_t slotPlusOne = (bits >> kSlotShift) & kSlotMask;
        const auto generation = static_cast<std::uint32_t>(bits >> kGenerationShift);
        if (slotPlusOne == 0 || slotPlusOne > slots_.size()) {
            return std::nullopt;
        }
        const Entry& entry = slots_[slotPlusOne - 1];
        if (entry.generation != generation || !entry.value) {
            return std::nullopt;
        }
        return static_cast<Slot>(slotPlusOne - 1);
    }

    // A live slot's value.
    T& operator[](Slot slot) { return *slots_[slot].value; }
    const T& operator[](Slot slot) const { return *slots_[slot].value; }

    // The same by handle, for owners that keep no slots of their own. Add gives a null
    // handle when the table is full.
    Handle Add(T value) {
        const std::optional<Slot> slot = Insert(std::move(value));
        return slot ? HandleOf(*slot) : Handle{};
    }
    const T* Find(Handle handle) const {
        const std::optional<Slot> slot = SlotOf(handle);
        return slot ? &(*this)[*slot] : nullptr;
    }
    T* Find(Handle handle) { return const_cast<T*>(std::as_const(*this).Find(handle)); }
    std::optional<T> Remove(Handle handle) {
        const std::optional<Slot> slot = SlotOf(handle);
        return slot ? std::optional<T>(Erase(*slot)) : std::nullopt;
    }

  private:
    // Handle bits: the tag in the top byte, which no heap pointer carries, so a pointer
    // passed by mistake is not taken for a handle; the generation in bits 24..55; the
    // slot number plus one in bits 2..23. The low two bits stay clear as in Windows'
    // handles, which lets SetForegroundWindow's caller flag a window handle with bit 0.
    static constexpr unsigned kTagShift = 56;
    static constexpr std::uint64_t kTagMask = std::uint64_t{0xFF} << kTagShift;
    static constexpr unsigned kGenerationShift = 24;
    static constexpr unsigned kSlotShift = 2;
    static constexpr std::uint64_t kSlotMask = (std::uint64_t{1} << 22) - 1;
    static constexpr std::uint64_t kLowBits = 3;
    static constexpr std::size_t kMaxSlots = kSlotMask;

    struct Entry {
        std::optional<T> value;
        std::uint32_t generation = 1;
    };

    std::uint64_t tag_;
    // A deque, since growing it moves no value.
    std::deque<Entry> slots_;
    std::deque<Slot> free_;
};

}  // namespace platform::kernel
