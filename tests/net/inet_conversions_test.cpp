// inet_addr and inet_ntoa with the socket library's meaning.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <thread>

// Last, as in the platform: its macros must not meet the standard library's headers.
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
    EXPECT_EQ(Bytes(inet_addr("192.168.1.20")), "192.168.1.20");
    EXPECT_EQ(Bytes(inet_addr("10.1.258")), "10.1.1.2");       // a.b.c: c fills 16 bits.
    EXPECT_EQ(Bytes(inet_addr("10.65539")), "10.1.0.3");       // a.b: b fills 24 bits.
    EXPECT_EQ(Bytes(inet_addr("3232235777")), "192.168.1.1");  // a: all 32 bits.
    EXPECT_EQ(Bytes(inet_addr("0xc0.0250.0x1.017")), "192.168.1.15");
    EXPECT_EQ(Bytes(inet_addr("0XFF.0.0.0")), "255.0.0.0");
    EXPECT_EQ(Bytes(inet_addr("1.2.3.4 trailing")), "1.2.3.4");
    EXPECT_EQ(Bytes(inet_addr("0")), "0.0.0.0");
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

TEST(InetNtoa, FormatsIntoABufferOfTheCallingThread) {
    in_addr address{};
    address.s_addr = inet_addr("255.255.255.254");
    char* mine = inet_ntoa(address);
    EXPECT_STREQ(mine, "255.255.255.254");

    std::string theirs;
    std::thread other([&] {
        in_addr loopback{};
        loopback.s_addr = inet_addr("127.0.0.1");
        theirs = inet_ntoa(loopback);
    });
    other.join();
    EXPECT_EQ(theirs, "127.0.0.1");
    EXPECT_STREQ(mine, "255.255.255.254") << "another thread's call overwrote this thread's text";

    address.s_addr = inet_addr("10.0.0.1");
    EXPECT_STREQ(inet_ntoa(address), "10.0.0.1");
    EXPECT_STREQ(mine, "10.0.0.1") << "the buffer is reused by the next call on this thread";
}

}  // namespace
