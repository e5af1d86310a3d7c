// What one process's window manager asks of another's over the per-user sockets, and
// the answers. Both ends are this program on this machine, so the records are plain
// bytes in the machine's order; a record that does not decode exactly is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::user {

enum class WindowRequestKind : std::uint32_t {
    // The first top-level window whose class name and title match (letter case ignored).
    Find = 1,
    // Activate a window found before, or its enabled owned pop-up, and raise the display.
    BringForward = 2,
};

struct WindowRequest {
    WindowRequestKind kind = WindowRequestKind::Find;
    // Find: the names to match; none matches any.
    std::optional<std::u16string> className;
    std::optional<std::u16string> title;
    // BringForward: the process instance and window handle a Find answered.
    std::uint64_t instance = 0;
    std::uint64_t window = 0;
    bool ownedPopupFirst = false;
};

struct WindowReply {
    bool ok = false;
    // Which run of the answering process this is: a process id can come back after the
    // process ends, a handle value with it, but never this number.
    std::uint64_t instance = 0;
    std::uint64_t window = 0;
};

// Longer names than this are not sent: no class name is that long, and a title that is
// cannot be asked for across processes.
constexpr std::size_t kMaxRequestNameUnits = 1024;
constexpr std::size_t kMaxRequestBytes = 64 + 4 * kMaxRequestNameUnits;

// Nothing when a name is too long to send.
std::optional<std::vector<std::byte>> EncodeRequest(const WindowRequest& request);
std::optional<WindowRequest> DecodeRequest(std::span<const std::byte> bytes);
std::vector<std::byte> EncodeReply(const WindowReply& reply);
std::optional<WindowReply> DecodeReply(std::span<const std::byte> bytes);

}  // namespace platform::user
