// The launcher run as a user runs it: tessalink --network=FILE --probe prints what
// the program would see, and bad options or files stop it before anything starts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

namespace {

using nlohmann::json;
using testing::HasSubstr;

// The exit status and what the launcher printed (standard output and error together).
std::pair<int, std::string> Launch(const std::string& arguments) {
    FILE* pipe = popen((TESSALINK_EXECUTABLE " " + arguments + " 2>&1").c_str(), "r");
    std::string output;
    std::array<char, 4096> chunk{};
    while (const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), pipe)) {
        output.append(chunk.data(), got);
    }
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

class LauncherProbe : public testing::Test {
  protected:
    std::string Scenario(const std::string& text) {
        std::ofstream(path_) << text;
        return path_.string();
    }
    void TearDown() override { std::filesystem::remove(path_); }

  private:
    std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                  ("tessalink-probe-" + std::to_string(getpid()) + ".json");
};

// What each query answered, a failed one by its error; the zone option wins over the
// scenario's.
TEST_F(LauncherProbe, PrintsWhatTheProgramSeesAsJson) {
    const std::string file = Scenario(R"({
      "adapters": [
        {"name": "NE20001", "index": 2, "mac": "00-0a-95-9d-68-16", "displayName": "Cradle",
         "speed": 100000000, "addresses": [{"address": "192.168.1.20", "mask": "255.255.255.0"}]},
        {"name": "WLAN1", "index": 3}],
      "host": {"hostName": "pocketpc"},
      "arp": [{"interface": 2, "address": "192.168.1.1", "mac": "00-50-56-c0-00-01"}],
      "timeZone": "CET-1CEST,M3.5.0,M10.5.0/3",
      "faults": [{"kind": "fail", "query": "GetNetworkParams", "error": 8, "call": 2}]})");
    const auto [status, output] = Launch("--network " + file + " --probe");
    ASSERT_EQ(status, 0) << output;
    const json probe = json::parse(output);
    const json& cradle = probe["adapters"][0];
    EXPECT_EQ(cradle["adapterName"], "NE20001");
    EXPECT_EQ(cradle["mac"], "00-0a-95-9d-68-16");
    EXPECT_EQ(cradle["currentIpAddress"], "192.168.1.20");
    EXPECT_EQ(cradle["gateways"], json({""}));
    EXPECT_EQ(cradle["registryDisplayName"], "Cradle");
    EXPECT_EQ(cradle["interface"]["speed"], 100000000);
    EXPECT_EQ(probe["adapters"][1]["registryDisplayName"], nullptr);
    EXPECT_EQ(probe["networkParams"], json({{"error", 8}}));
    EXPECT_EQ(probe["arp"][0]["mac"], "00-50-56-c0-00-01");
    EXPECT_EQ(probe["timeZone"]["daylightName"], "CEST");
    EXPECT_EQ(json::parse(Launch("--network=" + file + " --timezone=EST5EDT,M3.2.0,M11.1.0 --probe")
                              .second)["timeZone"]["bias"],
              300);
}

TEST_F(LauncherProbe, BadScenariosAndOptionsStopTheDevice) {
    const std::string file = Scenario(R"({"adapters": [{"name": "a"}]})");
    const std::pair<std::string, std::string> rows[] = {
        {"--network=" + file + " --probe", file + ": at adapters[0]: missing key \"index\""},
        {"--bogus", "unknown option '--bogus'"},
        {"--probe=yes", "'--probe' takes no value"},
        {"--timezone=Not/A_Zone --probe", "neither a POSIX TZ rule nor a zone"},
        {"stray", "go after '--'"},
    };
    for (const auto& [arguments, message] : rows) {
        const auto [status, output] = Launch(arguments);
        EXPECT_EQ(status, 2) << arguments;
        EXPECT_THAT(output, HasSubstr(message)) << arguments;
    }
    const auto [status, output] = Launch("--help");
    EXPECT_EQ(status, 0);
    EXPECT_THAT(output, HasSubstr("--network=host|FILE.json"));
}

}  // namespace
