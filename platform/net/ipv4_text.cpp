#include "net/ipv4_text.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace platform::net {
namespace {

// The four bytes as they lie in memory, first byte first, whatever the host order.
Ipv4 FromBytes(std::uint32_t hostOrder) {
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(hostOrder >> 24), static_cast<std::uint8_t>(hostOrder >> 16),
        static_cast<std::uint8_t>(hostOrder >> 8), static_cast<std::uint8_t>(hostOrder)};
    Ipv4 address = 0;
    std::memcpy(&address, bytes, sizeof address);
    return address;
}

bool IsDigitOfBase(char c, unsigned base) {
    if (base == 16) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    }
    return c >= '0' && c < static_cast<char>('0' + base);
}

unsigned DigitValue(char c) {
    if (c >= 'a') {
        return static_cast<unsigned>(c - 'a' + 10);
    }
    if (c >= 'A') {
        return static_cast<unsigned>(c - 'A' + 10);
    }
    return static_cast<unsigned>(c - '0');
}

// One part of a socket-library address at pos; advances pos past it.
std::optional<std::uint32_t> ParsePart(std::string_view text, std::size_t& pos) {
    unsigned base = 10;
    if (pos < text.size() && text[pos] == '0') {
        base = 8;
        if (pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
            base = 16;
            pos += 2;
        }
    }
    const std::size_t first = pos;
    std::uint64_t value = 0;
    while (pos < text.size() && text[pos] != '.') {
        if (!IsDigitOfBase(text[pos], base)) {
            return std::nullopt;
        }
        value = value * base + DigitValue(text[pos]);
        if (value > 0xffffffffu) {
            return std::nullopt;
        }
        ++pos;
    }
    if (pos == first) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace

Ipv4Text FormatIpv4(Ipv4 address) {
    std::uint8_t bytes[4] = {};
    std::memcpy(bytes, &address, sizeof bytes);
    Ipv4Text text{};
    std::snprintf(text.data(), text.size(), "%u.%u.%u.%u", bytes[0], bytes[1], bytes[2], bytes[3]);
    return text;
}

std::optional<Ipv4> ParseIpv4(std::string_view text) {
    const std::size_t space = text.find_first_of(" \t\n\v\f\r");
    if (space != std::string_view::npos) {
        text = text.substr(0, space);
    }
    std::uint32_t parts[4] = {};
    std::size_t count = 0;
    std::size_t pos = 0;
    for (;;) {
        if (count == 4) {
            return std::nullopt;
        }
        const auto part = ParsePart(text, pos);
        if (!part) {
            return std::nullopt;
        }
        parts[count++] = *part;
        if (pos == text.size()) {
            break;
        }
        ++pos;  // the '.' that ended the part.
    }
    // Every part but the last is one byte; the last fills the bytes that remain.
    for (std::size_t i = 0; i + 1 < count; ++i) {
        if (parts[i] > 0xff) {
            return std::nullopt;
        }
    }
    const unsigned lastBits = 32 - 8 * static_cast<unsigned>(count - 1);
    if (lastBits < 32 && parts[count - 1] >> lastBits != 0) {
        return std::nullopt;
    }
    std::uint32_t hostOrder = 0;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        hostOrder |= parts[i] << (24 - 8 * i);
    }
    hostOrder |= parts[count - 1];
    return FromBytes(hostOrder);
}

std::optional<Ipv4> ParseDottedQuad(std::string_view text) {
    std::uint32_t hostOrder = 0;
    std::size_t pos = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (pos == text.size() || text[pos] != '.') {
                return std::nullopt;
            }
            ++pos;
        }
        const std::size_t first = pos;
        unsigned value = 0;
        while (pos < text.size() && pos - first < 3 && text[pos] >= '0' && text[pos] <= '9') {
            value = value * 10 + static_cast<unsigned>(text[pos] - '0');
            ++pos;
        }
        // A leading zero would read as octal to the socket library; refuse it here.
        const bool leadingZero = pos - first > 1 && text[first] == '0';
        if (pos == first || value > 255 || leadingZero) {
            return std::nullopt;
        }
        hostOrder = hostOrder << 8 | value;
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    return FromBytes(hostOrder);
}

}  // namespace platform::net
