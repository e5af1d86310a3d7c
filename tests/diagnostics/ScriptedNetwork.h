// A network for the diagnostics engine's tests, installed as the device's backend:
// destinations with the routers on the way to them, names, and a record of every echo
// request the engine made. Nothing waits: a silent hop or host answers "timed out" at
// once, so a test of a ten-second time-out takes no time.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "net/icmp_echo_channel.h"
#include "net/network_backend.h"
#include "net/winsock_host_entry.h"

namespace diagnostics_test {

using platform::net::Ipv4;

// An IPv4 address in network byte order.
constexpr Ipv4 Address(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return static_cast<Ipv4>(a) | static_cast<Ipv4>(b) << 8 | static_cast<Ipv4>(c) << 16 |
           static_cast<Ipv4>(d) << 24;
}

struct Destination {
    // The routers before the destination, nearest first; nothing for a router that
    // drops the request without a word.
    std::vector<std::optional<Ipv4>> routers;
    std::uint32_t roundTripMs = 1;
    // How many echoes the destination answers before it falls silent; none: all.
    std::optional<int> answers;
};

struct RecordedEcho {
    Ipv4 destination = 0;
    std::vector<std::uint8_t> data;
    std::optional<std::uint8_t> ttl;
    std::uint32_t timeoutMs = 0;
};

class ScriptedNetwork {
  public:
    // Installs a fresh network as the device's; the previous one is dropped.
    static std::shared_ptr<ScriptedNetwork> Install();

    void AddDestination(Ipv4 address, Destination destination);
    void AddName(const std::string& name, std::vector<Ipv4> addresses);
    void AddReverseName(Ipv4 address, const std::string& name);
    // IcmpCreateFile fails from now on, as without permission to send ICMP.
    void RefuseIcmp();
    // Echoes wait inside the network until Open(): lets a test act while a worker is
    // in the middle of an echo.
    void Close();
    void Open();
    // Blocks until an echo waits at the closed gate.
    void AwaitEchoAtGate();

    std::vector<RecordedEcho> Echoes();

    // What the backend asks of the script.
    bool IcmpRefused();
    platform::net::Query<platform::net::EchoReply> Answer(
        const platform::net::EchoRequest& request);
    std::optional<platform::net::HostEntry> HostByName(const std::string& name);
    std::optional<platform::net::HostEntry> HostByAddress(Ipv4 address);

  private:
    std::mutex lock_;
    std::condition_variable gateChanged_;
    bool gateClosed_ = false;
    bool echoAtGate_ = false;
    bool icmpRefused_ = false;
    std::map<Ipv4, Destination> destinations_;
    std::map<std::string, std::vector<Ipv4>> names_;
    std::map<Ipv4, std::string> reverseNames_;
    std::vector<RecordedEcho> echoes_;
};

}  // namespace diagnostics_test
