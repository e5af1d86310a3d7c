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

struct Outcome {
    int status = -1;
    std::string output;  // standard output and standard error together.
};

Outcome Launch(const std::string& arguments) {
    Outcome run;
    const std::string command = std::string(TESSALINK_EXECUTABLE) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> chunk{};
    while (const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), pipe)) {
        run.output.append(chunk.data(), got);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
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

TEST_F(LauncherProbe, PrintsWhatTheProgramSeesAsJson) {
    const std::string file = Scenario(R"({
      "adapters": [
        {"name": "NE20001", "description": "NE2000", "index": 2, "mac": "00-0a-95-9d-68-16",
         "displayName": "Cradle", "speed": 100000000,
         "addresses": [{"address": "192.168.1.20", "mask": "255.255.255.0"}],
         "gateways": ["192.168.1.1"]},
        {"name": "WLAN1", "index": 3}],
      "host": {"hostName": "pocketpc", "dnsServers": ["192.168.1.1"]},
      "arp": [{"interface": 2, "address": "192.168.1.1", "mac": "00-50-56-c0-00-01"}],
      "timeZone": "CET-1CEST,M3.5.0,M10.5.0/3"})");
    const Outcome run = Launch("--network " + file + " --probe");
    ASSERT_EQ(run.status, 0) << run.output;
    const json probe = json::parse(run.output);

    const json& cradle = probe["adapters"][0];
    EXPECT_EQ(cradle["adapterName"], "NE20001");
    EXPECT_EQ(cradle["mac"], "00-0a-95-9d-68-16");
    EXPECT_EQ(cradle["currentIpAddress"], "192.168.1.20");
    EXPECT_EQ(cradle["gateways"], json({"192.168.1.1"}));
    EXPECT_EQ(cradle["registryDisplayName"], "Cradle");
    EXPECT_EQ(cradle["interface"]["speed"], 100000000);
    const json& wireless = probe["adapters"][1];
    EXPECT_EQ(wireless["ipAddresses"],
              json::parse(R"([{"address": "0.0.0.0", "mask": "0.0.0.0"}])"));
    EXPECT_EQ(wireless["gateways"], json({""}));
    EXPECT_EQ(wireless["registryDisplayName"], nullptr);

    EXPECT_EQ(probe["networkParams"]["hostName"], "pocketpc");
    EXPECT_EQ(probe["networkParams"]["dnsServers"], json({"192.168.1.1"}));
    EXPECT_EQ(probe["arp"][0]["address"], "192.168.1.1");
    EXPECT_EQ(probe["arp"][0]["mac"], "00-50-56-c0-00-01");
    EXPECT_EQ(probe["timeZone"]["bias"], -60);
    EXPECT_EQ(probe["timeZone"]["daylightName"], "CEST");
}

TEST_F(LauncherProbe, TheTimezoneOptionOverridesTheScenario) {
    const std::string file = Scenario(R"({"timeZone": "CET-1CEST,M3.5.0,M10.5.0/3"})");
    const Outcome run = Launch("--network=" + file + " --timezone=EST5EDT,M3.2.0,M11.1.0 --probe");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(json::parse(run.output)["timeZone"]["bias"], 300);
}

TEST_F(LauncherProbe, FailedQueriesShowTheirErrorCode) {
    const std::string file = Scenario(R"({"adapters": [{"name": "a", "index": 1}],
        "faults": [{"kind": "fail", "query": "GetAdaptersInfo", "error": 31, "call": 2}]})");
    const Outcome run = Launch("--network=" + file + " --probe");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(json::parse(run.output)["adapters"], json({{"error", 31}}));
}

void ExpectRefused(const std::string& arguments, const std::string& message) {
    const Outcome run = Launch(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_THAT(run.output, HasSubstr(message)) << arguments;
}

TEST_F(LauncherProbe, BadScenariosAndOptionsStopTheDevice) {
    const std::string file = Scenario(R"({"adapters": [{"name": "a"}]})");
    ExpectRefused("--network=" + file + " --probe",
                  file + ": at adapters[0]: missing key \"index\"");
    ExpectRefused("--bogus", "unknown option '--bogus'");
    ExpectRefused("--probe=yes", "'--probe' takes no value");
    ExpectRefused("--timezone=Not/A_Zone --probe", "neither a POSIX TZ rule nor a zone");
    ExpectRefused("stray", "go after '--'");

    const Outcome help = Launch("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.output, HasSubstr("--network=host|FILE.json"));
}

}  // namespace
