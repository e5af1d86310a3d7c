// The host backend's ICMP bytes: requests it builds, and which incoming messages it
// takes for the answer to its request.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "net/host/icmp_packet.h"

namespace {

using namespace platform::net::host;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kId = 0x1234;
constexpr std::uint16_t kSeq = 7;

// An IPv4 header (no options) in front of the ICMP bytes, from 10.0.0.1.
Bytes Ipv4Packet(const Bytes& icmp, std::uint8_t ttl = 60, std::uint8_t protocol = 1) {
    Bytes packet = {0x45, 0, 0, 0, 0, 0, 0, 0, ttl, protocol, 0, 0, 10, 0, 0, 1, 10, 0, 0, 2};
    packet.insert(packet.end(), icmp.begin(), icmp.end());
    return packet;
}

// An echo reply as the far host sends it: the request with its type changed (no
// reader checks the sum).
Bytes EchoReply(std::uint16_t id, std::uint16_t seq, const Bytes& data) {
    Bytes icmp = EchoRequestPacket(id, seq, data);
    icmp[0] = 0;
    return icmp;
}

// A router's report quoting the request's IPv4 header and its first 8 bytes.
Bytes Report(std::uint8_t type, std::uint8_t code, std::uint16_t id, std::uint16_t seq) {
    Bytes icmp = {type, code, 0, 0, 0, 0, 0, 0};
    const Bytes quoted = Ipv4Packet(EchoRequestPacket(id, seq, {}), 1);
    icmp.insert(icmp.end(), quoted.begin(), quoted.end());
    return Ipv4Packet(icmp);
}

TEST(IcmpPacketTest, ARequestCarriesItsFieldsAndAChecksumThatVerifies) {
    const Bytes data = {1, 2, 3};  // odd length: the last byte is padded for the sum
    const Bytes packet = EchoRequestPacket(kId, kSeq, data);
    ASSERT_EQ(packet.size(), kIcmpHeaderSize + 3);
    EXPECT_EQ(packet[0], 8);
    EXPECT_EQ(packet[4] << 8 | packet[5], kId);
    EXPECT_EQ(packet[6] << 8 | packet[7], kSeq);
    EXPECT_EQ(InternetChecksum(packet), 0) << "a packet with its checksum sums to zero";
    // The worked example of RFC 1071.
    EXPECT_EQ(InternetChecksum(Bytes{0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7}),
              static_cast<std::uint16_t>(~0xddf2));
}

TEST(IcmpPacketTest, RawSocketsTakeOnlyTheirOwnAnswers) {
    const auto reply = ParseRawPacket(Ipv4Packet(EchoReply(kId, kSeq, {9, 8})), kId, kSeq);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->type, 0);
    EXPECT_EQ(reply->ttl, 60);
    EXPECT_EQ(reply->echoedData, (Bytes{9, 8}));

    EXPECT_FALSE(ParseRawPacket(Ipv4Packet(EchoReply(kId + 1, kSeq, {})), kId, kSeq))
        << "another process's echo";
    EXPECT_FALSE(ParseRawPacket(Ipv4Packet(EchoReply(kId, kSeq - 1, {})), kId, kSeq))
        << "a late answer to an earlier echo";
    EXPECT_FALSE(ParseRawPacket(Ipv4Packet(EchoRequestPacket(kId, kSeq, {})), kId, kSeq))
        << "our own request, seen on loopback";
    EXPECT_FALSE(ParseRawPacket(Ipv4Packet(EchoReply(kId, kSeq, {}), 60, 17), kId, kSeq))
        << "not ICMP";

    const auto expired = ParseRawPacket(Report(11, 0, kId, kSeq), kId, kSeq);
    ASSERT_TRUE(expired);
    EXPECT_EQ(expired->type, 11);
    EXPECT_FALSE(ParseRawPacket(Report(11, 0, kId, kSeq + 1), kId, kSeq));
    EXPECT_FALSE(ParseRawPacket(Report(5, 0, kId, kSeq), kId, kSeq)) << "a redirect";
}

TEST(IcmpPacketTest, TruncatedOrMalformedPacketsAreIgnored) {
    const Bytes whole = Ipv4Packet(EchoReply(kId, kSeq, {}));
    for (std::size_t size = 0; size < whole.size(); ++size) {
        EXPECT_FALSE(ParseRawPacket({whole.begin(), whole.begin() + size}, kId, kSeq)) << size;
    }
    Bytes longHeader = whole;
    longHeader[0] = 0x4F;  // a 60-byte header in a 28-byte packet
    EXPECT_FALSE(ParseRawPacket(longHeader, kId, kSeq));
    Bytes shortHeader = whole;
    shortHeader[0] = 0x44;  // 16 bytes: below the minimum
    EXPECT_FALSE(ParseRawPacket(shortHeader, kId, kSeq));

    Bytes report = Report(3, 1, kId, kSeq);
    report.resize(report.size() - 1);  // the quoted request lost a byte of its 8
    EXPECT_FALSE(ParseRawPacket(report, kId, kSeq));
}

TEST(IcmpPacketTest, DatagramSocketsMatchOnTheSequence) {
    EXPECT_TRUE(ParseDatagramReply(EchoReply(0, kSeq, {}), kSeq));
    EXPECT_FALSE(ParseDatagramReply(EchoReply(0, kSeq + 1, {}), kSeq));
    EXPECT_FALSE(ParseDatagramReply(Bytes{0, 0, 0}, kSeq));
    EXPECT_EQ(QuotedSequence(EchoRequestPacket(kId, kSeq, Bytes{1})), kSeq);
    EXPECT_FALSE(QuotedSequence(EchoReply(kId, kSeq, {})));
}

}  // namespace
