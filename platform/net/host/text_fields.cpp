#include "net/host/text_fields.h"

#include <arpa/inet.h>

#include <charconv>
#include <string>

namespace platform::net::host {
namespace {

constexpr std::string_view kBlanks = " \t\r";

}  // namespace

std::optional<Ipv4> ParseIpv4(std::string_view text) {
    // inet_pton accepts exactly four decimal parts, unlike inet_addr.
    const std::string terminated(text);
    in_addr address{};
    if (inet_pton(AF_INET, terminated.c_str(), &address) != 1) {
        return std::nullopt;
    }
    return address.s_addr;
}

std::optional<std::uint64_t> ParseUnsigned(std::string_view text, int base) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t position = line.find_first_not_of(kBlanks);
    while (position != std::string_view::npos) {
        const std::size_t end = line.find_first_of(kBlanks, position);
        words.push_back(line.substr(position, end - position));
        position = line.find_first_not_of(kBlanks, end);
    }
    return words;
}

}  // namespace platform::net::host
