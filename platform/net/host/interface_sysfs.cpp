#include "net/host/interface_sysfs.h"

#include <system_error>

#include "net/host/small_file.h"
#include "net/host/text_fields.h"

namespace platform::net::host {

std::uint32_t SpeedFromSysfsText(std::string_view text) {
    const auto megabits = ParseUnsigned(Trimmed(text.substr(0, text.find('\n'))));
    if (!megabits) {
        return 0;
    }
    constexpr std::uint64_t kLargest = 0xFFFFFFFF;
    return *megabits > kLargest / 1'000'000 ? kLargest
                                            : static_cast<std::uint32_t>(*megabits * 1'000'000);
}

std::uint32_t InterfaceSysfs::SpeedBitsPerSecond() const {
    return SpeedFromSysfsText(ReadSmallFile(directory_ / "speed").value_or(""));
}

bool InterfaceSysfs::IsWireless() const {
    std::error_code error;
    return std::filesystem::exists(directory_ / "wireless", error) ||
           std::filesystem::exists(directory_ / "phy80211", error);
}

std::optional<std::string> InterfaceSysfs::DriverName() const {
    std::error_code error;
    const std::filesystem::path driver =
        std::filesystem::read_symlink(directory_ / "device" / "driver", error);
    if (error || driver.filename().empty()) {
        return std::nullopt;
    }
    return driver.filename().string();
}

}  // namespace platform::net::host
