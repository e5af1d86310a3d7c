// IPv4 addresses as text, shared by the socket library's conversions, the IP Helper
// records and the simulated network's scenario files.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "net/network_backend.h"

namespace platform::net {

// "255.255.255.255" and its terminator: the width of every address field.
using Ipv4Text = std::array<char, 16>;

// Dotted decimal of an address in network byte order, terminated.
Ipv4Text FormatIpv4(Ipv4 address);

// The classic socket-library forms: a.b.c.d, a.b.c (c fills 16 bits), a.b (b fills
// 24 bits) and a (32 bits), each part decimal, octal (leading 0) or hexadecimal
// (leading 0x). A white-space character ends the address, as in the BSD original.
// Returns the address in network byte order, or nothing for anything else.
std::optional<Ipv4> ParseIpv4(std::string_view text);

// Exactly four decimal parts: what a scenario file or a user is expected to write.
std::optional<Ipv4> ParseDottedQuad(std::string_view text);

}  // namespace platform::net
