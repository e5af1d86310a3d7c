// Factories for the host's network: the backend the IP Helper facade asks, and
// the registry source that lends the program the interfaces' display names.
#pragma once

#include <memory>

#include "kernel/registry/registry_source.h"
#include "net/host/host_paths.h"
#include "net/network_backend.h"

namespace platform::net {

std::unique_ptr<NetworkBackend> MakeHostBackend(host::HostPaths paths = {});

// For the device to install (kernel::InstallRegistrySource) when it runs on the
// host's network.
std::shared_ptr<kernel::RegistrySource> MakeHostRegistrySource();

}  // namespace platform::net
