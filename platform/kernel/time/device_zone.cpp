#include "kernel/time/device_zone.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "kernel/time/device_settings.h"
#include "kernel/time/tzif_file.h"

namespace platform::kernel {

namespace {

constexpr const char* kSystemZoneFile = "/etc/localtime";
constexpr const char* kZoneDirectory = "/usr/share/zoneinfo";

// The C library's answer when no zone is configured at all.
ZoneLookup Utc() {
    return ZoneLookup::Found(PosixTzRule::Fixed({"UTC", std::chrono::seconds{0}}));
}

std::filesystem::path ZoneFilePath(std::string_view name) {
    const std::filesystem::path path{std::string(name)};
    if (path.is_absolute()) {
        return path;
    }
    const char* directory = std::getenv("TZDIR");
    return std::filesystem::path(directory != nullptr && *directory != '\0' ? directory
                                                                            : kZoneDirectory) /
           path;
}

bool IsZoneFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

ZoneLookup DeviceZone::Current() {
    const std::string setting = DeviceSettings::TimeZone();
    if (!setting.empty()) {
        return Resolve(setting);
    }
    if (const char* tz = std::getenv("TZ"); tz != nullptr) {
        return *tz == '\0' ? Utc() : Resolve(tz);
    }
    ZoneLookup system = TzifFile::Read(kSystemZoneFile);
    return system.error == ERROR_FILE_NOT_FOUND ? Utc() : system;
}

ZoneLookup DeviceZone::Resolve(std::string_view setting) {
    if (setting.starts_with(':')) {
        return TzifFile::Read(ZoneFilePath(setting.substr(1)));
    }
    if (const auto path = ZoneFilePath(setting); !setting.empty() && IsZoneFile(path)) {
        return TzifFile::Read(path);
    }
    if (auto rule = PosixTzRule::Parse(setting)) {
        return ZoneLookup::Found(std::move(*rule));
    }
    // "Area/City" that is not installed is a missing file, not a malformed rule; a rule
    // has a '/' only in its transition times, after a ','.
    const bool namesAFile =
        setting.find('/') != std::string_view::npos && setting.find(',') == std::string_view::npos;
    return ZoneLookup::Failed(namesAFile ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_DATA);
}

}  // namespace platform::kernel
