#include "net/network_backend.h"

#include <winerror.h>

#include <mutex>

#include "net/host/host_backend.h"
#include "net/icmp_echo_channel.h"
#include "net/winsock_host_entry.h"

// Last: its macros (s_addr, h_addr, ...) must not meet the standard library's headers.
#include <winsock2.h>

namespace platform::net {
namespace {

std::mutex backendMutex;
std::unique_ptr<NetworkBackend> installed;

}  // namespace

Query<std::size_t> NetworkBackend::NeighbourCount() {
    const auto rows = Neighbours();
    if (!rows.ok()) {
        return Query<std::size_t>::Failure(rows.error());
    }
    return rows.value().size();
}

std::uint32_t NetworkBackend::ReleaseLease(std::uint32_t) {
    return ERROR_NOT_SUPPORTED;
}

std::uint32_t NetworkBackend::RenewLease(std::uint32_t) {
    return ERROR_NOT_SUPPORTED;
}

Query<std::unique_ptr<EchoChannel>> NetworkBackend::OpenEchoChannel() {
    return Query<std::unique_ptr<EchoChannel>>::Failure(ERROR_NOT_SUPPORTED);
}

Query<HostEntry> NetworkBackend::HostByName(const std::string&) {
    return Query<HostEntry>::Failure(WSAHOST_NOT_FOUND);
}

Query<HostEntry> NetworkBackend::HostByAddress(Ipv4) {
    return Query<HostEntry>::Failure(WSAHOST_NOT_FOUND);
}

NetworkBackend& Backend() {
    std::lock_guard lock(backendMutex);
    if (!installed) {
        installed = MakeHostBackend();
    }
    return *installed;
}

void InstallBackend(std::unique_ptr<NetworkBackend> backend) {
    std::lock_guard lock(backendMutex);
    installed = std::move(backend);
}

}  // namespace platform::net
