// An accelerator table: keys that become commands.
#pragma once

#include <windows.h>
#include <winuser.h>

#include <optional>
#include <vector>

namespace platform::user {

class AcceleratorTable {
  public:
    explicit AcceleratorTable(std::vector<ACCEL> entries) : entries_(std::move(entries)) {}

    // Reads the RT_ACCELERATOR resource layout: 8-byte entries (flags, key, command,
    // padding), the last one marked with 0x80 in its flags. Empty on malformed data.
    static std::optional<AcceleratorTable> FromResource(const BYTE* data, DWORD size);

    // The command for a key message, given which modifiers are down. Virtual-key entries
    // match WM_KEYDOWN and WM_SYSKEYDOWN with exactly their modifiers; character entries
    // match WM_CHAR.
    std::optional<WORD> CommandFor(const MSG& msg, bool shift, bool control, bool alt) const;

  private:
    std::vector<ACCEL> entries_;
};

}  // namespace platform::user
