#include "device_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "display/png_file.h"

namespace {

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

void DeviceTest::SetUp() {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    directory_ = std::filesystem::path(testing::TempDir()) /
                 (std::string(test->test_suite_name()) + "_" + test->name());
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
}

std::string DeviceCommand(const std::filesystem::path& device,
                          const std::vector<std::string>& arguments,
                          const std::string& environment) {
    std::string command = environment + " " + Quoted(device.string());
    for (const auto& argument : arguments) {
        command += " " + Quoted(argument);
    }
    return command;
}

DeviceRun RunDevice(const std::filesystem::path& device, const std::filesystem::path& directory,
                    const std::vector<std::string>& arguments, const std::string& script,
                    const std::string& environment) {
    const auto input = directory / "script.txt";
    const auto output = directory / "stdout.txt";
    const auto errors = directory / "stderr.txt";
    std::ofstream(input, std::ios::binary) << script;
    const std::string command = DeviceCommand(device, arguments, environment) + " <" +
                                Quoted(input) + " >" + Quoted(output) + " 2>" + Quoted(errors);
    const int result = std::system(command.c_str());
    DeviceRun run;
    run.status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    run.output = ReadFile(output);
    run.errors = ReadFile(errors);
    return run;
}

std::vector<nlohmann::json> Dumps(const std::string& output) {
    std::vector<nlohmann::json> dumps;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        dumps.push_back(nlohmann::json::parse(line));
    }
    return dumps;
}

namespace {

template <typename Match>
const nlohmann::json* FindWindow(const nlohmann::json& windows, const Match& match) {
    for (const auto& window : windows) {
        if (match(window)) {
            return &window;
        }
        if (const auto* found = FindWindow(window.at("children"), match)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

const nlohmann::json* FindById(const nlohmann::json& windows, int id) {
    return FindWindow(windows,
                      [id](const nlohmann::json& window) { return window.at("id") == id; });
}

const nlohmann::json* FindByClass(const nlohmann::json& windows, const std::string& className) {
    return FindWindow(windows, [&className](const nlohmann::json& window) {
        return window.at("class") == className;
    });
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
    const auto isIgnored = [&](std::size_t i) {
        const int x = static_cast<int>(i % static_cast<std::size_t>(actual->width));
        const int y = static_cast<int>(i / static_cast<std::size_t>(actual->width));
        return ignored && x >= ignored->left && x < ignored->right && y >= ignored->top &&
               y < ignored->bottom;
    };
    std::size_t differing = 0;
    for (std::size_t i = 0; i < actual->pixels.size(); ++i) {
        differing += actual->pixels[i] != expected->pixels[i] && !isIgnored(i);
    }
    EXPECT_EQ(differing, 0u) << "pixels differ from " << golden;
}
