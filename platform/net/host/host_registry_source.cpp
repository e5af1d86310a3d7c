#include "net/host/host_registry_source.h"

#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <winreg.h>

#include <algorithm>

#include "kernel/text/utf8.h"
#include "net/host/netlink_socket.h"

namespace platform::net::host {
namespace {

// Registry names compare without regard to letter case; interface names and our
// two fixed names are ASCII, so folding ASCII letters is all it takes.
bool SameName(std::u16string_view left, std::u16string_view right) {
    const auto fold = [](char16_t unit) {
        return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
    };
    return std::ranges::equal(left, right,
                              [&](char16_t a, char16_t b) { return fold(a) == fold(b); });
}

constexpr std::u16string_view kCommKey = u"Comm";
constexpr std::u16string_view kDisplayName = u"DisplayName";

struct KeyPath {
    std::u16string_view first;
    std::u16string_view rest;  // empty when the path has one part.
};

// Splits off the first part; a trailing separator names the same key.
KeyPath SplitFirst(std::u16string_view path) {
    while (path.ends_with(u'\\')) {
        path.remove_suffix(1);
    }
    const std::size_t separator = path.find(u'\\');
    if (separator == std::u16string_view::npos) {
        return {path, {}};
    }
    return {path.substr(0, separator), path.substr(separator + 1)};
}

// The interface name of a Comm\<interface> path, or nothing for any other path.
std::optional<std::u16string_view> InterfaceKeyName(kernel::RegistryRoot root,
                                                    std::u16string_view path) {
    const KeyPath parts = SplitFirst(path);
    if (root != kernel::RegistryRoot::LocalMachine || !SameName(parts.first, kCommKey) ||
        parts.rest.empty() || parts.rest.find(u'\\') != std::u16string_view::npos) {
        return std::nullopt;
    }
    return parts.rest;
}

}  // namespace

bool HostRegistrySource::KeyExists(kernel::RegistryRoot root, const std::u16string& path) {
    if (root == kernel::RegistryRoot::LocalMachine && SameName(SplitFirst(path).first, kCommKey) &&
        SplitFirst(path).rest.empty()) {
        return true;
    }
    const auto interfaceName = InterfaceKeyName(root, path);
    return interfaceName && FindLink(*interfaceName).has_value();
}

std::optional<kernel::RegistryValue> HostRegistrySource::Value(kernel::RegistryRoot root,
                                                               const std::u16string& path,
                                                               const std::u16string& name) {
    const auto interfaceName = InterfaceKeyName(root, path);
    if (!interfaceName || !SameName(name, kDisplayName)) {
        return std::nullopt;
    }
    const auto link = FindLink(*interfaceName);
    if (!link || link->alias.empty()) {
        return std::nullopt;
    }
    // REG_SZ data is the UTF-16 text with its terminator, little-endian as on the
    // handheld.
    const std::u16string text = kernel::DecodeUtf8(link->alias).text;
    kernel::RegistryValue value;
    value.type = REG_SZ;
    for (char16_t unit : text) {
        value.data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        value.data.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    value.data.insert(value.data.end(), {0, 0});
    return value;
}

std::optional<LinkRecord> HostRegistrySource::FindLink(std::u16string_view name) const {
    NetlinkSocket socket;
    std::vector<LinkRecord> links;
    if (!socket.IsOpen() ||
        DumpRecords(socket, RTM_GETLINK, AF_UNSPEC, ParseLinkMessage, links) != 0) {
        return std::nullopt;
    }
    for (LinkRecord& link : links) {
        if (SameName(kernel::DecodeUtf8(link.name).text, name)) {
            return std::move(link);
        }
    }
    return std::nullopt;
}

}  // namespace platform::net::host
