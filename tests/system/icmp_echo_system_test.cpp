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

#include <fstream>
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
    std::vector<unsigned char> data;
};

class IcmpEchoSystemTest : public ::testing::TestWithParam<IcmpSocket::Kind> {
  protected:
    void SetUp() override {
        if (const auto reason = NetworkNamespace::UnavailableReason()) {
            GTEST_SKIP() << *reason;
        }
        ASSERT_TRUE(device_.IsCreated() && router_.IsCreated() && far_.IsCreated());
        for (const auto* space : {&device_, &router_, &far_}) {
            ASSERT_TRUE(space->Ip({"link", "set", "lo", "up"}));
        }
        ASSERT_TRUE(device_.Ip(
            {"link", "add", "d0", "type", "veth", "peer", "name", "r0", "netns", router_.Name()}));
        ASSERT_TRUE(far_.Ip(
            {"link", "add", "f0", "type", "veth", "peer", "name", "r1", "netns", router_.Name()}));
        const std::vector<std::pair<const NetworkNamespace*, std::vector<std::string>>> steps = {
            {&device_, {"addr", "add", "10.71.1.2/24", "dev", "d0"}},
            {&device_, {"link", "set", "d0", "up"}},
            {&device_, {"route", "add", "default", "via", "10.71.1.1"}},
            {&router_, {"addr", "add", "10.71.1.1/24", "dev", "r0"}},
            {&router_, {"addr", "add", "10.71.2.1/24", "dev", "r1"}},
            {&router_, {"link", "set", "r0", "up"}},
            {&router_, {"link", "set", "r1", "up"}},
            {&router_, {"route", "add", "unreachable", "10.71.77.0/24"}},
            {&router_, {"route", "add", "blackhole", "10.71.88.0/24"}},
            {&far_, {"addr", "add", "10.71.2.2/24", "dev", "f0"}},
            {&far_, {"link", "set", "f0", "up"}},
            {&far_, {"route", "add", "default", "via", "10.71.2.1"}},
        };
        for (const auto& [space, arguments] : steps) {
            ASSERT_TRUE(space->Ip(arguments)) << arguments[0] << " " << arguments[2];
        }
        ASSERT_TRUE(WriteSysctl(router_, "net/ipv4/ip_forward", "1"));
        // Root may always open a raw socket; the group range decides the datagram one.
        ASSERT_TRUE(WriteSysctl(device_, "net/ipv4/ping_group_range",
                                GetParam() == IcmpSocket::Kind::Datagram ? "0 0" : "1 0"));
        platform::net::InstallBackend(platform::net::MakeHostBackend());
    }

    static bool WriteSysctl(const NetworkNamespace& space, const std::string& key,
                            const std::string& value) {
        return space
            .RunInside([&] {
                std::ofstream("/proc/sys/" + key) << value;
                std::string written;
                std::getline(std::ifstream("/proc/sys/" + key), written);
                return written;
            })
            .has_value();
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
        if (echo.replies == 1) {
            const auto* data = static_cast<const unsigned char*>(echo.record.Data);
            echo.data.assign(data, data + echo.record.DataSize);
            if (echo.record.Status == IP_SUCCESS) {
                EXPECT_EQ(echo.data, request) << "the echoed data";
            }
        }
        return echo;
    }

    NetworkNamespace device_;
    NetworkNamespace router_;
    NetworkNamespace far_;
};

TEST_P(IcmpEchoSystemTest, EchoesCrossTheRouterAndComeBack) {
    InDevice([] {
        for (int i = 0; i < 4; ++i) {
            HANDLE handle = IcmpCreateFile();
            ASSERT_NE(handle, INVALID_HANDLE_VALUE);
            const Echo echo = Send(handle, kFarHost);
            EXPECT_EQ(echo.replies, 1u) << "echo " << i << ": error " << echo.error;
            EXPECT_EQ(echo.record.Address, kFarHost);
            EXPECT_EQ(echo.record.Status, static_cast<ULONG>(IP_SUCCESS));
            EXPECT_LT(echo.record.RoundTripTime, 3000u);
            EXPECT_EQ(echo.record.DataSize, 1024);
            IcmpCloseHandle(handle);
        }
    });
}

TEST_P(IcmpEchoSystemTest, TheRouterReportsAnExpiredTimeToLive) {
    InDevice([] {
        HANDLE handle = IcmpCreateFile();
        const Echo expired = Send(handle, kFarHost, 1);
        ASSERT_EQ(expired.replies, 1u) << "error " << expired.error;
        EXPECT_EQ(expired.record.Status, static_cast<ULONG>(IP_TTL_EXPIRED_TRANSIT));
        EXPECT_EQ(expired.record.Address, kRouterNear);
        EXPECT_EQ(expired.record.DataSize, 1024) << "the engine reads the size of a report too";

        const Echo through = Send(handle, kFarHost, 2);
        EXPECT_EQ(through.record.Address, kFarHost) << "two hops reach the far host";
        // The same handle without options: the time-to-live of 1 must not linger.
        const Echo again = Send(handle, kFarHost);
        EXPECT_EQ(again.record.Address, kFarHost);
        EXPECT_EQ(again.record.Status, static_cast<ULONG>(IP_SUCCESS));
        IcmpCloseHandle(handle);
    });
}

TEST_P(IcmpEchoSystemTest, UnreachableAndSilentDestinations) {
    InDevice([] {
        HANDLE handle = IcmpCreateFile();
        const Echo noRoute = Send(handle, Address(10, 71, 5, 5));
        ASSERT_EQ(noRoute.replies, 1u) << "error " << noRoute.error;
        EXPECT_EQ(noRoute.record.Status, static_cast<ULONG>(IP_DEST_NET_UNREACHABLE));
        EXPECT_EQ(noRoute.record.Address, kRouterNear);

        const Echo refused = Send(handle, Address(10, 71, 77, 5));
        ASSERT_EQ(refused.replies, 1u) << "error " << refused.error;
        EXPECT_EQ(refused.record.Status, static_cast<ULONG>(IP_DEST_HOST_UNREACHABLE));
        EXPECT_EQ(refused.record.Address, kRouterNear);

        const Echo dropped = Send(handle, Address(10, 71, 88, 5), 0, 300);
        EXPECT_EQ(dropped.replies, 0u);
        EXPECT_EQ(dropped.error, static_cast<DWORD>(IP_REQ_TIMED_OUT));
        EXPECT_EQ(dropped.record.Status, static_cast<ULONG>(IP_REQ_TIMED_OUT));

        // A late report about the dropped echo must not be taken for the next one's.
        const Echo next = Send(handle, kFarHost);
        EXPECT_EQ(next.record.Address, kFarHost);
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
