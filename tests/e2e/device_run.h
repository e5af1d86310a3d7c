// Runs an e2e device executable with options and a script, as a user's shell would, and
// reads back what it reported: its dumps and its screenshots.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

struct DeviceRun {
    int status = -1;
    std::string output;
    std::string errors;
};

// A directory of its own for each test, for its shots and files.
class DeviceTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override { std::filesystem::remove_all(directory_); }

    std::filesystem::path directory_;
};

// Runs `device` with `arguments`, `script` on its standard input, to its end.
DeviceRun RunDevice(const std::string& device, const std::vector<std::string>& arguments,
                    const std::string& script);

// Every dump line the device printed, parsed.
std::vector<nlohmann::json> Dumps(const std::string& output);

// The first window anywhere in a dump's tree whose `field` ("id", "class", ...) holds
// `value`; null when there is none.
const nlohmann::json* FindInDump(const nlohmann::json& windows, const char* field,
                                 const nlohmann::json& value);

// Screen pixels from (left, top) up to, not including, (right, bottom).
struct ScreenArea {
    int left, top, right, bottom;
};

// Compares a screenshot pixel for pixel with tests/e2e/golden/NAME, except in `ignored`
// (what changes from run to run, such as a build's time). After a deliberate change of
// look, TESSALINK_UPDATE_GOLDEN=1 rewrites the golden file (the test then skips) so that
// the new image can be reviewed.
void ExpectMatchesGolden(const std::filesystem::path& shot, const std::string& name,
                         std::optional<ScreenArea> ignored = std::nullopt);
