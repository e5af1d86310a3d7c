// Runs a helper program and takes its standard output, within a time limit: a
// program that hangs is killed, so a query never hangs with it.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace platform::net::host {

// The output of a program that exited with status 0 within `limit`; nothing when
// it could not start, failed, ran too long or wrote more than 64 KiB.
std::optional<std::string> RunBoundedCommand(const std::vector<std::string>& arguments,
                                             std::chrono::milliseconds limit);

}  // namespace platform::net::host
