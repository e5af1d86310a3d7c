#include "kernel/registry/registry_source.h"

#include <mutex>

namespace platform::kernel {

namespace {

std::mutex sourceLock;
std::shared_ptr<RegistrySource> installedSource;

}  // namespace

void InstallRegistrySource(std::shared_ptr<RegistrySource> source) {
    std::lock_guard lock(sourceLock);
    installedSource = std::move(source);
}

std::shared_ptr<RegistrySource> InstalledRegistrySource() {
    std::lock_guard lock(sourceLock);
    return installedSource;
}

}  // namespace platform::kernel
