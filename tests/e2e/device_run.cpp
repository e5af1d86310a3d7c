#include "device_run.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "child_process.h"
#include "display/png_file.h"

void DeviceTest::SetUp() {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    // The process id keeps two runs of the same test (from two build trees) apart: their
    // shots, and the runtime directory in which the program holds its name.
    directory_ =
        std::filesystem::path(testing::TempDir()) / (std::string(test->test_suite_name()) + "_" +
                                                     test->name() + "_" + std::to_string(getpid()));
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
}

DeviceRun RunDevice(const std::string& device, const std::vector<std::string>& arguments,
                    const std::string& script) {
    tessalink::test::ChildProcess child(device, arguments);
    tessalink::test::StreamReader output(child.Output());
    tessalink::test::StreamReader errors(child.Errors());
    child.Write(script);
    child.CloseInput();
    // Both streams to their end: no line holds the needle.
    output.LineContaining("\x01", std::chrono::minutes(1));
    errors.LineContaining("\x01", std::chrono::seconds(10));
    return {child.Wait().value_or(-1), output.All(), errors.All()};
}

std::vector<nlohmann::json> Dumps(const std::string& output) {
    std::vector<nlohmann::json> dumps;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        dumps.push_back(nlohmann::json::parse(line));
    }
    return dumps;
}

const nlohmann::json* FindInDump(const nlohmann::json& windows, const char* field,
                                 const nlohmann::json& value) {
    for (const auto& window : windows) {
        if (window.at(field) == value) {
            return &window;
        }
        if (const auto* found = FindInDump(window.at("children"), field, value)) {
            return found;
        }
    }
    return nullptr;
}

void ExpectMatchesGolden(const std::filesystem::path& shot, const std::string& name,
                         std::optional<ScreenArea> ignored) {
    const auto golden = std::filesystem::path(TESSALINK_E2E_GOLDEN_DIR) / name;
    if (std::getenv("TESSALINK_UPDATE_GOLDEN")) {
        std::filesystem::copy_file(shot, golden, std::filesystem::copy_options::overwrite_existing);
        GTEST_SKIP() << "rewrote " << golden;
    }
    const auto expected = platform::display::ReadPng(golden.string());
    const auto actual = platform::display::ReadPng(shot.string());
    ASSERT_TRUE(expected) << golden;
    ASSERT_TRUE(actual) << shot;
    ASSERT_EQ(actual->pixels.size(), expected->pixels.size());
    ASSERT_EQ(actual->width, expected->width);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < actual->pixels.size(); ++i) {
        const int x = static_cast<int>(i) % actual->width, y = static_cast<int>(i) / actual->width;
        const bool skipped = ignored && x >= ignored->left && x < ignored->right &&
                             y >= ignored->top && y < ignored->bottom;
        differing += actual->pixels[i] != expected->pixels[i] && !skipped;
    }
    EXPECT_EQ(differing, 0u) << "pixels differ from " << golden;
}
