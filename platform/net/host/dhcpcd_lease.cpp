#include "net/host/dhcp_lease.h"

#include <arpa/inet.h>

#include <array>
#include <cstring>
#include <string>

#include "net/host/text_fields.h"

namespace platform::net::host {
namespace {

// A BOOTP message: op (2 for a reply) at offset 0, the fixed fields up to 236,
// the DHCP magic cookie, then the options.
constexpr std::size_t kCookieOffset = 236;
constexpr std::size_t kOptionsOffset = 240;
constexpr std::uint8_t kBootReply = 2;
constexpr std::array<std::uint8_t, 4> kMagicCookie = {99, 130, 83, 99};

constexpr std::uint8_t kOptionPad = 0;
constexpr std::uint8_t kOptionEnd = 255;
constexpr std::uint8_t kOptionLeaseTime = 51;
constexpr std::uint8_t kOptionServerId = 54;

std::uint32_t BigEndian32(const std::uint8_t* bytes) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return ntohl(value);
}

}  // namespace

std::optional<DhcpLease> ParseDhcpcdLease(std::span<const std::uint8_t> packet,
                                          std::int64_t written) {
    if (packet.size() < kOptionsOffset || packet[0] != kBootReply ||
        std::memcmp(packet.data() + kCookieOffset, kMagicCookie.data(), kMagicCookie.size()) != 0) {
        return std::nullopt;
    }
    std::optional<Ipv4> server;
    std::optional<std::uint64_t> leaseSeconds;
    std::size_t position = kOptionsOffset;
    while (position < packet.size() && packet[position] != kOptionEnd) {
        const std::uint8_t code = packet[position];
        if (code == kOptionPad) {
            ++position;
            continue;
        }
        // An option whose length runs past the packet ends the walk.
        if (position + 2 > packet.size() || position + 2 + packet[position + 1] > packet.size()) {
            break;
        }
        const std::uint8_t length = packet[position + 1];
        const std::uint8_t* value = packet.data() + position + 2;
        if (code == kOptionServerId && length == 4) {
            Ipv4 address = 0;
            std::memcpy(&address, value, sizeof address);
            server = address;
        } else if (code == kOptionLeaseTime && length == 4) {
            leaseSeconds = BigEndian32(value);
        }
        position += 2 + length;
    }
    return LeaseFrom(server, written, leaseSeconds);
}

std::optional<DhcpLease> ParseDhcpcdVariables(std::string_view text, std::int64_t written) {
    std::optional<Ipv4> server;
    std::optional<std::uint64_t> leaseSeconds;
    ForEachLine(text, [&](std::string_view line) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            return;
        }
        const std::string_view name = Trimmed(line.substr(0, equals));
        std::string_view value = Trimmed(line.substr(equals + 1));
        // Some versions quote every value.
        if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
            value = value.substr(1, value.size() - 2);
        }
        if (name == "dhcp_server_identifier") {
            server = ParseIpv4(value);
        } else if (name == "dhcp_lease_time") {
            leaseSeconds = ParseUnsigned(value);
        }
    });
    // Without either the output is not a lease (an error text, another version).
    if (!server && !leaseSeconds) {
        return std::nullopt;
    }
    return LeaseFrom(server, written, leaseSeconds);
}

}  // namespace platform::net::host
