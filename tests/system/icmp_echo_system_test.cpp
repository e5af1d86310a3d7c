// Echoes through the host backend across namespaces the test builds and removes:
//   device (10.71.1.2) -- router (10.71.1.1 | 10.71.2.1) -- far host (10.71.2.2)
// The router has no default route, reports 10.71.77.0/24 unreachable and drops
// 10.71.88.0/24 without a word. Each case runs with the ICMP datagram socket and
// again with the raw socket, chosen by the device namespace's ping group range.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <icmpapi.h>

#include "net/host/host_backend.h"
#include "net/host/icmp_socket.h"
#include "net/network_backend.h"
#include "network_namespace.h"

namespace {

using platform::net::host::IcmpSocket;
using tessalink::testing::NetworkNamespace;

ULONG Address(unsigned a, unsigned b, unsigned c, unsigned d) {
    return a | b << 8 | c << 16 | d << 24;
}

const ULONG kRouterNear = Address(10, 71, 1, 1);
const ULONG kFarHost = Address(10, 71, 2, 2);

struct Echo {
    DWORD replies = 0;
    DWORD error = 0;
    ICMP_ECHO_REPLY record{};
};

class IcmpEchoSystemTest : public ::testing::TestWithParam<IcmpSocket::Kind> {
  protected:
    void SetUp() override {
        if (const auto reason = NetworkNamespace::UnavailableReason()) {
            GTEST_SKIP() << *reason;
        }
        ASSERT_TRUE(device_.IsCreated() && router_.IsCreated() && far_.IsCreated());
        const std::string toRouter = " netns " + router_.Name();
        ASSERT_TRUE(device_.IpCommands(
            {"link set lo up", "link add d0 type veth peer name r0" + toRouter,
             "addr add 10.71.1.2/24 dev d0", "link set d0 up", "route add default via 10.71.1.1"}));
        // The router's ends come from the others' links.
        ASSERT_TRUE(far_.IpCommands(
            {"link set lo up", "link add f0 type veth peer name r1" + toRouter,
             "addr add 10.71.2.2/24 dev f0", "link set f0 up", "route add default via 10.71.2.1"}));
        ASSERT_TRUE(router_.IpCommands({"link set lo up", "addr add 10.71.1.1/24 dev r0",
                                        "addr add 10.71.2.1/24 dev r1", "link set r0 up",
                                        "link set r1 up", "route add unreachable 10.71.77.0/24",
                                        "route add blackhole 10.71.88.0/24"}));
        ASSERT_TRUE(router_.WriteSysctl("net/ipv4/ip_forward", "1"));
        // Root may always open a raw socket; the group range decides the datagram one.
        ASSERT_TRUE(device_.WriteSysctl("net/ipv4/ping_group_range",
                                        GetParam() == IcmpSocket::Kind::Datagram ? "0 0" : "1 0"));
        platform::net::InstallBackend(platform::net::MakeHostBackend());
    }

    // Runs `work` on a thread that lives in the device's namespace.
    void InDevice(const std::function<void()>& work) {
        std::thread([&] {
            ASSERT_TRUE(device_.EnterForThisThread());
            const auto socket = IcmpSocket::Open();
            ASSERT_TRUE(socket);
            ASSERT_EQ(socket->kind(), GetParam()) << "the socket this case means to test";
            work();
        }).join();
    }

    static Echo Send(HANDLE handle, ULONG destination, UCHAR ttl = 0, DWORD timeout = 3000) {
        std::vector<unsigned char> request(1024);
        for (std::size_t i = 0; i < request.size(); ++i) {
            request[i] = static_cast<unsigned char>(i);
        }
        std::vector<unsigned char> reply(28 * 1024);
        IP_OPTION_INFORMATION options{};
        options.Ttl = ttl;
        Echo echo;
        echo.replies =
            IcmpSendEcho(handle, destination, request.data(), 1024, ttl != 0 ? &options : nullptr,
                         reply.data(), static_cast<DWORD>(reply.size()), timeout);
        echo.error = GetLastError();
        echo.record = *reinterpret_cast<const ICMP_ECHO_REPLY*>(reply.data());
        if (echo.replies == 1 && echo.record.Status == IP_SUCCESS) {
            const auto* data = static_cast<const unsigned char*>(echo.record.Data);
            EXPECT_EQ(std::vector(data, data + echo.record.DataSize), request) << "the echoed data";
        }
        return echo;
    }

    NetworkNamespace device_;
    NetworkNamespace router_;
    NetworkNamespace far_;
};

// One handle in turn: each answer is the one to its own echo (a time-to-live of 1 must
// not linger, a late report about a dropped echo is not the next one's answer), and a
// router's report carries the size of the request too.
TEST_P(IcmpEchoSystemTest, EchoesReportsAndSilences) {
    const ULONG farHost = kFarHost;
    const struct {
        ULONG destination;
        UCHAR ttl;
        DWORD timeout;
        ULONG status;
        ULONG from;
    } rows[] = {
        {farHost, 0, 3000, IP_SUCCESS, farHost},
        {farHost, 1, 3000, IP_TTL_EXPIRED_TRANSIT, kRouterNear},
        {farHost, 2, 3000, IP_SUCCESS, farHost},
        {farHost, 0, 3000, IP_SUCCESS, farHost},
        {Address(10, 71, 5, 5), 0, 3000, IP_DEST_NET_UNREACHABLE, kRouterNear},
        {Address(10, 71, 77, 5), 0, 3000, IP_DEST_HOST_UNREACHABLE, kRouterNear},
        {Address(10, 71, 88, 5), 0, 300, IP_REQ_TIMED_OUT, 0},
        {farHost, 0, 3000, IP_SUCCESS, farHost},
    };
    InDevice([&] {
        HANDLE handle = IcmpCreateFile();
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        for (std::size_t i = 0; i < std::size(rows); ++i) {
            const Echo echo = Send(handle, rows[i].destination, rows[i].ttl, rows[i].timeout);
            const bool silent = rows[i].status == IP_REQ_TIMED_OUT;
            EXPECT_EQ(echo.replies, silent ? 0u : 1u) << i << ": error " << echo.error;
            EXPECT_EQ(echo.record.Status, rows[i].status) << i;
            if (silent) {
                EXPECT_EQ(echo.error, static_cast<DWORD>(IP_REQ_TIMED_OUT)) << i;
                continue;
            }
            EXPECT_EQ(echo.record.Address, rows[i].from) << i;
            EXPECT_EQ(echo.record.DataSize, 1024) << i;
            EXPECT_LT(echo.record.RoundTripTime, 3000u) << i;
        }
        IcmpCloseHandle(handle);
    });
}

// Drops cap_net_raw from the calling thread only (capabilities are per thread).
bool DropRawSocketCapability() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0) {
        return false;
    }
    data[CAP_NET_RAW / 32].effective &= ~(1U << (CAP_NET_RAW % 32));
    return syscall(SYS_capset, &header, data) == 0;
}

TEST_P(IcmpEchoSystemTest, WithoutTheRightsTheDeviceSaysOnceWhatWouldAllowIt) {
    std::thread([this] {
        ASSERT_TRUE(device_.EnterForThisThread());
        ASSERT_TRUE(DropRawSocketCapability());
        ::testing::internal::CaptureStderr();
        HANDLE first = IcmpCreateFile();
        const DWORD error = GetLastError();
        HANDLE second = IcmpCreateFile();
        const std::string said = ::testing::internal::GetCapturedStderr();
        if (GetParam() == IcmpSocket::Kind::Datagram) {
            // The group range is enough on its own.
            EXPECT_NE(first, INVALID_HANDLE_VALUE);
            EXPECT_EQ(Send(first, kFarHost).record.Address, kFarHost);
            EXPECT_EQ(said, "");
            IcmpCloseHandle(first);
            IcmpCloseHandle(second);
            return;
        }
        EXPECT_EQ(first, INVALID_HANDLE_VALUE);
        EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
        EXPECT_EQ(second, INVALID_HANDLE_VALUE);
        EXPECT_NE(said.find("net.ipv4.ping_group_range"), std::string::npos) << said;
        EXPECT_NE(said.find("cap_net_raw"), std::string::npos) << said;
        EXPECT_NE(said.find("root"), std::string::npos) << said;
        EXPECT_EQ(said.find("tessalink:"), said.rfind("tessalink:")) << "said once: " << said;
    }).join();
}

INSTANTIATE_TEST_SUITE_P(BothSockets, IcmpEchoSystemTest,
                         ::testing::Values(IcmpSocket::Kind::Datagram, IcmpSocket::Kind::Raw),
                         [](const ::testing::TestParamInfo<IcmpSocket::Kind>& param) {
                             return param.param == IcmpSocket::Kind::Datagram ? "Datagram" : "Raw";
                         });

}  // namespace
