// Which client's lease the backend believes, from lease files laid out in a
// scratch directory the way each client leaves them; and the bounded runner the
// dhcpcd fallback goes through.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "net/host/bounded_command.h"
#include "net/host/dhcp_lease_finder.h"

namespace platform::net::host {
namespace {

namespace fs = std::filesystem;

class DhcpLeaseFinderTest : public testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tessalink-leases-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        paths_.dhcpcdLeaseDir = root_ / "dhcpcd";
        paths_.networkdLeaseDir = root_ / "networkd";
        paths_.networkManagerLeaseDir = root_ / "nm";
        paths_.dhclientLeaseDir = root_ / "dhcp";
        paths_.dhcpcdProgram = (root_ / "no-dhcpcd-here").string();
        for (const auto* dir : {&paths_.dhcpcdLeaseDir, &paths_.networkdLeaseDir,
                                &paths_.networkManagerLeaseDir, &paths_.dhclientLeaseDir}) {
            fs::create_directory(*dir);
        }
    }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const fs::path& path, const std::string& content, std::int64_t mtime = 1000) {
        std::ofstream(path, std::ios::binary) << content;
        const timespec times[2] = {{mtime, 0}, {mtime, 0}};
        utimensat(AT_FDCWD, path.c_str(), times, 0);
    }

    fs::path root_;
    HostPaths paths_;
};

std::string DhcpcdLease(std::uint8_t serverLastByte) {
    std::string packet(236, '\0');
    packet[0] = 2;
    packet += std::string("\x63\x82\x53\x63", 4);
    packet += std::string("\x36\x04\x0a\x32\x00", 5) + static_cast<char>(serverLastByte);
    packet += std::string("\x33\x04\x00\x00\x00\xb4\xff", 7);
    return packet;
}

TEST_F(DhcpLeaseFinderTest, DhcpcdComesFirstThenNetworkdThenNetworkManager) {
    const DhcpLeaseFinder finder(paths_);
    EXPECT_FALSE(finder.Find("eth0", 2));

    Write(paths_.networkManagerLeaseDir / "internal-1111-eth0.lease",
          "ADDRESS=10.3.0.5\nSERVER_ADDRESS=10.3.0.1\nLIFETIME=60\n", 500);
    Write(paths_.networkManagerLeaseDir / "internal-2222-eth0.lease",
          "ADDRESS=10.3.0.6\nSERVER_ADDRESS=10.3.0.2\nLIFETIME=60\n", 900);
    Write(paths_.networkManagerLeaseDir / "internal-3333-eth00.lease",
          "ADDRESS=10.3.0.7\nSERVER_ADDRESS=10.3.0.3\nLIFETIME=60\n", 1900);
    EXPECT_EQ(finder.Find("eth0", 2)->server, inet_addr("10.3.0.2"));

    Write(paths_.networkdLeaseDir / "2", "ADDRESS=10.2.0.5\nSERVER_ADDRESS=10.2.0.1\n");
    EXPECT_EQ(finder.Find("eth0", 2)->server, inet_addr("10.2.0.1"));
    EXPECT_EQ(finder.Find("eth0", 3)->server, inet_addr("10.3.0.2"));

    Write(paths_.dhcpcdLeaseDir / "eth0.lease", DhcpcdLease(1), 2000);
    const auto lease = finder.Find("eth0", 2);
    ASSERT_TRUE(lease);
    EXPECT_EQ(lease->server, inet_addr("10.50.0.1"));
    EXPECT_EQ(lease->obtained, 2000);
    EXPECT_EQ(lease->expires, 2180);
}

std::string DhclientBlock(const std::string& interfaceName, const std::string& server,
                          const std::string& expire) {
    return "lease {\n  interface \"" + interfaceName +
           "\";\n  fixed-address 10.4.0.9;\n  option subnet-mask 255.255.255.0;\n"
           "  option dhcp-lease-time 600;\n  option dhcp-server-identifier " +
           server + ";\n  renew 4 2026/12/03 10:05:00;\n  expire " + expire + ";\n}\n";
}

TEST_F(DhcpLeaseFinderTest, DhclientsLastBlockForTheInterfaceWins) {
    const DhcpLeaseFinder finder(paths_);
    Write(paths_.dhclientLeaseDir / "dhclient.leases",
          DhclientBlock("eth0", "10.4.0.1", "4 2026/12/03 10:10:00") +
              DhclientBlock("eth0", "10.4.0.2", "4 2026/12/03 11:10:00") +
              DhclientBlock("eth1", "10.4.0.3", "4 2026/12/03 12:10:00") +
              // Cut off while the client appended it: not a lease.
              "lease {\n  interface \"eth0\";\n  fixed-address 10.4.0.10;\n");
    auto lease = finder.Find("eth0", 2);
    ASSERT_TRUE(lease);
    EXPECT_EQ(lease->server, inet_addr("10.4.0.2"));
    EXPECT_EQ(lease->expires, 1796296200);  // 2026-12-03 11:10:00 UTC
    EXPECT_EQ(lease->obtained, 1796296200 - 600);
    EXPECT_FALSE(finder.Find("eth2", 4));

    // A client run for one interface keeps its own file, which comes first; an
    // infinite lease has no end.
    Write(paths_.dhclientLeaseDir / "dhclient.eth1.leases",
          DhclientBlock("eth1", "10.4.0.4", "never"));
    lease = finder.Find("eth1", 3);
    ASSERT_TRUE(lease);
    EXPECT_EQ(lease->server, inet_addr("10.4.0.4"));
    EXPECT_EQ(lease->expires, 0);
    EXPECT_EQ(lease->obtained, 0);

    // Every other client is asked before dhclient.
    Write(paths_.networkdLeaseDir / "2", "ADDRESS=10.2.0.5\nSERVER_ADDRESS=10.2.0.1\n");
    EXPECT_EQ(finder.Find("eth0", 2)->server, inet_addr("10.2.0.1"));
}

TEST_F(DhcpLeaseFinderTest, DhclientLeaseGivenBackIsNoLease) {
    const DhcpLeaseFinder finder(paths_);
    const fs::path file = paths_.dhclientLeaseDir / "dhclient.eth0.leases";
    // A release rewrites the lease to end when it renews: the moment it was given back.
    const std::string held = DhclientBlock("eth0", "10.4.0.1", "4 2026/12/03 10:10:00");
    std::string released = held;
    released.replace(released.find("expire 4 2026/12/03 10:10:00"), 28,
                     "expire 4 2026/12/03 10:05:00");
    Write(file, held + released);
    EXPECT_FALSE(finder.Find("eth0", 2));

    // The next lease the client gets is the current one again.
    Write(file, held + released + DhclientBlock("eth0", "10.4.0.2", "4 2026/12/03 11:10:00"));
    const auto lease = finder.Find("eth0", 2);
    ASSERT_TRUE(lease);
    EXPECT_EQ(lease->server, inet_addr("10.4.0.2"));
}

TEST_F(DhcpLeaseFinderTest, LeaseInAnUnknownFormIsNoLease) {
    Write(paths_.dhcpcdLeaseDir / "eth0.lease", "not a DHCP packet");
    Write(paths_.networkdLeaseDir / "2", std::string(200, '\xff'));
    Write(paths_.dhclientLeaseDir / "dhclient.leases",
          "lease {\n  interface \"eth0\";\n  expire 4 2026/13/03 10:10:00;\n}\n");
    EXPECT_FALSE(DhcpLeaseFinder(paths_).Find("eth0", 2));
}

TEST_F(DhcpLeaseFinderTest, UnreadableDhcpcdLeaseIsAskedOfTheDaemon) {
    // A lease we may not read (a directory stands in, even for root) sends us to
    // `dhcpcd -4 -U IF`; a stand-in daemon answers for eth0 only.
    fs::create_directory(paths_.dhcpcdLeaseDir / "eth0.lease");
    fs::create_directory(paths_.dhcpcdLeaseDir / "eth1.lease");
    const fs::path daemon = root_ / "stand-in-dhcpcd";
    Write(daemon,
          "#!/bin/sh\n"
          "[ \"$1 $2 $3\" = '-4 -U eth0' ] || exit 1\n"
          "echo dhcp_server_identifier=10.9.0.1\necho dhcp_lease_time=60\n");
    fs::permissions(daemon, fs::perms::owner_all);
    paths_.dhcpcdProgram = daemon.string();
    const DhcpLeaseFinder finder(paths_);
    const auto lease = finder.Find("eth0", 2);
    ASSERT_TRUE(lease);
    EXPECT_EQ(lease->server, inet_addr("10.9.0.1"));
    EXPECT_EQ(lease->expires, lease->obtained + 60);
    EXPECT_FALSE(finder.Find("eth1", 3));
}

TEST(BoundedCommand, OutputOnlyFromAProgramThatSucceedsInTime) {
    EXPECT_EQ(RunBoundedCommand({"sh", "-c", "echo one; echo two"}, std::chrono::seconds(5)),
              "one\ntwo\n");
    EXPECT_FALSE(RunBoundedCommand({"sh", "-c", "echo partial; exit 3"}, std::chrono::seconds(5)));
    EXPECT_FALSE(RunBoundedCommand({"/nonexistent/program"}, std::chrono::seconds(5)));
    EXPECT_FALSE(RunBoundedCommand({}, std::chrono::seconds(5)));
    // Killed at the limit: one that never writes, one that closed its output and
    // lingers, one that writes without end.
    EXPECT_FALSE(RunBoundedCommand({"sleep", "30"}, std::chrono::milliseconds(100)));
    EXPECT_FALSE(
        RunBoundedCommand({"sh", "-c", "exec >&-; sleep 30"}, std::chrono::milliseconds(100)));
    EXPECT_FALSE(RunBoundedCommand({"yes"}, std::chrono::seconds(5)));
}

}  // namespace
}  // namespace platform::net::host
