// The socket library's start and stop: lookups fail with WSANOTINITIALISED until the
// process has started it, whichever thread did, and each thread keeps its own error.
#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "net/use_scenario.h"

// Last: its macros (s_addr, h_addr, ...) must not meet the standard library's headers.
#include <winsock2.h>

namespace {

class WinsockStartupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        net_test::UseScenario("{}");
        // Undo every start an earlier test of this process left behind.
        while (WSACleanup() == 0) {
        }
    }
};

TEST_F(WinsockStartupTest, LookupsWaitForTheLibraryToBeStarted) {
    EXPECT_EQ(gethostbyname("localhost"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    const ULONG loopback = inet_addr("127.0.0.1");
    EXPECT_EQ(gethostbyaddr(reinterpret_cast<const char*>(&loopback), 4, AF_INET), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    // The address conversions need no start.
    EXPECT_EQ(loopback, 0x0100007Fu);

    WSADATA data{};
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    EXPECT_EQ(data.wVersion, 0x0202);
    EXPECT_EQ(data.wHighVersion, 0x0202);
    EXPECT_NE(gethostbyname("localhost"), nullptr);

    // Starts and cleanups pair up: the library stops with the last cleanup.
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    EXPECT_EQ(WSACleanup(), 0);
    EXPECT_NE(gethostbyname("localhost"), nullptr);
    EXPECT_EQ(WSACleanup(), 0);
    EXPECT_EQ(gethostbyname("localhost"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

TEST_F(WinsockStartupTest, VersionsAreNegotiatedAndBadRequestsRefused) {
    WSADATA data{};
    EXPECT_EQ(WSAStartup(MAKEWORD(1, 0), &data), WSAVERNOTSUPPORTED);
    EXPECT_EQ(data.wHighVersion, 0x0202) << "the caller learns what would do";
    EXPECT_EQ(WSAStartup(MAKEWORD(2, 2), nullptr), WSAEFAULT);
    EXPECT_EQ(gethostbyname("localhost"), nullptr) << "neither failure started the library";

    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    EXPECT_EQ(data.wVersion, MAKEWORD(1, 1));
    ASSERT_EQ(WSAStartup(MAKEWORD(3, 0), &data), 0);
    EXPECT_EQ(data.wVersion, 0x0202) << "a later version than there is gets the highest";
    EXPECT_STREQ(data.szSystemStatus, "Running");
}

TEST_F(WinsockStartupTest, TheStartIsTheProcesssAndTheErrorEachThreads) {
    WSADATA data{};
    std::thread([&] { ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0); }).join();
    EXPECT_NE(gethostbyname("localhost"), nullptr) << "started on another thread";

    WSASetLastError(WSAEINTR);
    std::thread([] {
        EXPECT_EQ(gethostbyname("nowhere.invalid"), nullptr);
        EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);
    }).join();
    EXPECT_EQ(WSAGetLastError(), WSAEINTR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(WSAEINTR)) << "one value under two names";
}

}  // namespace
