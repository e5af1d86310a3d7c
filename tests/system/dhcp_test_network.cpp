#include "dhcp_test_network.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "net/host/bounded_command.h"
#include "net/host/host_backend.h"

extern char** environ;

namespace tessalink::testing {
namespace {

using platform::net::host::RunBoundedCommand;

constexpr std::chrono::seconds kCommandLimit{10};

// dhclient configures nothing itself: its script does. This one only sets and removes
// the test interface's address, where the usual script would rewrite the machine's
// resolver and host name, which the namespaces share with it.
constexpr const char* kDhclientScript = R"(#!/bin/sh
case "$reason" in
BOUND|RENEW|REBIND|REBOOT)
    ip -4 addr flush dev "$interface"
    ip addr add "$new_ip_address/$new_subnet_mask" dev "$interface" ;;
RELEASE|EXPIRE|FAIL|STOP)
    ip -4 addr flush dev "$interface" ;;
esac
)";

// 0 once the process is gone. The parent is the second field after the command name,
// which is in parentheses and may itself hold spaces and parentheses.
pid_t ParentOf(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    std::getline(file, stat);
    const std::size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos) {
        return 0;
    }
    std::istringstream rest(stat.substr(nameEnd + 1));
    std::string state;
    pid_t parent = 0;
    rest >> state >> parent;
    return parent;
}

void WriteExecutable(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path) << text;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

}  // namespace

const char* DhcpClientProgramName(DhcpClientKind kind) {
    return kind == DhcpClientKind::Dhcpcd ? "dhcpcd" : "dhclient";
}

std::optional<std::string> DhcpTestNetwork::UnavailableReason(DhcpClientKind kind) {
    if (auto reason = NetworkNamespace::UnavailableReason()) {
        return reason;
    }
    for (const std::string tool : {"dnsmasq", DhcpClientProgramName(kind)}) {
        if (!RunBoundedCommand({tool, "--version"}, kCommandLimit)) {
            return tool + " is not installed";
        }
    }
    return std::nullopt;
}

void DhcpTestNetwork::Start() {
    ASSERT_TRUE(server_.IsCreated() && client_.IsCreated()) << "ip netns add failed";
    for (const std::filesystem::path& file : MachineFiles()) {
        if (!std::filesystem::exists(file)) {
            newMachineFiles_.push_back(file);
        }
    }
    directory_ = std::filesystem::temp_directory_path() /
                 ("tessalink-dhcp-system-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory_);
    WriteWrapper();

    ASSERT_TRUE(client_.IpCommands({"link add " + clientLink_ + " type veth peer name " +
                                        serverLink_ + " netns " + server_.Name(),
                                    "link set " + clientLink_ + " up"}));
    ASSERT_TRUE(server_.IpCommands(
        {"addr add 10.71.0.1/24 dev " + serverLink_, "link set " + serverLink_ + " up"}));
    ASSERT_NO_FATAL_FAILURE(StartServer());
    // In the background: both return once the daemon runs.
    std::vector<std::string> start =
        ClientArguments(kind_ == DhcpClientKind::Dhcpcd ? "-b" : "-nw");
    start.insert(start.begin(), {"ip", "netns", "exec", client_.Name(), wrapper_});
    ASSERT_TRUE(RunBoundedCommand(start, kCommandLimit))
        << DhcpClientProgramName(kind_) << " did not start";
    ASSERT_TRUE(WaitForAddress()) << "no lease from dnsmasq";
}

DhcpTestNetwork::~DhcpTestNetwork() {
    if (directory_.empty()) {
        return;
    }
    // The daemon outlives the namespace and must be stopped by hand.
    std::vector<std::string> stop = ClientArguments("-x");
    stop.insert(stop.begin(), wrapper_);
    RunBoundedCommand(stop, kCommandLimit);
    // Anything still running in the client's namespace is the test's too (a daemon that
    // a failed request started under files of another name) and would outlive it; it
    // must be gone before its files are removed.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const std::vector<pid_t> running = ClientProcesses();
        if (running.empty()) {
            break;
        }
        for (const pid_t pid : running) {
            kill(pid, SIGTERM);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    for (const std::filesystem::path& file : newMachineFiles_) {
        std::filesystem::remove(file);
    }
    if (dnsmasq_ > 0) {
        kill(dnsmasq_, SIGTERM);
        waitpid(dnsmasq_, nullptr, 0);
    }
    std::filesystem::remove_all(directory_);
}

std::vector<pid_t> DhcpTestNetwork::ClientProcesses() const {
    std::vector<pid_t> running;
    if (const auto pids =
            RunBoundedCommand({"ip", "netns", "pids", client_.Name()}, kCommandLimit)) {
        std::istringstream list(*pids);
        for (pid_t pid = 0; list >> pid;) {
            running.push_back(pid);
        }
    }
    return running;
}

std::size_t DhcpTestNetwork::ClientDaemonCount() const {
    const std::vector<pid_t> running = ClientProcesses();
    return std::ranges::count_if(running, [&](pid_t pid) {
        return std::ranges::find(running, ParentOf(pid)) == running.end();
    });
}

void DhcpTestNetwork::InstallClientBackend() const {
    platform::net::host::HostPaths paths;
    if (kind_ == DhcpClientKind::Dhcpcd) {
        paths.dhcpcdProgram = wrapper_;
    } else {
        // The backend asks dhcpcd, networkd and NetworkManager before dhclient: their
        // files are looked for in the test's directory too, where none are, so that
        // a client the machine itself runs cannot answer for ours.
        paths.dhcpcdLeaseDir = directory_;
        paths.dhcpcdRunDir = directory_;
        paths.networkdLeaseDir = directory_;
        paths.networkManagerLeaseDir = directory_;
        paths.dhclientLeaseDir = directory_;
        paths.dhclientRunDir = directory_;
        paths.dhclientProgram = wrapper_;
    }
    platform::net::InstallBackend(platform::net::MakeHostBackend(paths));
}

void DhcpTestNetwork::WriteWrapper() {
    wrapper_ = (directory_ / DhcpClientProgramName(kind_)).string();
    if (kind_ == DhcpClientKind::Dhcpcd) {
        // The client's hooks must not touch the machine's resolver or host name, which
        // the namespaces share with it; the address probe would only slow the lease down.
        WriteExecutable(wrapper_,
                        "#!/bin/sh\nexec dhcpcd -f /dev/null -c /bin/true --noarp \"$@\"\n");
        return;
    }
    // Only the script is the test's own: the lease database and pid file are named as
    // the backend names them for a client started for one interface, so that its
    // requests find them.
    const std::filesystem::path script = directory_ / "dhclient-script";
    WriteExecutable(script, kDhclientScript);
    WriteExecutable(wrapper_, "#!/bin/sh\nexec dhclient -4 -sf " + script.string() + " \"$@\"\n");
}

std::vector<std::filesystem::path> DhcpTestNetwork::MachineFiles() const {
    if (kind_ == DhcpClientKind::Dhcpcd) {
        // dhcpcd keeps its lease in the machine's directory, and makes its identity on
        // its first run.
        return {"/var/lib/dhcpcd/" + clientLink_ + ".lease", "/var/lib/dhcpcd/duid"};
    }
    // Where dhclient writes when a request reaches it without the test's file names.
    return {"/run/dhclient.pid", "/var/lib/dhcp/dhclient.leases"};
}

std::vector<std::string> DhcpTestNetwork::ClientArguments(const std::string& action) const {
    if (kind_ == DhcpClientKind::Dhcpcd) {
        return {"-4", action, clientLink_};
    }
    const std::string files = (directory_ / ("dhclient." + clientLink_)).string();
    return {action, "-lf", files + ".leases", "-pf", files + ".pid", clientLink_};
}

void DhcpTestNetwork::StartServer() {
    const std::vector<std::string> arguments = CommandWords(
        "ip netns exec " + server_.Name() +
        " dnsmasq --conf-file=/dev/null --keep-in-foreground --port=0 --bind-interfaces"
        " --interface=" +
        serverLink_ +
        " --dhcp-range=10.71.0.100,10.71.0.150,255.255.255.0,600"
        " --dhcp-leasefile=" +
        (directory_ / "leases").string() + " --pid-file=");
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
