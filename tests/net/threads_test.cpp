// What the network calls keep for each thread and what threads share: the text of
// inet_ntoa, the hostent of a lookup and the last error are the calling thread's, the
// socket library's start is the process's, and concurrent ICMP handles each get their
// own replies (over the machine's own loopback: nothing leaves it).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include <icmpapi.h>

#include "net/host/host_backend.h"
#include "net/network_backend.h"
#include "support/scenario_stager.h"

// Last: its macros (s_addr, h_addr, ...) must not meet the standard library's headers.
#include <winsock2.h>

namespace {

TEST(Threads, InetNtoaFormatsIntoABufferOfTheCallingThread) {
    in_addr address{};
    address.s_addr = inet_addr("255.255.255.254");
    char* mine = inet_ntoa(address);
    std::string theirs;
    std::thread([&] {
        in_addr loopback{};
        loopback.s_addr = inet_addr("127.0.0.1");
        theirs = inet_ntoa(loopback);
    }).join();
    EXPECT_EQ(theirs, "127.0.0.1");
    EXPECT_STREQ(mine, "255.255.255.254") << "another thread's call overwrote this thread's text";
}

TEST(Threads, TheLibrarysStartIsTheProcesssAndEntriesAndErrorsEachThreads) {
    tessalink::test::StageScenario(R"({"names": {"www.example.com": "203.0.113.5"}})");
    while (WSACleanup() == 0) {
    }
    WSADATA data{};
    std::thread([&] { ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0); }).join();
    const hostent* mine = gethostbyname("www.example.com");
    ASSERT_NE(mine, nullptr) << "started on another thread";

    WSASetLastError(WSAEINTR);
    std::thread([] {
        for (int i = 0; i < 100; ++i) {
            ASSERT_NE(gethostbyname("localhost"), nullptr);
        }
        EXPECT_EQ(gethostbyname("nowhere.invalid"), nullptr);
        EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);
    }).join();
    EXPECT_STREQ(mine->h_name, "www.example.com");
    EXPECT_EQ(WSAGetLastError(), WSAEINTR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(WSAEINTR)) << "one value under two names";
    WSACleanup();
}

TEST(Threads, ConcurrentIcmpHandlesEachGetTheirOwnReplies) {
    platform::net::InstallBackend(platform::net::MakeHostBackend());
    HANDLE probe = IcmpCreateFile();
    if (probe == INVALID_HANDLE_VALUE) {
        GTEST_SKIP() << "no ICMP socket may be opened here (needs the ping group range, "
                        "cap_net_raw or root)";
    }
    IcmpCloseHandle(probe);
    // A raw socket sees every echo reply of the machine: each handle must pick its own
    // out of the others' by identifier and sequence.
    constexpr ULONG kLoopback = 0x0100007F;
    constexpr int kThreads = 4;
    std::vector<int> wrong(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &wrong] {
            HANDLE handle = IcmpCreateFile();
            std::vector<unsigned char> request(64, static_cast<unsigned char>(t + 1));
            std::vector<unsigned char> reply(28 * 64);
            for (int i = 0; i < 50; ++i) {
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
