// Host lookups: the hostent as Windows lays it out, over the simulated network's
// names and over the machine's resolver (localhost only: nothing may leave it).
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "net/host/host_backend.h"
#include "net/network_backend.h"
#include "net/use_scenario.h"

// Last: its macros (s_addr, h_addr, ...) must not meet the standard library's headers.
#include <winsock2.h>

namespace {

constexpr const char* kNames = R"({
  "host": { "hostName": "PocketPC" },
  "names": {
    "www.Example.com": ["203.0.113.5", "203.0.113.6", "203.0.113.7"],
    "pocketpc": "192.168.1.20"
  },
  "reverseNames": { "203.0.113.5": "web1.example.com" }
})";

std::vector<std::string> Addresses(const hostent* entry) {
    std::vector<std::string> texts;
    for (char** address = entry->h_addr_list; *address != nullptr; ++address) {
        in_addr value{};
        value.s_addr = *reinterpret_cast<const ULONG*>(*address);
        texts.emplace_back(inet_ntoa(value));
    }
    return texts;
}

hostent* ByAddress(const char* dotted) {
    const ULONG address = inet_addr(dotted);
    return gethostbyaddr(reinterpret_cast<const char*>(&address), 4, AF_INET);
}

class WinsockLookupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WSADATA data{};
        ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    }
    void TearDown() override { WSACleanup(); }
};

TEST_F(WinsockLookupTest, ANameGivesEveryAddressInOrderInTheWindowsLayout) {
    net_test::UseScenario(kNames);
    const hostent* entry = gethostbyname("WWW.example.COM");
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->h_name, "www.Example.com");
    EXPECT_EQ(entry->h_addrtype, AF_INET);
    EXPECT_EQ(entry->h_length, 4);
    ASSERT_NE(entry->h_aliases, nullptr);
    EXPECT_EQ(entry->h_aliases[0], nullptr);
    EXPECT_EQ(Addresses(entry),
              (std::vector<std::string>{"203.0.113.5", "203.0.113.6", "203.0.113.7"}));

    // Text that is an address answers for itself; so do localhost and the device.
    EXPECT_EQ(Addresses(gethostbyname("10.1.2.3")), std::vector<std::string>{"10.1.2.3"});
    EXPECT_EQ(Addresses(gethostbyname("localhost")), std::vector<std::string>{"127.0.0.1"});
    EXPECT_EQ(Addresses(gethostbyname("")), std::vector<std::string>{"192.168.1.20"});
    EXPECT_EQ(Addresses(gethostbyname(nullptr)), std::vector<std::string>{"192.168.1.20"});

    EXPECT_EQ(gethostbyname("www.example.org"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);
    EXPECT_EQ(gethostbyname(std::string(300, 'x').c_str()), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);
}

TEST_F(WinsockLookupTest, AnAddressGivesItsReverseNameOnly) {
    net_test::UseScenario(kNames);
    const hostent* entry = ByAddress("203.0.113.5");
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->h_name, "web1.example.com");
    EXPECT_EQ(Addresses(entry), std::vector<std::string>{"203.0.113.5"});
    EXPECT_STREQ(ByAddress("127.0.0.1")->h_name, "localhost");

    EXPECT_EQ(ByAddress("203.0.113.6"), nullptr) << "a forward entry makes no reverse one";
    EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);

    const ULONG address = inet_addr("203.0.113.5");
    EXPECT_EQ(gethostbyaddr(reinterpret_cast<const char*>(&address), 4, AF_UNSPEC), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSAEAFNOSUPPORT);
    EXPECT_EQ(gethostbyaddr(reinterpret_cast<const char*>(&address), 3, AF_INET), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    EXPECT_EQ(gethostbyaddr(nullptr, 4, AF_INET), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
}

TEST_F(WinsockLookupTest, EachThreadKeepsItsOwnEntryUntilItsNextLookup) {
    net_test::UseScenario(kNames);
    const hostent* mine = gethostbyname("www.example.com");
    ASSERT_NE(mine, nullptr);
    std::thread([] {
        for (int i = 0; i < 100; ++i) {
            ASSERT_NE(gethostbyname("localhost"), nullptr);
        }
    }).join();
    EXPECT_STREQ(mine->h_name, "www.Example.com");
    EXPECT_EQ(Addresses(mine).size(), 3u);
}

// Whether the hosts file answers for localhost both ways; otherwise the resolver
// would ask a name server and the lookup would leave the machine.
bool HostsFileNamesLocalhost() {
    std::ifstream hosts("/etc/hosts");
    for (std::string line; std::getline(hosts, line);) {
        if (line.rfind("127.0.0.1", 0) == 0 && line.find("localhost") != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST_F(WinsockLookupTest, TheMachinesResolverAnswersForLocalhost) {
    if (!HostsFileNamesLocalhost()) {
        GTEST_SKIP() << "/etc/hosts does not name 127.0.0.1 localhost; the lookup would need DNS";
    }
    platform::net::InstallBackend(platform::net::MakeHostBackend());
    const hostent* entry = gethostbyname("localhost");
    ASSERT_NE(entry, nullptr) << "error " << WSAGetLastError();
    ASSERT_FALSE(Addresses(entry).empty());
    EXPECT_EQ(Addresses(entry)[0].rfind("127.", 0), 0u);
    const hostent* reverse = ByAddress("127.0.0.1");
    ASSERT_NE(reverse, nullptr) << "error " << WSAGetLastError();
    EXPECT_NE(std::string(reverse->h_name), "");
}

}  // namespace
