#include "net/network_backend.h"

#include <mutex>

#include "net/host/host_backend.h"

namespace platform::net {
namespace {

std::mutex backendMutex;
std::unique_ptr<NetworkBackend> installed;

}  // namespace

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
