#include "net/host/host_backend.h"

#include "net/host/host_network_backend.h"
#include "net/host/host_registry_source.h"

namespace platform::net {

std::unique_ptr<NetworkBackend> MakeHostBackend(host::HostPaths paths) {
    return std::make_unique<host::HostNetworkBackend>(std::move(paths));
}

std::shared_ptr<kernel::RegistrySource> MakeHostRegistrySource() {
    return std::make_shared<host::HostRegistrySource>();
}

}  // namespace platform::net
