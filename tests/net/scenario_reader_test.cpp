// Scenario files that cannot be used say where and why; those that can fill the
// registry as the program reads it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "use_scenario.h"

namespace {

using platform::net::sim::ScenarioError;
using testing::HasSubstr;

std::string LoadError(const std::string& json) {
    return net_test::ScenarioRefusal(json, "office.json");
}

TEST(ScenarioLoading, ErrorsNameTheFileThePlaceAndWhatWasExpected) {
    EXPECT_THAT(LoadError("{\n  \"adapters\": [\n    {\"name\": \"a\",}\n  ]\n}"),
                HasSubstr("office.json: not valid JSON: line 3, column"));
    EXPECT_EQ(
        LoadError(R"({"adapters": [{"name": "a", "index": 1}, {"name": "b", "index": "2"}]})"),
        "office.json: at adapters[1].index: expected a whole number, 0 or more, found \"2\"");
    EXPECT_EQ(LoadError(R"({"adapters": [{"name": "a"}]})"),
              "office.json: at adapters[0]: missing key \"index\"");
    EXPECT_EQ(LoadError(R"({"adapters": [{"name": "a", "index": 1, "mac": "00-11-2"}]})"),
              "office.json: at adapters[0].mac: expected a hardware address of 0 to 8 bytes "
              "such as \"00-0a-95-9d-68-16\", found \"00-11-2\"");
    EXPECT_THAT(LoadError(R"({"host": {"dnsServers": ["10.0.0.256"]}})"),
                HasSubstr("at host.dnsServers[0]: expected an IPv4 address"));
    EXPECT_THAT(LoadError(R"({"adapters": [{"name": "a", "index": 1, "adresses": []}]})"),
                HasSubstr("at adapters[0].adresses: unknown key \"adresses\" (known keys: name,"));
    EXPECT_THAT(
        LoadError(R"({"adapters": [{"name": "a", "index": 1}, {"name": "b", "index": 1}]})"),
        HasSubstr("at adapters[1].index: interface index 1 is already used"));
    EXPECT_THAT(LoadError(R"({"faults": [{"kind": "vanish", "adapter": 9, "afterQueries": 1}]})"),
                HasSubstr("at faults[0].adapter: no adapter has interface index 9"));
    EXPECT_THAT(LoadError(R"({"faults": [{"kind": "fail", "query": "GetIfEntry", "error": 0}]})"),
                HasSubstr("at faults[0].error: expected a Win32 error code other than 0"));
    EXPECT_THAT(LoadError(R"({"registry": {"HKLM": {"x": 1}}})"),
                HasSubstr("at registry.HKLM: the key name should be a root and a path"));
    EXPECT_THAT(LoadError(R"({"timeZone": "Not/A_Zone"})"),
                HasSubstr("at timeZone: expected a POSIX TZ rule"));
    EXPECT_THAT(LoadError(R"({"adapters": [{"name": "a", "index": 1,
                              "dhcp": {"leaseExpires": "2026-02-30T00:00:00Z"}}]})"),
                HasSubstr("at adapters[0].dhcp.leaseExpires: expected a UTC time"));
    EXPECT_EQ(LoadError("[]"), "office.json: at the top level: expected an object, found an array");
}

TEST(ScenarioLoading, EchoHostsAndNamesAreToldWithTheirPlace) {
    EXPECT_THAT(LoadError(R"({"hosts": [{"address": "10.0.0.1", "route": [true]}]})"),
                HasSubstr("at hosts[0].route[0]: expected null (a silent router)"));
    EXPECT_THAT(LoadError(R"({"hosts": [{"address": "10.0.0.1", "unreachable": "moon"}]})"),
                HasSubstr("at hosts[0].unreachable"));
    EXPECT_THAT(LoadError(R"({"hosts": [{"address": "10.0.0.1"}, {"address": "10.0.0.1"}]})"),
                HasSubstr("at hosts[1].address: host 10.0.0.1 is already listed"));
    EXPECT_THAT(LoadError(R"({"hosts": [{"rtt": 3}]})"), HasSubstr("missing key \"address\""));
    EXPECT_THAT(LoadError(R"({"hosts": [{"address": "10.0.0.1", "rtt": -1}]})"),
                HasSubstr("at hosts[0].rtt"));
    EXPECT_THAT(LoadError(R"({"names": {"www.example": []}})"),
                HasSubstr("at names.www.example: expected an address or a non-empty array"));
    EXPECT_THAT(LoadError(R"({"names": {"www.example": ["10.0.0.300"]}})"),
                HasSubstr("names.www.example[0]"));
    EXPECT_THAT(LoadError(R"({"reverseNames": {"10.0.0": "router"}})"),
                HasSubstr("\"10.0.0\" is not an IPv4 address"));
    EXPECT_THAT(LoadError(R"({"reverseNames": {"10.0.0.1": ""}})"),
                HasSubstr("a name cannot be empty"));
    EXPECT_THAT(LoadError(R"({"faults": [{"kind": "fail", "query": "IcmpSendEcho", "error": 5}]})"),
                HasSubstr("\"IcmpCreateFile\""));
}

TEST(ScenarioLoading, MissingFileSaysSo) {
    try {
        platform::net::sim::LoadScenario("/nonexistent/office.json");
        FAIL() << "a missing file loaded";
    } catch (const ScenarioError& error) {
        EXPECT_THAT(error.what(), HasSubstr("/nonexistent/office.json: cannot be read"));
    }
}

// The registry value as the program reads it: its type, and its text when a string.
std::pair<DWORD, std::u16string> ReadValue(const std::u16string& key, const std::u16string& name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, 0, &opened) != ERROR_SUCCESS) {
        return {REG_NONE, u"(no key)"};
    }
    DWORD type = REG_NONE;
    WCHAR text[64] = {};
    DWORD size = sizeof text;
    const LONG result = RegQueryValueExW(opened, name.c_str(), nullptr, &type,
                                         reinterpret_cast<LPBYTE>(text), &size);
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS) {
        return {REG_NONE, u"(no value)"};
    }
    return {type, type == REG_SZ ? std::u16string(text) : u""};
}

TEST(ScenarioLoading, DisplayNamesAndRegistryValuesReachTheRegistry) {
    net_test::UseScenario(R"({
      "adapters": [{"name": "NE20001", "index": 2, "displayName": "Cradle \u00e4"}],
      "registry": {
        "HKEY_LOCAL_MACHINE\\Comm\\WLAN1": {"DisplayName": "", "Flags": 5,
                                            "Raw": {"type": "REG_BINARY", "data": "0a0b"}}}})");
    EXPECT_EQ(ReadValue(u"Comm\\NE20001", u"DisplayName"),
              std::make_pair(DWORD{REG_SZ}, std::u16string(u"Cradle \u00e4")));
    EXPECT_EQ(ReadValue(u"comm\\wlan1", u"DisplayName"),
              std::make_pair(DWORD{REG_SZ}, std::u16string()));
    EXPECT_EQ(ReadValue(u"Comm\\WLAN1", u"Flags").first, DWORD{REG_DWORD});
    EXPECT_EQ(ReadValue(u"Comm\\WLAN1", u"Raw").first, DWORD{REG_BINARY});
    EXPECT_EQ(ReadValue(u"Comm\\Other", u"DisplayName").second, u"(no key)");
}

}  // namespace
