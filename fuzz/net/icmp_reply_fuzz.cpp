// What the ICMP sockets receive: the same bytes as a datagram socket's message and as a
// raw socket's packet. An answer's type is one the parser knows, and only an echo
// reply carries data.
#include "fuzz_target.h"
#include "net/host/icmp_packet.h"

TESSALINK_FUZZ_TARGET(icmp_reply) {
    using platform::net::host::IcmpAnswer;
    const auto check = [](const std::optional<IcmpAnswer>& answer) {
        if (answer) {
            FUZZ_CHECK(answer->type == 0 || answer->type == 3 || answer->type == 4 ||
                       answer->type == 11 || answer->type == 12);
            FUZZ_CHECK(answer->type == 0 || answer->echoedData.empty());
        }
    };
    check(platform::net::host::ParseDatagramReply(input, 7));
    check(platform::net::host::ParseRawPacket(input, 0x1234, 7));
    platform::net::host::QuotedSequence(input);
}
