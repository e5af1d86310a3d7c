// Runs the e2e device executable with options and a script, as a user's shell would.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct DeviceRun {
    int status = -1;
    std::string output;
    std::string errors;
};

// `script` goes to the device's standard input; `environment` is prefixed to the command
// ("DISPLAY=:99", or "env -u DISPLAY"). Files land in `directory`.
DeviceRun RunDevice(const std::filesystem::path& directory,
                    const std::vector<std::string>& arguments, const std::string& script,
                    const std::string& environment = "");
