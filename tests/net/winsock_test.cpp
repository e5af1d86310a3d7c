// The socket library: inet_addr's address forms, its start and stop, and host lookups
// with the hostent as Windows lays it out, over the simulated network's names and over
// the machine's resolver (localhost only: nothing may leave it).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "net/host/host_backend.h"
#include "net/network_backend.h"
#include "support/scenario_stager.h"

// Last: its macros (s_addr, h_addr, ...) must not meet the standard library's headers.
#include <winsock2.h>

namespace {

// The address as it lies in memory, first byte first.
std::string Bytes(ULONG address) {
    unsigned char b[4];
    std::memcpy(b, &address, 4);
    return std::to_string(b[0]) + "." + std::to_string(b[1]) + "." + std::to_string(b[2]) + "." +
           std::to_string(b[3]);
}

TEST(InetAddr, AcceptsTheClassicForms) {
    const std::pair<const char*, const char*> rows[] = {
        {"192.168.1.20", "192.168.1.20"},
        {"10.1.258", "10.1.1.2"},       // a.b.c: c fills 16 bits.
        {"10.65539", "10.1.0.3"},       // a.b: b fills 24 bits.
        {"3232235777", "192.168.1.1"},  // a: all 32 bits.
        {"0xc0.0250.0x1.017", "192.168.1.15"},
        {"0XFF.0.0.0", "255.0.0.0"},
        {"1.2.3.4 trailing", "1.2.3.4"},
        {"0", "0.0.0.0"},
    };
    for (const auto& [text, bytes] : rows) {
        EXPECT_EQ(Bytes(inet_addr(text)), bytes) << text;
    }
    // The broadcast address is a valid answer that equals INADDR_NONE.
    EXPECT_EQ(inet_addr("255.255.255.255"), INADDR_NONE);
}

TEST(InetAddr, RefusesEverythingElse) {
    for (const char* text :
         {"", " ", "1.2.3.4.5", "256.1.1.1", "1.2.3.256", "1.2.65536", "1.16777216", "4294967296",
          "1..2.3", "1.2.3.", ".1.2.3", "08", "0x", "0xg", "1.2.3.4x", "host.example", "-1"}) {
        EXPECT_EQ(inet_addr(text), INADDR_NONE) << '"' << text << '"';
    }
    EXPECT_EQ(inet_addr(nullptr), INADDR_NONE);
}

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

hostent* ByAddress(const char* dotted, int length = 4, int family = AF_INET) {
    const ULONG address = inet_addr(dotted);
    return gethostbyaddr(reinterpret_cast<const char*>(&address), length, family);
}

// Every start an earlier test of this process left behind, undone.
void StopTheLibrary() {
    while (WSACleanup() == 0) {
    }
}

// Lookups wait for the library to be started, and stop with the last cleanup; a
// version is agreed on, and what cannot be agreed on starts nothing.
TEST(WinsockStartup, VersionsAndStartsAreCounted) {
    tessalink::test::StageScenario("{}");
    StopTheLibrary();
    EXPECT_EQ(gethostbyname("localhost"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    EXPECT_EQ(ByAddress("127.0.0.1"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    WSADATA data{};
    EXPECT_EQ(WSAStartup(MAKEWORD(1, 0), &data), WSAVERNOTSUPPORTED);
    EXPECT_EQ(data.wHighVersion, 0x0202) << "the caller learns what would do";
    EXPECT_EQ(WSAStartup(MAKEWORD(2, 2), nullptr), WSAEFAULT);
    EXPECT_EQ(gethostbyname("localhost"), nullptr) << "neither failure started the library";

    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    EXPECT_EQ(data.wVersion, MAKEWORD(1, 1));
    EXPECT_NE(gethostbyname("localhost"), nullptr);
    ASSERT_EQ(WSAStartup(MAKEWORD(3, 0), &data), 0);
    EXPECT_EQ(data.wVersion, 0x0202) << "a later version than there is gets the highest";
    EXPECT_STREQ(data.szSystemStatus, "Running");
    EXPECT_EQ(WSACleanup(), 0);
    EXPECT_NE(gethostbyname("localhost"), nullptr);
    EXPECT_EQ(WSACleanup(), 0);
    EXPECT_EQ(gethostbyname("localhost"), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    EXPECT_EQ(WSACleanup(), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

class WinsockLookupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tessalink::test::StageScenario(kNames);
        WSADATA data{};
        ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    }
    void TearDown() override { WSACleanup(); }
};

TEST_F(WinsockLookupTest, ANameGivesEveryAddressInOrderInTheWindowsLayout) {
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
    const std::pair<const char*, const char*> rows[] = {{"10.1.2.3", "10.1.2.3"},
                                                        {"localhost", "127.0.0.1"},
                                                        {"", "192.168.1.20"},
                                                        {nullptr, "192.168.1.20"}};
    for (const auto& [name, address] : rows) {
        const hostent* found = gethostbyname(name);
        ASSERT_NE(found, nullptr) << (name ? name : "null");
        EXPECT_EQ(Addresses(found), std::vector<std::string>{address});
    }
    for (const std::string& name : {std::string("www.example.org"), std::string(300, 'x')}) {
        EXPECT_EQ(gethostbyname(name.c_str()), nullptr);
        EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);
    }
}

TEST_F(WinsockLookupTest, AnAddressGivesItsReverseNameOnly) {
    const hostent* entry = ByAddress("203.0.113.5");
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->h_name, "web1.example.com");
    EXPECT_EQ(Addresses(entry), std::vector<std::string>{"203.0.113.5"});
    EXPECT_STREQ(ByAddress("127.0.0.1")->h_name, "localhost");

    EXPECT_EQ(ByAddress("203.0.113.6"), nullptr) << "a forward entry makes no reverse one";
    EXPECT_EQ(WSAGetLastError(), WSAHOST_NOT_FOUND);
    EXPECT_EQ(ByAddress("203.0.113.5", 4, AF_UNSPEC), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSAEAFNOSUPPORT);
    EXPECT_EQ(ByAddress("203.0.113.5", 3), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
    EXPECT_EQ(gethostbyaddr(nullptr, 4, AF_INET), nullptr);
    EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
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
