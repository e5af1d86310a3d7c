#include "net/network_backend.h"

#include <winerror.h>

#include <mutex>

#include "net/host/host_backend.h"

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
