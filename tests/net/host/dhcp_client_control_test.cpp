// The host backend's requests to the DHCP clients, with scripts standing in for the
// clients: which client is asked, with what command, and what the caller and the
// user are told when it cannot be done. The loopback interface stands in for the
// adapter, since every network namespace has it.
#include <gtest/gtest.h>
#include <net/if.h>
#include <unistd.h>
#include <winerror.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "net/host/dhcp_client_control.h"
#include "net/host/small_file.h"

namespace {

using platform::net::host::DhcpClientControl;
using platform::net::host::HostPaths;

class DhcpClientControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("tessalink-dhcp-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        // Every client's files in one directory: their names tell them apart.
        std::filesystem::create_directories(root_);
        paths_.dhcpcdRunDir = paths_.dhcpcdLeaseDir = paths_.networkdLeaseDir =
            paths_.networkManagerLeaseDir = paths_.dhclientLeaseDir = paths_.dhclientRunDir = root_;
        paths_.dhcpcdProgram = Program("dhcpcd", 0);
        paths_.networkctlProgram = Program("networkctl", 0);
        paths_.nmcliProgram = Program("nmcli", 0);
        paths_.dhclientProgram = Program("dhclient", 0);
        loopback_ = if_nametoindex("lo");
        ASSERT_NE(loopback_, 0u);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    // A script that logs its name and arguments, runs `more` and exits with `status`.
    std::string Program(const std::string& name, int status, const std::string& more = "") {
        const std::filesystem::path path = root_ / name;
        std::ofstream(path) << "#!/bin/sh\necho \"" << name << " $*\" >> " << (root_ / "log")
                            << "\n"
                            << more << "\nexit " << status << "\n";
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path.string();
    }
    void Touch(const std::filesystem::path& path, const std::string& content = "") {
        std::ofstream(path) << content;
    }
    std::string Log() const {
        return platform::net::host::ReadSmallFile(root_ / "log").value_or("");
    }

    std::filesystem::path root_;
    HostPaths paths_;
    unsigned loopback_ = 0;
    std::ostringstream advice_;
};

TEST_F(DhcpClientControlTest, EachClientIsFoundByWhatItLeavesOnTheMachine) {
    const std::uint32_t other = loopback_ + 1000;
    {
        Touch(paths_.dhcpcdLeaseDir / "eth7.lease");
        Touch(paths_.networkdLeaseDir / std::to_string(other));
        DhcpClientControl control(paths_, true, advice_);
        EXPECT_TRUE(control.Manages("eth7", other));
        EXPECT_FALSE(control.Manages("lo", loopback_));
    }
    Touch(paths_.networkManagerLeaseDir / "internal-6f1c-lo.lease");
    EXPECT_TRUE(DhcpClientControl(paths_, true, advice_).Manages("lo", loopback_));
    std::filesystem::remove(paths_.networkManagerLeaseDir / "internal-6f1c-lo.lease");
    Touch(paths_.networkManagerLeaseDir / "internal-6f1c-lo0.lease");
    EXPECT_FALSE(DhcpClientControl(paths_, true, advice_).Manages("lo", loopback_));

    Touch(paths_.dhclientLeaseDir / "dhclient.leases", "lease {\n  interface \"eth0\";\n}\n");
    EXPECT_FALSE(DhcpClientControl(paths_, true, advice_).Manages("lo", loopback_));
    Touch(paths_.dhclientLeaseDir / "dhclient.leases", "lease {\n  interface \"lo\";\n}\n");
    // Like dhclient, the stand-in's daemon writes its pid file after the command returned.
    const std::filesystem::path pidFile = paths_.dhclientRunDir / "dhclient.pid";
    paths_.dhclientProgram = Program(
        "dhclient", 0,
        "[ \"$1\" = -nw ] && (sleep 0.3; echo 1 > " + pidFile.string() + ") >/dev/null 2>&1 &");
    DhcpClientControl control(paths_, true, advice_);
    EXPECT_TRUE(control.Manages("lo", loopback_));
    EXPECT_EQ(control.Release(loopback_), static_cast<std::uint32_t>(NO_ERROR));
    EXPECT_EQ(control.Renew(loopback_), static_cast<std::uint32_t>(NO_ERROR));
    EXPECT_TRUE(std::filesystem::exists(pidFile)) << "the renew did not wait for the daemon";
    EXPECT_EQ(Log(), "dhclient -r lo\ndhclient -x lo\ndhclient -nw lo\n");
}

TEST_F(DhcpClientControlTest, WhatCannotBeDoneIsRefusedAndExplainedOnce) {
    DhcpClientControl control(paths_, true, advice_);
    EXPECT_EQ(control.Release(0), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));

    // No client in charge: nothing is run.
    EXPECT_EQ(control.Release(loopback_), static_cast<std::uint32_t>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(control.Renew(loopback_), static_cast<std::uint32_t>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(Log(), "");
    const std::string said = advice_.str();
    EXPECT_NE(said.find("lo"), std::string::npos) << said;
    EXPECT_NE(said.find("dhcpcd lo"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;

    // systemd-networkd renews but has no release of its own.
    Touch(paths_.networkdLeaseDir / std::to_string(loopback_));
    advice_.str("");
    EXPECT_EQ(control.Release(loopback_), static_cast<std::uint32_t>(ERROR_NOT_SUPPORTED));
    EXPECT_NE(advice_.str().find("networkctl down"), std::string::npos) << advice_.str();
    EXPECT_EQ(control.Renew(loopback_), static_cast<std::uint32_t>(NO_ERROR));
    EXPECT_EQ(Log(), "networkctl renew lo\n");
}

TEST_F(DhcpClientControlTest, FailedCommandIsARefusalUnlessWeAreRoot) {
    Touch(paths_.dhcpcdRunDir / "pid");
    paths_.dhcpcdProgram = Program("dhcpcd", 1);
    {
        DhcpClientControl control(paths_, false, advice_);
        EXPECT_EQ(control.Release(loopback_), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
        EXPECT_EQ(control.Release(loopback_), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
        EXPECT_EQ(advice_.str(),
                  "tessalink: asking dhcpcd to release the lease of lo needs root: run "
                  "tessalink as root\n");
        // A release that failed is not remembered as done.
        std::filesystem::remove(paths_.dhcpcdRunDir / "pid");
        EXPECT_FALSE(control.Manages("lo", loopback_));
    }
    Touch(paths_.dhcpcdRunDir / "pid");
    advice_.str("");
    DhcpClientControl control(paths_, true, advice_);
    EXPECT_EQ(control.Renew(loopback_), static_cast<std::uint32_t>(ERROR_GEN_FAILURE));
    EXPECT_NE(advice_.str().find("-4 -n -b lo` failed"), std::string::npos) << advice_.str();
}

}  // namespace
