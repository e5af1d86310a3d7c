// What sysfs (/sys/class/net/IF) says about an interface that netlink does not:
// link speed, whether it is a wireless device, and its driver.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::net::host {

class InterfaceSysfs {
  public:
    InterfaceSysfs(const std::filesystem::path& sysClassNet, const std::string& interfaceName)
        : directory_(sysClassNet / interfaceName) {}

    // Bits per second; 0 when unknown (a link that is down reports -1).
    std::uint32_t SpeedBitsPerSecond() const;
    bool IsWireless() const;
    // The driver's name, or nothing for a device without one (veth, bridge, ...).
    std::optional<std::string> DriverName() const;

  private:
    std::filesystem::path directory_;
};

// The speed file's text (Mbit/s) in bits per second, saturating at 0xFFFFFFFF;
// 0 for -1 or anything that is not a number.
std::uint32_t SpeedFromSysfsText(std::string_view text);

}  // namespace platform::net::host
