// Which client's lease the backend believes, from lease files laid out in a scratch
// directory the way each client leaves them.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

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
        // Every client's files in one directory: their names tell them apart.
        paths_.dhcpcdLeaseDir = paths_.networkdLeaseDir = paths_.networkManagerLeaseDir =
            paths_.dhclientLeaseDir = root_;
        paths_.dhcpcdProgram = (root_ / "no-dhcpcd-here").string();
    }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const fs::path& path, const std::string& content, std::int64_t mtime = 1000) {
        std::ofstream(path, std::ios::binary) << content;
        const timespec times[2] = {{mtime, 0}, {mtime, 0}};
        utimensat(AT_FDCWD, path.c_str(), times, 0);
    }
    // The server of the lease found for eth0 (index 2), or "none".
    std::string Server(const std::string& interfaceName = "eth0", std::uint32_t index = 2) {
        const auto lease = DhcpLeaseFinder(paths_).Find(interfaceName, index);
        return lease ? inet_ntoa(in_addr{lease->server}) : "none";
    }

    fs::path root_;
    HostPaths paths_;
};

std::string ServerOnly(const std::string& server) {
    return "ADDRESS=10.9.9.9\nSERVER_ADDRESS=" + server + "\n";
}

std::string DhclientLease(const std::string& interfaceName, const std::string& server) {
    return "lease {\n  interface \"" + interfaceName + "\";\n  option dhcp-server-identifier " +
           server + ";\n}\n";
}

TEST_F(DhcpLeaseFinderTest, DhcpcdThenNetworkdThenNetworkManagerThenDhclient) {
    EXPECT_EQ(Server(), "none");
    Write(root_ / "dhclient.leases", DhclientLease("eth0", "10.4.0.1"));
    EXPECT_EQ(Server(), "10.4.0.1");
    // A client run for one interface keeps its own file, which comes first.
    Write(root_ / "dhclient.eth0.leases", DhclientLease("eth0", "10.4.0.2"));
    EXPECT_EQ(Server(), "10.4.0.2");

    // NetworkManager: the newest profile's file for exactly this interface.
    Write(root_ / "internal-1111-eth0.lease", ServerOnly("10.3.0.1"), 500);
    Write(root_ / "internal-2222-eth0.lease", ServerOnly("10.3.0.2"), 900);
    Write(root_ / "internal-3333-eth00.lease", ServerOnly("10.3.0.3"), 1900);
    EXPECT_EQ(Server(), "10.3.0.2");

    Write(root_ / "2", ServerOnly("10.2.0.1"));
    EXPECT_EQ(Server(), "10.2.0.1");
    EXPECT_EQ(Server("eth0", 3), "10.3.0.2") << "networkd names its files by index";

    // dhcpcd's packet, obtained when the file was written.
    std::string packet(236, '\0');
    packet[0] = 2;
    packet +=
        std::string("\x63\x82\x53\x63\x36\x04\x0a\x32\x00\x01\x33\x04\x00\x00\x00\xb4\xff", 17);
    Write(root_ / "eth0.lease", packet, 2000);
    const auto lease = DhcpLeaseFinder(paths_).Find("eth0", 2);
    ASSERT_TRUE(lease);
    EXPECT_EQ(lease->server, inet_addr("10.50.0.1"));
    EXPECT_EQ(lease->obtained, 2000);
    EXPECT_EQ(lease->expires, 2180);
}

TEST_F(DhcpLeaseFinderTest, UnreadableDhcpcdLeaseIsAskedOfTheDaemon) {
    // A lease we may not read (a directory stands in, even for root) sends us to
    // `dhcpcd -4 -U IF`; a stand-in daemon answers for eth0 only.
    fs::create_directory(root_ / "eth0.lease");
    fs::create_directory(root_ / "eth1.lease");
    const fs::path daemon = root_ / "stand-in-dhcpcd";
    Write(daemon,
          "#!/bin/sh\n"
          "[ \"$1 $2 $3\" = '-4 -U eth0' ] || exit 1\n"
          "echo dhcp_server_identifier=10.9.0.1\necho dhcp_lease_time=60\n");
    fs::permissions(daemon, fs::perms::owner_all);
    paths_.dhcpcdProgram = daemon.string();
    EXPECT_EQ(Server(), "10.9.0.1");
    EXPECT_EQ(Server("eth1", 3), "none");
}

}  // namespace
}  // namespace platform::net::host
