// A socket's file descriptor, closed when it goes out of scope, and the few calls the
// window request channel makes on one.
#pragma once

#include <sys/un.h>

#include <chrono>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::user {

class SocketDescriptor {
  public:
    SocketDescriptor() = default;
    explicit SocketDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~SocketDescriptor();
    SocketDescriptor(SocketDescriptor&& other) noexcept;
    SocketDescriptor& operator=(SocketDescriptor&& other) noexcept;
    SocketDescriptor(const SocketDescriptor&) = delete;
    SocketDescriptor& operator=(const SocketDescriptor&) = delete;

    // A new local packet socket (each send is received as one whole message).
    static SocketDescriptor OpenPacketSocket();

    int Get() const { return descriptor_; }
    bool Valid() const { return descriptor_ >= 0; }

    // Limits how long a send or a receive may block from now on.
    bool SetTimeout(std::chrono::milliseconds timeout);
    bool Send(std::span<const std::byte> message);
    // One whole message of at most `limit` bytes; nothing on error, time-out, end of the
    // connection or a longer message.
    std::optional<std::vector<std::byte>> Receive(std::size_t limit);

  private:
    int descriptor_ = -1;
};

// The address of a socket in the file system; false when the path is too long for one.
bool MakeLocalAddress(const std::string& path, sockaddr_un& address);

}  // namespace platform::user
