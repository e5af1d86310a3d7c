// Reading the small text and binary files the host keeps its network state in
// (configuration, leases, sysfs attributes). A file that is missing, unreadable
// or implausibly large reads as nothing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace platform::net::host {

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path);

// The file's last modification, in seconds since 1970; works on files we may
// not read.
std::optional<std::int64_t> ModificationTime(const std::filesystem::path& path);

}  // namespace platform::net::host
