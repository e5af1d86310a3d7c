// IcmpSendEcho through the facade over a simulated network: the caller's buffer as
// Windows fills it, the argument checks, and routes as a trace walks them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include <icmpapi.h>

#include "net/network_backend.h"
#include "net/sim/sim_backend.h"
#include "net/use_scenario.h"

namespace {

constexpr const char* kNetwork = R"({
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

class IcmpEchoSimTest : public ::testing::Test {
  protected:
    void SetUp() override {
        net_test::UseScenario(kNetwork);
        handle_ = IcmpCreateFile();
        ASSERT_NE(handle_, INVALID_HANDLE_VALUE);
    }
    void TearDown() override {
        if (handle_ != INVALID_HANDLE_VALUE) {
            IcmpCloseHandle(handle_);
        }
    }

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
    std::vector<platform::net::sim::SimSentEcho> Sent() const {
        return dynamic_cast<platform::net::sim::SimBackend&>(platform::net::Backend())
            .EchoNetwork()
            .SentEchoes();
    }

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::vector<unsigned char> request_;
    std::vector<unsigned char> reply_;
};

TEST_F(IcmpEchoSimTest, AnAnswerIsOneRecordWithItsDataRightBehindIt) {
    ASSERT_EQ(Echo("192.168.1.1", 1024), 1u);
    const ICMP_ECHO_REPLY& reply = Reply();
    EXPECT_EQ(reply.Address, Address("192.168.1.1"));
    EXPECT_EQ(reply.Status, static_cast<ULONG>(IP_SUCCESS));
    EXPECT_EQ(reply.RoundTripTime, 2u);
    EXPECT_EQ(reply.DataSize, 1024);
    ASSERT_EQ(reply.Data, reply_.data() + sizeof(ICMP_ECHO_REPLY));
    EXPECT_EQ(std::memcmp(reply.Data, request_.data(), 1024), 0);
    EXPECT_GT(reply.Options.Ttl, 0);
    EXPECT_EQ(reply.Options.OptionsData, nullptr);
}

TEST_F(IcmpEchoSimTest, TheNetworkSeesWhatTheCallerAskedFor) {
    ASSERT_EQ(Echo("192.168.1.1", 16, 5, 750), 1u);
    ASSERT_EQ(Echo("192.168.1.1", 64), 1u);
    const auto sent = Sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].dataSize, 16u);
    EXPECT_FALSE(sent[0].dataAllZero);
    EXPECT_EQ(sent[0].ttl, 5);
    EXPECT_EQ(sent[0].replyRoom, 28u * 16);
    EXPECT_EQ(sent[0].timeout.count(), 750);
    EXPECT_EQ(sent[1].ttl, std::nullopt);
}

TEST_F(IcmpEchoSimTest, ATraceMeetsEachRouterThenTheHost) {
    ASSERT_EQ(Echo("203.0.113.5", 32, 1), 1u);
    EXPECT_EQ(Reply().Address, Address("192.168.1.1"));
    EXPECT_EQ(Reply().Status, static_cast<ULONG>(IP_TTL_EXPIRED_TRANSIT));
    // A router's report still carries round trip and data size: the engine reads them.
    EXPECT_EQ(Reply().DataSize, 32);

    ASSERT_EQ(Echo("203.0.113.5", 32, 2), 1u);
    EXPECT_EQ(Reply().Address, Address("10.0.0.1"));
    EXPECT_EQ(Reply().RoundTripTime, 9u);

    // The silent third router: nothing comes back, and the buffer says so.
    EXPECT_EQ(Echo("203.0.113.5", 32, 3), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(IP_REQ_TIMED_OUT));
    EXPECT_EQ(Reply().Status, static_cast<ULONG>(IP_REQ_TIMED_OUT));

    ASSERT_EQ(Echo("203.0.113.5", 32, 4), 1u);
    EXPECT_EQ(Reply().Address, Address("10.0.2.1"));
    ASSERT_EQ(Echo("203.0.113.5", 32, 5), 1u);
    EXPECT_EQ(Reply().Address, Address("203.0.113.5"));
    EXPECT_EQ(Reply().Status, static_cast<ULONG>(IP_SUCCESS));
    EXPECT_EQ(Reply().RoundTripTime, 40u);
    // Without options the default time-to-live outlasts every route.
    ASSERT_EQ(Echo("203.0.113.5"), 1u);
    EXPECT_EQ(Reply().Address, Address("203.0.113.5"));
}

TEST_F(IcmpEchoSimTest, ARouterListedTwiceAnswersForTwoTimesToLive) {
    ASSERT_EQ(Echo("203.0.113.6", 32, 2), 1u);
    const ULONG second = Reply().Address;
    ASSERT_EQ(Echo("203.0.113.6", 32, 3), 1u);
    EXPECT_EQ(Reply().Address, second);
    EXPECT_EQ(second, Address("10.0.0.1"));
}

TEST_F(IcmpEchoSimTest, UnreachableSilentAndTiredHosts) {
    // Reported by the last router that has an address, past the silent one.
    ASSERT_EQ(Echo("203.0.113.7"), 1u);
    EXPECT_EQ(Reply().Status, static_cast<ULONG>(IP_DEST_HOST_UNREACHABLE));
    EXPECT_EQ(Reply().Address, Address("192.168.1.1"));

    EXPECT_EQ(Echo("203.0.113.8"), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(IP_REQ_TIMED_OUT));
    EXPECT_EQ(Echo("198.51.100.1"), 0u) << "a host the network does not know";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(IP_REQ_TIMED_OUT));
    EXPECT_EQ(Echo("203.0.113.10"), 0u) << "an answer slower than the time-out";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(IP_REQ_TIMED_OUT));

    // The count runs across handles, as the program opens one per echo.
    EXPECT_EQ(Echo("203.0.113.9"), 1u);
    IcmpCloseHandle(handle_);
    handle_ = IcmpCreateFile();
    EXPECT_EQ(Echo("203.0.113.9"), 1u);
    EXPECT_EQ(Echo("203.0.113.9"), 0u);

    EXPECT_EQ(Echo("127.0.0.1"), 1u) << "loopback answers without being listed";
    EXPECT_EQ(Reply().RoundTripTime, 0u);
}

TEST_F(IcmpEchoSimTest, BadArgumentsFailWithoutSending) {
    std::vector<unsigned char> reply(28 * 32);
    std::vector<unsigned char> data(32);
    const auto send = [&](HANDLE handle, LPVOID request, WORD size, PIP_OPTION_INFORMATION options,
                          DWORD replySize) {
        return IcmpSendEcho(handle, Address("192.168.1.1"), request, size, options, reply.data(),
                            replySize, 1000);
    };
    EXPECT_EQ(send(nullptr, data.data(), 32, nullptr, 896), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(send(handle_, nullptr, 32, nullptr, 896), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    // A record, the data and an ICMP error header's 8 bytes: one byte less is too small.
    const DWORD least = sizeof(ICMP_ECHO_REPLY) + 32 + 8;
    EXPECT_EQ(send(handle_, data.data(), 32, nullptr, least - 1), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(IP_BUF_TOO_SMALL));
    EXPECT_EQ(send(handle_, data.data(), 32, nullptr, least), 1u);

    IP_OPTION_INFORMATION options{};
    EXPECT_EQ(send(handle_, data.data(), 32, &options, 896), 0u) << "time-to-live 0";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    UCHAR recordRoute[3] = {7, 3, 4};
    options = {.Ttl = 64, .Tos = 0, .Flags = 0, .OptionsSize = 3, .OptionsData = recordRoute};
    EXPECT_EQ(send(handle_, data.data(), 32, &options, 896), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(IP_BAD_OPTION));

    EXPECT_EQ(Sent().size(), 1u) << "only the one good request reached the network";
}

TEST_F(IcmpEchoSimTest, AClosedHandleIsGoneAndOtherHandlesAreNotIcmpHandles) {
    HANDLE second = IcmpCreateFile();
    ASSERT_NE(second, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(IcmpCloseHandle(second));
    EXPECT_FALSE(IcmpCloseHandle(second));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    std::vector<unsigned char> reply(1024);
    EXPECT_EQ(
        IcmpSendEcho(second, Address("192.168.1.1"), nullptr, 0, nullptr, reply.data(), 1024, 10),
        0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_FALSE(IcmpCloseHandle(event));
    EXPECT_TRUE(CloseHandle(event)) << "the event stayed open";
}

TEST(IcmpCreateFileTest, AFaultMakesItFailWithTheScenariosError) {
    net_test::UseScenario(
        R"({"faults": [{"kind": "fail", "query": "IcmpCreateFile", "error": 5, "call": 2}]})");
    HANDLE first = IcmpCreateFile();
    EXPECT_NE(first, INVALID_HANDLE_VALUE);
    EXPECT_EQ(IcmpCreateFile(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    HANDLE third = IcmpCreateFile();
    EXPECT_NE(third, INVALID_HANDLE_VALUE);
    IcmpCloseHandle(first);
    IcmpCloseHandle(third);
}

}  // namespace
