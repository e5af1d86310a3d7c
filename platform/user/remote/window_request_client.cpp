#include "user/remote/window_request_client.h"

#include <sys/socket.h>

#include <cerrno>

#include "user/remote/socket_descriptor.h"

namespace platform::user {

PeerReply AskPeer(const PeerProcess& peer, const WindowRequest& request,
                  std::chrono::milliseconds timeout) {
    const auto message = EncodeRequest(request);
    sockaddr_un address{};
    SocketDescriptor socket = SocketDescriptor::OpenPacketSocket();
    if (!message || !MakeLocalAddress(peer.socketPath, address) || !socket.Valid() ||
        !socket.SetTimeout(timeout)) {
        return {};
    }
    int connected = 0;
    do {
        connected =
            connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (connected != 0 && errno == EINTR);
    if (connected != 0) {
        if (errno == ECONNREFUSED || errno == ENOENT) {
            ProcessDirectory::RemoveIfEnded(peer);
            return {PeerAnswer::Gone, {}};
        }
        return {};
    }
    if (!socket.Send(*message)) {
        return {};
    }
    const auto answer = socket.Receive(kMaxRequestBytes);
    const auto reply = answer ? DecodeReply(*answer) : std::nullopt;
    if (!reply) {
        return {};
    }
    return {PeerAnswer::Answered, *reply};
}

}  // namespace platform::user
