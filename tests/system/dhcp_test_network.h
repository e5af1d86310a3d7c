// A DHCP network of two namespaces joined by a veth: dnsmasq serves 10.71.0.100-150 on
// the server's end, and dhcpcd holds a lease on the client's end. Tests run the program
// inside the client namespace (NetworkNamespace::RunInside) with InstallClientBackend,
// so that its release and renew requests reach that dhcpcd. Needs root, dnsmasq and
// dhcpcd; everything it made goes with it.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "network_namespace.h"

namespace tessalink::testing {

class DhcpTestNetwork {
  public:
    // Why the network cannot be built here (not root, a tool missing), or nothing.
    static std::optional<std::string> UnavailableReason();

    DhcpTestNetwork() = default;
    ~DhcpTestNetwork();
    DhcpTestNetwork(const DhcpTestNetwork&) = delete;
    DhcpTestNetwork& operator=(const DhcpTestNetwork&) = delete;

    // Builds the link, starts both daemons and waits for the client's first lease;
    // reports a fatal test failure (ASSERT_NO_FATAL_FAILURE) when any step fails.
    void Start();

    const NetworkNamespace& Client() const { return client_; }
    // The client's interface name, as the host backend reports it.
    const std::string& ClientLink() const { return clientLink_; }
    // Called inside the client namespace: the program's network becomes the host's,
    // with its lease requests going to the test's dhcpcd through its wrapper.
    void InstallClientBackend() const;

  private:
    void StartServer();
    bool WaitForAddress() const;

    NetworkNamespace server_;
    NetworkNamespace client_;
    const std::string clientLink_ = "tlc" + std::to_string(getpid() % 100000);
    const std::string serverLink_ = "tls" + std::to_string(getpid() % 100000);
    std::filesystem::path directory_;
    std::string wrapper_;
    pid_t dnsmasq_ = 0;
    bool hadDuid_ = true;
};

}  // namespace tessalink::testing
