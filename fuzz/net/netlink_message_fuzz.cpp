// One netlink message as the socket delivers it, offered to every parser: each reads
// only inside the message, and a hardware address never exceeds its 8 bytes.
#include "fuzz_target.h"
#include "net/host/netlink_messages.h"

TESSALINK_FUZZ_TARGET(netlink_message) {
    const auto message = std::as_bytes(input);
    if (const auto link = platform::net::host::ParseLinkMessage(message)) {
        FUZZ_CHECK(link->hardwareAddress.size() <= 8);
    }
    platform::net::host::ParseAddressMessage(message);
    platform::net::host::ParseDefaultRouteMessage(message);
    platform::net::host::ParseNeighbourMessage(message);
}
