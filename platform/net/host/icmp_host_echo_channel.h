// Echoes over a real ICMP socket. Replies and router reports that belong to earlier
// requests of the channel (late answers to a timed-out echo) are read and dropped.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "net/host/icmp_socket.h"
#include "net/icmp_echo_channel.h"

namespace platform::net::host {

class HostEchoChannel final : public EchoChannel {
  public:
    explicit HostEchoChannel(IcmpSocket socket);

    Query<EchoReply> Echo(const EchoRequest& request) override;

  private:
    using Clock = std::chrono::steady_clock;

    struct Arrival {
        Ipv4 from = 0;
        std::uint8_t type = 0;
        std::uint8_t code = 0;
        std::uint8_t ttl = 0;
        std::vector<std::uint8_t> echoedData;
    };

    std::uint32_t ApplyOptions(const EchoRequest& request);
    // One message from the socket, if it answers the current request. Errors of the
    // read are the caller's to ignore: the wait goes on until the deadline.
    std::optional<Arrival> ReadAnswer();
    std::optional<Arrival> ReadErrorQueue();

    IcmpSocket socket_;
    std::uint16_t identifier_ = 0;
    std::uint16_t sequence_ = 0;
    // Sized for the current request's answer, so a longer message (someone else's,
    // on a raw socket) is cut and then fails to match.
    std::vector<std::uint8_t> receiveBuffer_;
};

// The channel the host backend gives IcmpCreateFile, or a Win32 error when no ICMP
// socket can be opened; the device then says once what would allow it.
Query<std::unique_ptr<EchoChannel>> OpenHostEchoChannel();

}  // namespace platform::net::host
