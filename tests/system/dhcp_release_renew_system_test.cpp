// Release and renew over a real DHCP exchange: dnsmasq serves a veth between two
// namespaces the test makes, dhcpcd is the client, and the program's ReleaseLease and
// RenewLease drive it through the IP Helper requests and the host backend.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "adapters/AdapterSnapshot.h"
#include "adapters/DhcpLease.h"
#include "net/host/bounded_command.h"
#include "net/host/host_backend.h"
#include "network_namespace.h"

extern char** environ;

namespace {

using nlohmann::json;
using platform::net::host::RunBoundedCommand;
using tessalink::testing::NetworkNamespace;

constexpr std::chrono::seconds kCommandLimit{10};
constexpr const char* kDuid = "/var/lib/dhcpcd/duid";

std::string Narrow(LPCWSTR text) {
    std::string narrow;
    for (; *text != 0; ++text) {
        narrow += static_cast<char>(*text);
    }
    return narrow;
}

json RecordJson(const AdapterRecord& record) {
    return {{"address", Narrow(record.ipAddresses[0].address)},
            {"dhcp", record.dhcpEnabled != FALSE},
            {"server", Narrow(record.dhcpServer)},
            {"obtained", Narrow(record.leaseObtained)},
            {"expires", Narrow(record.leaseExpires)}};
}

class DhcpReleaseRenewSystemTest : public testing::Test {
  protected:
    void SetUp() override {
        if (auto reason = NetworkNamespace::UnavailableReason()) {
            GTEST_SKIP() << *reason;
        }
        for (const char* tool : {"dnsmasq", "dhcpcd"}) {
            if (!RunBoundedCommand({tool, "--version"}, kCommandLimit)) {
                GTEST_SKIP() << tool << " is not installed";
            }
        }
        ASSERT_TRUE(server_.IsCreated() && client_.IsCreated()) << "ip netns add failed";
        hadDuid_ = std::filesystem::exists(kDuid);
        directory_ = std::filesystem::temp_directory_path() /
                     ("tessalink-dhcp-system-" + std::to_string(getpid()));
        std::filesystem::create_directories(directory_);
        // The client's hooks must not touch the machine's resolver or host name,
        // which the namespaces share with it; the address probe would only slow us.
        wrapper_ = (directory_ / "dhcpcd").string();
        std::ofstream(wrapper_) << "#!/bin/sh\nexec dhcpcd -f /dev/null -c /bin/true --noarp "
                                   "\"$@\"\n";
        std::filesystem::permissions(wrapper_, std::filesystem::perms::owner_all);

        for (const auto& command : std::vector<std::vector<std::string>>{
                 {"link", "add", clientLink_, "type", "veth", "peer", "name", serverLink_, "netns",
                  server_.Name()},
                 {"link", "set", clientLink_, "up"}}) {
            ASSERT_TRUE(client_.Ip(command)) << command[0];
        }
        ASSERT_TRUE(server_.Ip({"addr", "add", "10.71.0.1/24", "dev", serverLink_}));
        ASSERT_TRUE(server_.Ip({"link", "set", serverLink_, "up"}));
        StartServer();
        ASSERT_TRUE(RunBoundedCommand(
            {"ip", "netns", "exec", client_.Name(), wrapper_, "-4", "-b", clientLink_},
            kCommandLimit))
            << "dhcpcd did not start";
        ASSERT_TRUE(WaitForAddress()) << "no lease from dnsmasq";
    }

    void TearDown() override {
        if (directory_.empty()) {
            return;
        }
        // The daemon outlives the namespace; it and its lease file must go by hand.
        RunBoundedCommand({wrapper_, "-4", "-x", clientLink_}, kCommandLimit);
        std::filesystem::remove("/var/lib/dhcpcd/" + clientLink_ + ".lease");
        // dhcpcd makes its identity on its first run; a machine without one stays so.
        if (!hadDuid_) {
            std::filesystem::remove(kDuid);
        }
        if (dnsmasq_ > 0) {
            kill(dnsmasq_, SIGTERM);
            waitpid(dnsmasq_, nullptr, 0);
        }
        std::filesystem::remove_all(directory_);
    }

    void StartServer() {
        const std::vector<std::string> arguments = {
            "ip",
            "netns",
            "exec",
            server_.Name(),
            "dnsmasq",
            "--conf-file=/dev/null",
            "--keep-in-foreground",
            "--port=0",
            "--interface=" + serverLink_,
            "--bind-interfaces",
            "--dhcp-range=10.71.0.100,10.71.0.150,255.255.255.0,600",
            "--dhcp-leasefile=" + (directory_ / "leases").string(),
            "--pid-file="};
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        ASSERT_EQ(posix_spawnp(&dnsmasq_, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    }

    bool WaitForAddress() const {
        for (int attempt = 0; attempt < 200; ++attempt) {
            const auto shown = client_.Ip({"-4", "addr", "show", "dev", clientLink_});
            if (shown && shown->find("inet 10.71.0.") != std::string::npos) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    NetworkNamespace server_;
    NetworkNamespace client_;
    const std::string clientLink_ = "tlc" + std::to_string(getpid() % 100000);
    const std::string serverLink_ = "tls" + std::to_string(getpid() % 100000);
    std::filesystem::path directory_;
    std::string wrapper_;
    pid_t dnsmasq_ = 0;
    bool hadDuid_ = true;
};

TEST_F(DhcpReleaseRenewSystemTest, ReleaseThenRenewThroughDhcpcd) {
    const std::string link = clientLink_;
    const std::string program = wrapper_;
    const auto output = client_.RunInside([&] {
        platform::net::host::HostPaths paths;
        paths.dhcpcdProgram = program;
        platform::net::InstallBackend(platform::net::MakeHostBackend(paths));
        AdapterSnapshot snapshot;
        snapshot.ReadAdapters();
        AdapterRecord* record = nullptr;
        for (int i = 0; i < snapshot.AdapterCount(); ++i) {
            if (Narrow(snapshot.AdapterAt(i)->adapterName) == link) {
                record = snapshot.AdapterAt(i);
            }
        }
        if (record == nullptr) {
            return json{{"error", "no adapter " + link}}.dump();
        }
        json report = {{"before", RecordJson(*record)}};
        report["released"] = ReleaseLease(snapshot, *record);
        report["afterRelease"] = RecordJson(*record);
        report["renewed"] = RenewLease(snapshot, *record);
        report["afterRenew"] = RecordJson(*record);
        return report.dump();
    });
    ASSERT_TRUE(output) << "the child in the namespace failed";
    const json report = json::parse(*output);
    ASSERT_TRUE(report.contains("before")) << report.dump(2);

    EXPECT_TRUE(report["before"]["address"].get<std::string>().starts_with("10.71.0."));
    EXPECT_EQ(report["before"]["dhcp"], true);
    EXPECT_EQ(report["before"]["server"], "10.71.0.1");

    EXPECT_EQ(report["released"], true) << report.dump(2);
    EXPECT_EQ(report["afterRelease"]["address"], "0.0.0.0");
    // Still an adapter DHCP configures, or the page could not renew it.
    EXPECT_EQ(report["afterRelease"]["dhcp"], true);

    EXPECT_EQ(report["renewed"], true) << report.dump(2);
    const json& renewed = report["afterRenew"];
    EXPECT_TRUE(renewed["address"].get<std::string>().starts_with("10.71.0.")) << renewed;
    EXPECT_EQ(renewed["server"], "10.71.0.1");
    EXPECT_NE(renewed["obtained"], "");
    EXPECT_NE(renewed["obtained"], renewed["expires"]);
}

}  // namespace
