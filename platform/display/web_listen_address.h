// Where the browser display listens: `--listen PORT` or `--listen ADDR:PORT` (an IPv6
// address in brackets). Loopback is the default and needs no token; any other address
// is reachable from other machines, so the display then demands a token in every request.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::display {

// 240 x 320 is the screen; the port is easy to remember and rarely taken.
inline constexpr int kDefaultWebPort = 8240;

struct ListenAddress {
    std::string host = "127.0.0.1";
    int port = kDefaultWebPort;
    // A port the user named is used or the display fails; the default port falls back
    // to a free one, so two devices on one machine both start.
    bool portGiven = false;

    bool IsLoopback() const;
    // The host as it stands in a URL: IPv6 addresses in brackets.
    std::string UrlHost() const;
};

// Nothing, with the reason in `error`, for text that is not PORT or ADDR:PORT with a
// port from 0 (any free one) to 65535.
std::optional<ListenAddress> ParseListenAddress(std::string_view text, std::string& error);

}  // namespace platform::display
