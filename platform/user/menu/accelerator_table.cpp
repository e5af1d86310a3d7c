#include "user/menu/accelerator_table.h"

#include <cstring>

namespace platform::user {

namespace {

constexpr std::size_t kResourceEntrySize = 8;
constexpr BYTE kLastEntry = 0x80;

WORD ReadWord(const BYTE* bytes) {
    return static_cast<WORD>(bytes[0] | (bytes[1] << 8));
}

}  // namespace

std::optional<AcceleratorTable> AcceleratorTable::FromResource(const BYTE* data, DWORD size) {
    std::vector<ACCEL> entries;
    for (std::size_t offset = 0; data && offset + kResourceEntrySize <= size;
         offset += kResourceEntrySize) {
        const WORD flags = ReadWord(data + offset);
        entries.push_back(ACCEL{static_cast<BYTE>(flags & ~kLastEntry), ReadWord(data + offset + 2),
                                ReadWord(data + offset + 4)});
        if (flags & kLastEntry) {
            return AcceleratorTable(std::move(entries));
        }
    }
    // No entry said it was the last: the data was cut short.
    return std::nullopt;
}

std::optional<WORD> AcceleratorTable::CommandFor(const MSG& msg, bool shift, bool control,
                                                 bool alt) const {
    const bool keyDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool character = msg.message == WM_CHAR || msg.message == WM_SYSCHAR;
    for (const ACCEL& entry : entries_) {
        if (entry.fVirt & FVIRTKEY) {
            const bool modifiersMatch = shift == bool(entry.fVirt & FSHIFT) &&
                                        control == bool(entry.fVirt & FCONTROL) &&
                                        alt == bool(entry.fVirt & FALT);
            if (keyDown && entry.key == msg.wParam && modifiersMatch) {
                return entry.cmd;
            }
        } else if (character && entry.key == msg.wParam && alt == bool(entry.fVirt & FALT)) {
            return entry.cmd;
        }
    }
    return std::nullopt;
}

}  // namespace platform::user
