#include "user/remote/socket_descriptor.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace platform::user {

SocketDescriptor::~SocketDescriptor() {
    if (descriptor_ >= 0) {
        close(descriptor_);
    }
}

SocketDescriptor::SocketDescriptor(SocketDescriptor&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)) {}

SocketDescriptor& SocketDescriptor::operator=(SocketDescriptor&& other) noexcept {
    if (this != &other) {
        SocketDescriptor old(std::exchange(descriptor_, std::exchange(other.descriptor_, -1)));
    }
    return *this;
}

SocketDescriptor SocketDescriptor::OpenPacketSocket() {
    return SocketDescriptor(socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0));
}

bool SocketDescriptor::SetTimeout(std::chrono::milliseconds timeout) {
    timeval limit{};
    limit.tv_sec = static_cast<time_t>(timeout.count() / 1000);
    limit.tv_usec = static_cast<suseconds_t>((timeout.count() % 1000) * 1000);
    return setsockopt(descriptor_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit) == 0 &&
           setsockopt(descriptor_, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit) == 0;
}

bool SocketDescriptor::Send(std::span<const std::byte> message) {
    ssize_t sent = 0;
    do {
        sent = send(descriptor_, message.data(), message.size(), MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(message.size());
}

std::optional<std::vector<std::byte>> SocketDescriptor::Receive(std::size_t limit) {
    // One byte more than allowed shows a message that is too long: it arrives cut.
    std::vector<std::byte> message(limit + 1);
    ssize_t received = 0;
    do {
        received = recv(descriptor_, message.data(), message.size(), 0);
    } while (received < 0 && errno == EINTR);
    if (received <= 0 || static_cast<std::size_t>(received) > limit) {
        return std::nullopt;
    }
    message.resize(static_cast<std::size_t>(received));
    return message;
}

bool MakeLocalAddress(const std::string& path, sockaddr_un& address) {
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace platform::user
