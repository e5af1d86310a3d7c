#include "dhcp_test_network.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <thread>
#include <vector>

#include "net/host/bounded_command.h"
#include "net/host/host_backend.h"

extern char** environ;

namespace tessalink::testing {
namespace {

using platform::net::host::RunBoundedCommand;

constexpr std::chrono::seconds kCommandLimit{10};
constexpr const char* kDuid = "/var/lib/dhcpcd/duid";

}  // namespace

std::optional<std::string> DhcpTestNetwork::UnavailableReason() {
    if (auto reason = NetworkNamespace::UnavailableReason()) {
        return reason;
    }
    for (const char* tool : {"dnsmasq", "dhcpcd"}) {
        if (!RunBoundedCommand({tool, "--version"}, kCommandLimit)) {
            return std::string(tool) + " is not installed";
        }
    }
    return std::nullopt;
}

void DhcpTestNetwork::Start() {
    ASSERT_TRUE(server_.IsCreated() && client_.IsCreated()) << "ip netns add failed";
    hadDuid_ = std::filesystem::exists(kDuid);
    directory_ = std::filesystem::temp_directory_path() /
                 ("tessalink-dhcp-system-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory_);
    // The client's hooks must not touch the machine's resolver or host name, which the
    // namespaces share with it; the address probe would only slow the lease down.
    wrapper_ = (directory_ / "dhcpcd").string();
    std::ofstream(wrapper_) << "#!/bin/sh\nexec dhcpcd -f /dev/null -c /bin/true --noarp "
                               "\"$@\"\n";
    std::filesystem::permissions(wrapper_, std::filesystem::perms::owner_all);

    for (const auto& command :
         std::vector<std::vector<std::string>>{{"link", "add", clientLink_, "type", "veth", "peer",
                                                "name", serverLink_, "netns", server_.Name()},
                                               {"link", "set", clientLink_, "up"}}) {
        ASSERT_TRUE(client_.Ip(command)) << command[0];
    }
    ASSERT_TRUE(server_.Ip({"addr", "add", "10.71.0.1/24", "dev", serverLink_}));
    ASSERT_TRUE(server_.Ip({"link", "set", serverLink_, "up"}));
    ASSERT_NO_FATAL_FAILURE(StartServer());
    ASSERT_TRUE(RunBoundedCommand(
        {"ip", "netns", "exec", client_.Name(), wrapper_, "-4", "-b", clientLink_}, kCommandLimit))
        << "dhcpcd did not start";
    ASSERT_TRUE(WaitForAddress()) << "no lease from dnsmasq";
}

DhcpTestNetwork::~DhcpTestNetwork() {
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

void DhcpTestNetwork::InstallClientBackend() const {
    platform::net::host::HostPaths paths;
    paths.dhcpcdProgram = wrapper_;
    platform::net::InstallBackend(platform::net::MakeHostBackend(paths));
}

void DhcpTestNetwork::StartServer() {
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

bool DhcpTestNetwork::WaitForAddress() const {
    for (int attempt = 0; attempt < 200; ++attempt) {
        const auto shown = client_.Ip({"-4", "addr", "show", "dev", clientLink_});
        if (shown && shown->find("inet 10.71.0.") != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

}  // namespace tessalink::testing
