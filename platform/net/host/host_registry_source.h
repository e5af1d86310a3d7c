// The registry keys the host's network lends the program: HKEY_LOCAL_MACHINE
// Comm\<interface> for every interface, with a DisplayName (REG_SZ) when the
// interface has an alias (`ip link set IF alias "..."`). Asked live at each call,
// so a new alias shows at the next read.
#pragma once

#include <optional>
#include <string>

#include "kernel/registry/registry_source.h"
#include "net/host/netlink_messages.h"

namespace platform::net::host {

class HostRegistrySource final : public kernel::RegistrySource {
  public:
    bool KeyExists(kernel::RegistryRoot root, const std::u16string& path) override;
    std::optional<kernel::RegistryValue> Value(kernel::RegistryRoot root,
                                               const std::u16string& path,
                                               const std::u16string& name) override;

  private:
    // The interface that Comm\<name> names, letter case aside.
    std::optional<LinkRecord> FindLink(std::u16string_view name) const;
};

}  // namespace platform::net::host
