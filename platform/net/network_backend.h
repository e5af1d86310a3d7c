// The one interface behind the IP Helper and socket facades. A backend answers
// in plain C++ values; the facades turn them into the Win32 buffers, so that the
// buffer protocol (size probe, overflow, copy) is written once for every backend.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "net/physical_address.h"

namespace platform::net {

class EchoChannel;
struct HostEntry;

// Addresses are IPv4 in network byte order, as the Win32 records hold them.
using Ipv4 = std::uint32_t;

struct AddressWithMask {
    Ipv4 address = 0;
    Ipv4 mask = 0;
};

struct AdapterState {
    std::string name;         // the interface name, also the registry key under Comm\.
    std::string description;  // what the driver calls the adapter.
    std::uint32_t index = 0;  // the interface index: the adapter's identity.
    std::uint32_t type = 6;   // MIB_IF_TYPE_*.
    std::vector<std::uint8_t> hardwareAddress;  // 0 to 8 bytes.
    std::vector<AddressWithMask> addresses;     // empty: the facade reports 0.0.0.0.
    std::vector<Ipv4> gateways;
    bool dhcpEnabled = false;
    Ipv4 dhcpServer = 0;
    std::int64_t leaseObtained = 0;  // seconds since 1970, UTC.
    std::int64_t leaseExpires = 0;
    bool haveWins = false;
    Ipv4 primaryWins = 0;
    Ipv4 secondaryWins = 0;
};

struct InterfaceState {
    std::uint32_t index = 0;
    std::string name;
    std::string description;
    std::uint32_t type = 6;
    std::uint32_t mtu = 0;
    std::uint32_t speed = 0;  // bits per second; 0 when unknown.
    std::vector<std::uint8_t> hardwareAddress;
    bool adminUp = false;
    bool operational = false;
};

struct NetworkParameters {
    std::string hostName;
    std::string domainName;
    std::vector<Ipv4> dnsServers;
    std::optional<Ipv4> currentDnsServer;
};

struct NeighbourRow {
    std::uint32_t interfaceIndex = 0;
    PhysicalAddress hardwareAddress;
    Ipv4 address = 0;
    std::uint32_t type = 0;  // MIB_IPNET_TYPE_*.
};

// A query either yields its value or fails with a Win32 error code.
template <typename T>
class Query {
  public:
    Query(T value) : result_(std::move(value)) {}
    static Query Failure(std::uint32_t error) { return Query(ErrorTag{error}); }

    bool ok() const { return std::holds_alternative<T>(result_); }
    const T& value() const { return std::get<T>(result_); }
    T& value() { return std::get<T>(result_); }
    std::uint32_t error() const { return ok() ? 0 : std::get<ErrorTag>(result_).code; }

  private:
    struct ErrorTag {
        std::uint32_t code;
    };
    explicit Query(ErrorTag e) : result_(e) {}
    std::variant<T, ErrorTag> result_;
};

class NetworkBackend {
  public:
    virtual ~NetworkBackend() = default;

    virtual Query<std::vector<AdapterState>> Adapters() = 0;
    virtual Query<InterfaceState> Interface(std::uint32_t index) = 0;
    virtual Query<NetworkParameters> Parameters() = 0;
    virtual Query<std::vector<NeighbourRow>> Neighbours() = 0;
    // How many rows Neighbours() would give now: what a size probe needs. A backend
    // whose reads are costly may keep the rows it counted for the read that follows.
    virtual Query<std::size_t> NeighbourCount();

    // DHCP: give back the lease of the adapter with this interface index, or ask for
    // one anew. 0 when the request was made (the address changes when the client and
    // server have done their part), else a Win32 error code. A backend without DHCP
    // answers ERROR_NOT_SUPPORTED.
    virtual std::uint32_t ReleaseLease(std::uint32_t index);
    virtual std::uint32_t RenewLease(std::uint32_t index);

    // ICMP echo: one channel per IcmpCreateFile handle. Fails with a Win32 error code
    // when the device cannot send ICMP at all; a backend without ICMP answers
    // ERROR_NOT_SUPPORTED.
    virtual Query<std::unique_ptr<EchoChannel>> OpenEchoChannel();
    // The resolver. An empty name asks for the device itself. Failures are WSA error
    // codes (WSAHOST_NOT_FOUND, WSANO_DATA, WSATRY_AGAIN, WSANO_RECOVERY); a backend
    // without names knows none (WSAHOST_NOT_FOUND).
    virtual Query<HostEntry> HostByName(const std::string& name);
    virtual Query<HostEntry> HostByAddress(Ipv4 address);
};

// The backend the facades use. The device installs one at start; until then the
// host backend serves, so that a program (or a test) run without the launcher
// sees the real machine.
NetworkBackend& Backend();
void InstallBackend(std::unique_ptr<NetworkBackend> backend);

}  // namespace platform::net
