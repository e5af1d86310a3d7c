// A DHCP network of two namespaces joined by a veth: dnsmasq serves 10.71.0.100-150 on
// the server's end, and a DHCP client (dhcpcd or dhclient) holds a lease on the
// client's end. Tests run the program inside the client namespace
// (NetworkNamespace::RunInside) with InstallClientBackend, so that its release and renew
// requests reach that client. Needs root, dnsmasq and the client; everything it made
// goes with it.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "network_namespace.h"

namespace tessalink::testing {

enum class DhcpClientKind { Dhcpcd, Dhclient };

// The program's name, for test names and messages.
const char* DhcpClientProgramName(DhcpClientKind kind);

class DhcpTestNetwork {
  public:
    // Why the network cannot be built here (not root, a tool missing), or nothing.
    static std::optional<std::string> UnavailableReason(
        DhcpClientKind kind = DhcpClientKind::Dhcpcd);

    explicit DhcpTestNetwork(DhcpClientKind kind = DhcpClientKind::Dhcpcd) : kind_(kind) {}
    ~DhcpTestNetwork();
    DhcpTestNetwork(const DhcpTestNetwork&) = delete;
    DhcpTestNetwork& operator=(const DhcpTestNetwork&) = delete;

    // Builds the link, starts both daemons and waits for the client's first lease;
    // reports a fatal test failure (ASSERT_NO_FATAL_FAILURE) when any step fails.
    void Start();

    const NetworkNamespace& Client() const { return client_; }
    // The client's interface name, as the host backend reports it.
    const std::string& ClientLink() const { return clientLink_; }
    // The processes running in the client namespace: the client's daemon, unless a
    // test runs something there.
    std::vector<pid_t> ClientProcesses() const;
    // How many of those were not started by another of them: one per running client,
    // however many helpers (privilege-separated children, hook scripts) it has now.
    std::size_t ClientDaemonCount() const;
    // Called inside the client namespace: the program's network becomes the host's,
    // with its lease requests going to the test's client through its wrapper.
    void InstallClientBackend() const;

  private:
    void WriteWrapper();
    void StartServer();
    bool WaitForAddress() const;
    // The wrapper's arguments that ask the client for `action` on the test's link.
    std::vector<std::string> ClientArguments(const std::string& action) const;
    // Where the client may write outside the test's directory.
    std::vector<std::filesystem::path> MachineFiles() const;

    const DhcpClientKind kind_;
    NetworkNamespace server_;
    NetworkNamespace client_;
    const std::string clientLink_ = "tlc" + std::to_string(getpid() % 100000);
    const std::string serverLink_ = "tls" + std::to_string(getpid() % 100000);
    std::filesystem::path directory_;
    std::string wrapper_;
    pid_t dnsmasq_ = 0;
    // Files of the machine's own that the client may make and that were not there
    // before the test: they go with it.
    std::vector<std::filesystem::path> newMachineFiles_;
};

}  // namespace tessalink::testing
