// An open registry key: which root, and the path below it. Open keys live in the
// kernel's handle table, so a closed or forged HKEY finds nothing.
#pragma once

#include <string>

#include "kernel/objects/kernel_object.h"
#include "kernel/registry/registry_source.h"

namespace platform::kernel {

class RegistryKey final : public KernelObject {
  public:
    RegistryKey(RegistryRoot keyRoot, std::u16string keyPath)
        : root(keyRoot), path(std::move(keyPath)) {}

    const RegistryRoot root;
    const std::u16string path;  // '\' between parts; empty for the root itself
};

}  // namespace platform::kernel
