#include "display/web_listen_address.h"

#include <arpa/inet.h>

#include <charconv>

namespace platform::display {

namespace {

std::optional<int> ParsePort(std::string_view text) {
    int port = -1;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (text.empty() || failure != std::errc{} || end != text.data() + text.size() || port < 0 ||
        port > 65535) {
        return std::nullopt;
    }
    return port;
}

// Only numeric addresses: a name would be resolved at bind time and could land on any
// interface, which is not what someone restricting the display to one address means.
bool IsNumericAddress(const std::string& host) {
    unsigned char buffer[16];
    return inet_pton(AF_INET, host.c_str(), buffer) == 1 ||
           inet_pton(AF_INET6, host.c_str(), buffer) == 1;
}

}  // namespace

bool ListenAddress::IsLoopback() const {
    in_addr v4{};
    if (inet_pton(AF_INET, host.c_str(), &v4) == 1) {
        return (ntohl(v4.s_addr) >> 24) == 127;
    }
    in6_addr v6{};
    return inet_pton(AF_INET6, host.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

std::string ListenAddress::UrlHost() const {
    return host.find(':') == std::string::npos ? host : "[" + host + "]";
}

std::optional<ListenAddress> ParseListenAddress(std::string_view text, std::string& error) {
    ListenAddress address;
    address.portGiven = true;
    const auto colon = text.rfind(':');
    std::string_view portText = text;
    if (colon != std::string_view::npos) {
        std::string_view host = text.substr(0, colon);
        portText = text.substr(colon + 1);
        if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
            host = host.substr(1, host.size() - 2);
        } else if (host.find(':') != std::string_view::npos) {
            error = "'" + std::string(text) + "': put an IPv6 address in brackets ([::1]:8240)";
            return std::nullopt;
        }
        address.host = std::string(host);
        if (!IsNumericAddress(address.host)) {
            error = "'" + address.host + "' is not a numeric IP address";
            return std::nullopt;
        }
    }
    const auto port = ParsePort(portText);
    if (!port) {
        error = "'" + std::string(text) + "' is not PORT or ADDR:PORT with a port up to 65535";
        return std::nullopt;
    }
    address.port = *port;
    return address;
}

}  // namespace platform::display
