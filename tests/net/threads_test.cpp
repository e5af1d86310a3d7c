// Echoes over the machine's own loopback through the host backend, with whichever
// ICMP socket this user may open. Nothing leaves the machine.
#include <gtest/gtest.h>

#include <windows.h>

#include <thread>
#include <vector>

#include <icmpapi.h>

#include "net/host/host_backend.h"
#include "net/network_backend.h"

namespace {

constexpr ULONG kLoopback = 0x0100007F;

class IcmpLoopbackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::net::InstallBackend(platform::net::MakeHostBackend());
        HANDLE probe = IcmpCreateFile();
        if (probe == INVALID_HANDLE_VALUE) {
            GTEST_SKIP() << "no ICMP socket may be opened here (needs the ping group range, "
                            "cap_net_raw or root)";
        }
        IcmpCloseHandle(probe);
    }
};

TEST_F(IcmpLoopbackTest, EveryDataSizeThePageOffersComesBackWhole) {
    HANDLE handle = IcmpCreateFile();
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    for (const WORD size : {16, 32, 64, 256, 512, 1024}) {
        std::vector<unsigned char> request(size);
        for (WORD i = 0; i < size; ++i) {
            request[i] = static_cast<unsigned char>(i * 7);
        }
        std::vector<unsigned char> reply(28u * size);
        ASSERT_EQ(IcmpSendEcho(handle, kLoopback, request.data(), size, nullptr, reply.data(),
                               static_cast<DWORD>(reply.size()), 5000),
                  1u)
            << size << ": error " << GetLastError();
        const auto& record = *reinterpret_cast<const ICMP_ECHO_REPLY*>(reply.data());
        EXPECT_EQ(record.Address, kLoopback);
        EXPECT_EQ(record.Status, static_cast<ULONG>(IP_SUCCESS));
        ASSERT_EQ(record.DataSize, size);
        EXPECT_EQ(std::vector<unsigned char>(static_cast<unsigned char*>(record.Data),
                                             static_cast<unsigned char*>(record.Data) + size),
                  request);
    }
    EXPECT_TRUE(IcmpCloseHandle(handle));
}

TEST_F(IcmpLoopbackTest, ConcurrentHandlesEachGetTheirOwnReplies) {
    // A raw socket sees every echo reply of the machine: each handle must pick its own
    // out of the others' by identifier and sequence.
    constexpr int kThreads = 4;
    constexpr int kEchoes = 50;
    std::vector<int> wrong(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &wrong] {
            HANDLE handle = IcmpCreateFile();
            std::vector<unsigned char> request(64, static_cast<unsigned char>(t + 1));
            std::vector<unsigned char> reply(28 * 64);
            for (int i = 0; i < kEchoes; ++i) {
                const DWORD got =
                    IcmpSendEcho(handle, kLoopback, request.data(), 64, nullptr, reply.data(),
                                 static_cast<DWORD>(reply.size()), 5000);
                const auto& record = *reinterpret_cast<const ICMP_ECHO_REPLY*>(reply.data());
                if (got != 1 || record.DataSize != 64 ||
                    static_cast<unsigned char*>(record.Data)[0] != t + 1) {
                    ++wrong[t];
                }
            }
            IcmpCloseHandle(handle);
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong, std::vector<int>(kThreads, 0));
}

}  // namespace
