// Where the read-only registry's keys and values come from. The registry facade
// (RegOpenKeyExW, RegQueryValueExW) asks the installed source at every call, so a
// value that the system changes (an interface alias) is seen at once.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::kernel {

enum class RegistryRoot { LocalMachine, CurrentUser, ClassesRoot, Users };

struct RegistryValue {
    std::uint32_t type = 0;          // REG_SZ, REG_DWORD, REG_BINARY, ...
    std::vector<std::uint8_t> data;  // the bytes as RegQueryValueExW returns them.
};

class RegistrySource {
  public:
    virtual ~RegistrySource() = default;
    // Key paths use '\' between parts and compare without regard to letter case.
    virtual bool KeyExists(RegistryRoot root, const std::u16string& path) = 0;
    virtual std::optional<RegistryValue> Value(RegistryRoot root, const std::u16string& path,
                                               const std::u16string& name) = 0;
};

// The device installs the source of its network backend; with none installed the
// registry is empty and every open fails with ERROR_FILE_NOT_FOUND.
void InstallRegistrySource(std::shared_ptr<RegistrySource> source);
// The source now installed, or null.
std::shared_ptr<RegistrySource> InstalledRegistrySource();

}  // namespace platform::kernel
