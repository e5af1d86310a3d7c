// The socket an echo channel sends on: an ICMP datagram ("ping") socket when the
// user's group may open one, else a raw socket when the process has cap_net_raw.
#pragma once

#include <netinet/in.h>

#include <cstdint>
#include <optional>

namespace platform::net::host {

class IcmpSocket {
  public:
    enum class Kind {
        Datagram,  // no IPv4 header; errors arrive on the error queue.
        Raw,       // whole IPv4 packets, every ICMP message of the host.
    };

    // Nothing when neither kind could be opened; errno says why.
    static std::optional<IcmpSocket> Open();

    ~IcmpSocket();
    IcmpSocket(IcmpSocket&& other) noexcept;
    IcmpSocket& operator=(IcmpSocket&& other) noexcept;
    IcmpSocket(const IcmpSocket&) = delete;
    IcmpSocket& operator=(const IcmpSocket&) = delete;

    Kind kind() const { return kind_; }
    int descriptor() const { return descriptor_; }

    // The IP header fields of the next request. The socket remembers what it last
    // set, so that repeated echoes with the same options cost no system call.
    // Returns 0 or an errno value.
    int SetTimeToLive(std::optional<std::uint8_t> ttl);
    int SetTypeOfService(std::uint8_t tos);
    int SetDontFragment(bool dontFragment);

  private:
    static std::optional<IcmpSocket> OpenRaw();
    // Sets an IPPROTO_IP option unless `current` says it already has that value.
    int SetOption(int option, int wanted, int& current);
    IcmpSocket(int descriptor, Kind kind) : descriptor_(descriptor), kind_(kind) {}

    int descriptor_ = -1;
    Kind kind_ = Kind::Datagram;
    int ttl_ = -1;  // -1: the route's default.
    int tos_ = 0;
    int mtuDiscovery_ = IP_PMTUDISC_WANT;  // the kernel's default.
};

}  // namespace platform::net::host
