// Asks the DHCP client in charge of an interface to give its lease back or to get
// one anew. What cannot be done fails with a Win32 error code, and the user is told
// once, on the advice stream, what would make it possible.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "net/host/dhcp_client_program.h"
#include "net/host/host_paths.h"

namespace platform::net::host {

class DhcpClientControl {
  public:
    // `privileged`: whether this process may command the clients (root); a failed
    // command is then the client's failure, otherwise a refusal.
    DhcpClientControl(const HostPaths& paths, bool privileged, std::ostream& advice);

    // Whether a client is in charge of the interface: it holds a lease or runs for
    // it, or gave its lease back at our request (and so will renew it).
    bool Manages(const std::string& interfaceName, std::uint32_t index) const;

    // NO_ERROR once the client has taken the request; ERROR_INVALID_PARAMETER for an
    // index that names no interface, ERROR_NOT_SUPPORTED when no client (or no
    // command of its) can do it, ERROR_ACCESS_DENIED when we may not ask,
    // ERROR_GEN_FAILURE when the client failed.
    std::uint32_t Release(std::uint32_t index);
    std::uint32_t Renew(std::uint32_t index);

  private:
    enum class Request { Release, Renew };

    std::uint32_t Ask(Request request, std::uint32_t index);
    // The client that released the interface, else the first in charge of it.
    const DhcpClientProgram* ClientFor(const std::string& interfaceName, std::uint32_t index) const;
    void AdviseOnce(const std::string& text);

    std::vector<DhcpClientProgram> clients_;
    bool privileged_ = false;
    std::ostream& advice_;

    mutable std::mutex mutex_;
    // Interface index to the position in clients_ of the client that released it:
    // its own files may be gone with the lease, yet it is the one to renew it.
    std::map<std::uint32_t, std::size_t> released_;
    std::set<std::string> advised_;
};

}  // namespace platform::net::host
