// IcmpSendEcho through the facade over a simulated network: the caller's buffer as
// Windows fills it, the argument checks, and routes as a trace walks them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include <icmpapi.h>

#include "support/scenario_stager.h"

namespace {

constexpr const char* kEchoNetwork = R"({
  "hosts": [
    { "address": "192.168.1.1", "rtt": 2 },
    { "address": "203.0.113.5", "rtt": 40,
      "route": ["192.168.1.1", {"address": "10.0.0.1", "rtt": 9}, null, "10.0.2.1"] },
    { "address": "203.0.113.6", "route": ["192.168.1.1", "10.0.0.1", "10.0.0.1"] },
    { "address": "203.0.113.7", "route": ["192.168.1.1", null], "unreachable": "host" },
    { "address": "203.0.113.8", "silent": true },
    { "address": "203.0.113.9", "rtt": 3, "answers": 2 },
    { "address": "203.0.113.10", "rtt": 12000 }
  ]
})";

ULONG Address(const char* text) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    std::sscanf(text, "%u.%u.%u.%u", &a, &b, &c, &d);
    return a | b << 8 | c << 16 | d << 24;
}

class IcmpEchoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tessalink::test::StageScenario(kEchoNetwork);
        handle_ = IcmpCreateFile();
        ASSERT_NE(handle_, INVALID_HANDLE_VALUE);
    }
    void TearDown() override { IcmpCloseHandle(handle_); }

    // One echo of `size` bytes (0x5A each), with the time-to-live when not 0, into a
    // buffer of 28 times the size as the program allocates it.
    DWORD Echo(const char* destination, WORD size = 32, UCHAR ttl = 0, DWORD timeout = 10000) {
        request_.assign(size, 0x5A);
        reply_.assign(28u * size, 0xEE);
        IP_OPTION_INFORMATION options{};
        options.Ttl = ttl;
        return IcmpSendEcho(handle_, Address(destination), request_.data(), size,
                            ttl != 0 ? &options : nullptr, reply_.data(),
                            static_cast<DWORD>(reply_.size()), timeout);
    }
    const ICMP_ECHO_REPLY& Reply() const {
        return *reinterpret_cast<const ICMP_ECHO_REPLY*>(reply_.data());
    }

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::vector<unsigned char> request_;
    std::vector<unsigned char> reply_ = std::vector<unsigned char>(1024);
};

// The network sees what the caller asked for.
TEST_F(IcmpEchoTest, TheNetworkSeesWhatTheCallerAskedFor) {
    ASSERT_EQ(Echo("192.168.1.1", 1024), 1u);
    EXPECT_GT(Reply().Options.Ttl, 0);
    ASSERT_EQ(Echo("192.168.1.1", 16, 5, 750), 1u);
    const auto sent = tessalink::test::SentEchoes();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].ttl, std::nullopt);
    EXPECT_EQ(sent[1].dataSize, 16u);
    EXPECT_FALSE(sent[1].dataAllZero);
    EXPECT_EQ(sent[1].ttl, 5);
    EXPECT_EQ(sent[1].replyRoom, 28u * 16);
    EXPECT_EQ(sent[1].timeout.count(), 750);
}

// In turn on one handle: a trace meets each router, then the host; a router listed
// twice answers for two times-to-live; a report still carries round trip and size, and
// an answer is one record with the data right behind it.
TEST_F(IcmpEchoTest, RoutesUnreachableSilentAndTiredHosts) {
    const struct {
        const char* destination;
        UCHAR ttl;
        ULONG status;  // IP_REQ_TIMED_OUT: no answer.
        const char* from;
        ULONG rtt;
    } rows[] = {
        {"203.0.113.5", 1, IP_TTL_EXPIRED_TRANSIT, "192.168.1.1", 1},
        {"203.0.113.5", 2, IP_TTL_EXPIRED_TRANSIT, "10.0.0.1", 9},
        {"203.0.113.5", 3, IP_REQ_TIMED_OUT, "", 0},  // the silent third router
        {"203.0.113.5", 4, IP_TTL_EXPIRED_TRANSIT, "10.0.2.1", 1},
        {"203.0.113.5", 5, IP_SUCCESS, "203.0.113.5", 40},
        // Without options the default time-to-live outlasts every route.
        {"203.0.113.5", 0, IP_SUCCESS, "203.0.113.5", 40},
        {"203.0.113.6", 2, IP_TTL_EXPIRED_TRANSIT, "10.0.0.1", 1},
        {"203.0.113.6", 3, IP_TTL_EXPIRED_TRANSIT, "10.0.0.1", 1},
        // Reported by the last router that has an address, past the silent one.
        {"203.0.113.7", 0, IP_DEST_HOST_UNREACHABLE, "192.168.1.1", 1},
        {"203.0.113.8", 0, IP_REQ_TIMED_OUT, "", 0},
        {"198.51.100.1", 0, IP_REQ_TIMED_OUT, "", 0},  // a host the network does not know
        {"203.0.113.10", 0, IP_REQ_TIMED_OUT, "", 0},  // slower than the time-out
        {"203.0.113.9", 0, IP_SUCCESS, "203.0.113.9", 3},
        {"203.0.113.9", 0, IP_SUCCESS, "203.0.113.9", 3},
        {"203.0.113.9", 0, IP_REQ_TIMED_OUT, "", 0},   // it answers two echoes only
        {"127.0.0.1", 0, IP_SUCCESS, "127.0.0.1", 0},  // loopback answers unlisted
    };
    for (const auto& row : rows) {
        const std::string what = std::string(row.destination) + " ttl " + std::to_string(row.ttl);
        const bool silent = row.status == IP_REQ_TIMED_OUT;
        EXPECT_EQ(Echo(row.destination, 32, row.ttl), silent ? 0u : 1u) << what;
        EXPECT_EQ(Reply().Status, row.status) << what;
        if (silent) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(IP_REQ_TIMED_OUT)) << what;
            continue;
        }
        EXPECT_EQ(Reply().Address, Address(row.from)) << what;
        EXPECT_EQ(Reply().RoundTripTime, row.rtt) << what;
        EXPECT_EQ(Reply().DataSize, 32) << what;
        ASSERT_EQ(Reply().Data, reply_.data() + sizeof(ICMP_ECHO_REPLY)) << what;
        EXPECT_EQ(std::memcmp(Reply().Data, request_.data(), 32), 0) << what;
    }
}

TEST_F(IcmpEchoTest, BadArgumentsFailWithoutSending) {
    std::vector<unsigned char> reply(28 * 32);
    std::vector<unsigned char> data(32);
    UCHAR recordRoute[3] = {7, 3, 4};
    IP_OPTION_INFORMATION zeroTtl{};
    IP_OPTION_INFORMATION withOptions{64, 0, 0, 3, recordRoute};
    // A record, the data and an ICMP error header's 8 bytes: one byte less is too small.
    const DWORD least = sizeof(ICMP_ECHO_REPLY) + 32 + 8;
    const struct {
        HANDLE handle;
        void* request;
        PIP_OPTION_INFORMATION options;
        DWORD replySize;
        DWORD error;
    } rows[] = {
        {nullptr, data.data(), nullptr, 896, ERROR_INVALID_HANDLE},
        {handle_, nullptr, nullptr, 896, ERROR_INVALID_PARAMETER},
        {handle_, data.data(), nullptr, least - 1, IP_BUF_TOO_SMALL},
        {handle_, data.data(), &zeroTtl, 896, ERROR_INVALID_PARAMETER},
        {handle_, data.data(), &withOptions, 896, IP_BAD_OPTION},
        {handle_, data.data(), nullptr, least, NO_ERROR},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IcmpSendEcho(row.handle, Address("192.168.1.1"), row.request, 32, row.options,
                               reply.data(), row.replySize, 1000),
                  row.error == NO_ERROR ? 1u : 0u);
        if (row.error != NO_ERROR) {
            EXPECT_EQ(GetLastError(), row.error);
        }
    }
    EXPECT_EQ(tessalink::test::SentEchoes().size(), 1u) << "only the good request was sent";
}

TEST_F(IcmpEchoTest, HandlesAreIcmpHandlesUntilClosedAndAFaultMayRefuseOne) {
    HANDLE second = IcmpCreateFile();
    EXPECT_TRUE(IcmpCloseHandle(second));
    EXPECT_FALSE(IcmpCloseHandle(second));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(IcmpSendEcho(second, Address("192.168.1.1"), nullptr, 0, nullptr, reply_.data(),
                           static_cast<DWORD>(reply_.size()), 10),
              0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_FALSE(IcmpCloseHandle(event));
    EXPECT_TRUE(CloseHandle(event)) << "the event stayed open";

    tessalink::test::StageScenario(
        R"({"faults": [{"kind": "fail", "query": "IcmpCreateFile", "error": 5, "call": 2}]})");
    HANDLE first = IcmpCreateFile();
    EXPECT_NE(first, INVALID_HANDLE_VALUE);
    EXPECT_EQ(IcmpCreateFile(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(IcmpCloseHandle(first));
}

}  // namespace
