// Scenario files that cannot be used say where and why (their DHCP servers included);
// those that can fill the registry as the program reads it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "net/sim/scenario_error.h"
#include "net/sim/scenario_reader.h"
#include "support/scenario_stager.h"

namespace {

using platform::net::sim::ScenarioError;
using testing::HasSubstr;

// A file with one adapter that has DHCP and a fault that adds a second, with `servers`
// as its DHCP servers.
std::string WithServers(const std::string& servers) {
    return R"({"adapters": [{"name": "NE20001", "index": 2, "dhcp": {}}],
               "faults": [{"kind": "grow", "table": "adapters",
                           "add": [{"name": "WLAN1", "index": 3}]}],
               "dhcpServers": )" +
           servers + "}";
}

TEST(ScenarioLoading, ErrorsNameTheFileThePlaceAndWhatWasExpected) {
    // Each message says where, then what was expected (and found); the file's name
    // comes first.
    const std::pair<std::string, const char*> rows[] = {
        {"{\n  \"adapters\": [\n    {\"name\": \"a\",}\n  ]\n}",
         "office.json: not valid JSON: line 3, column 18: syntax error while parsing object key"},
        {"{\"comment\":\n 1e400}",
         "office.json: not valid JSON: line 2, column 6: number overflow"},
        {"[]", "office.json: at the top level: expected an object, found an array"},
        {R"({"adapters": [{"name": "a", "index": 1}, {"name": "b", "index": "2"}]})",
         "at adapters[1].index: expected a whole number, 0 or more, found \"2\""},
        {R"({"adapters": [{"name": "a"}]})", "at adapters[0]: missing key \"index\""},
        {R"({"adapters": [{"name": "a", "index": 1, "mac": "00-11-2"}]})",
         "at adapters[0].mac: expected a hardware address of 0 to 8 bytes"},
        {R"({"host": {"dnsServers": ["10.0.0.256"]}})", "at host.dnsServers[0]: expected an IPv4"},
        {R"({"adapters": [{"name": "a", "index": 1, "adresses": []}]})",
         "at adapters[0].adresses: unknown key \"adresses\" (known keys: name,"},
        {R"({"adapters": [{"name": "a", "index": 1}, {"name": "b", "index": 1}]})",
         "at adapters[1].index: interface index 1 is already used"},
        {R"({"faults": [{"kind": "vanish", "adapter": 9, "afterQueries": 1}]})",
         "at faults[0].adapter: no adapter has interface index 9"},
        {R"({"faults": [{"kind": "fail", "query": "IcmpSendEcho", "error": 5}]})",
         "\"IcmpCreateFile\""},
        {R"({"registry": {"HKLM": {"x": 1}}})", "at registry.HKLM: the key name should be a root"},
        {R"({"timeZone": "Not/A_Zone"})", "at timeZone: expected a POSIX TZ rule"},
        {R"({"adapters":[{"name":"a","index":1,"dhcp":{"leaseExpires":"2026-02-30T00:00:00Z"}}]})",
         "at adapters[0].dhcp.leaseExpires: expected a UTC time"},
        {R"({"hosts": [{"address": "10.0.0.1", "route": [true]}]})",
         "at hosts[0].route[0]: expected null (a silent router)"},
        {R"({"hosts": [{"address": "10.0.0.1"}, {"address": "10.0.0.1"}]})",
         "at hosts[1].address: host 10.0.0.1 is already listed"},
        {R"({"names": {"www.example": []}})", "at names.www.example: expected an address or a"},
        {R"({"reverseNames": {"10.0.0": "router"}})", "\"10.0.0\" is not an IPv4 address"},
        {R"({"reverseNames": {"10.0.0.1": ""}})", "a name cannot be empty"},
        {WithServers(R"([{"adapter": 2, "answer": "soon"}])"),
         "at dhcpServers[0].answer: expected one of \"atOnce\", \"late\", \"never\""},
        {WithServers(R"([{"adapter": 9}])"), "at dhcpServers[0].adapter: no adapter has"},
        {WithServers(R"([{"adapter": 2}, {"adapter": 2, "answer": "never"}])"),
         "at dhcpServers[1].adapter: the adapter with interface index 2 already has a DHCP"},
        {WithServers(R"([{"adapter": 2, "delay": 100}])"),
         "at dhcpServers[0].delay: \"delay\" belongs to a server whose answer is \"late\""},
        {WithServers(R"([{"adapter": 2, "answer": "late"}])"), "at dhcpServers[0]: missing key"},
        {WithServers(R"([{"adapter": 2, "leaseTime": 0}])"),
         "at dhcpServers[0].leaseTime: expected a lease time in seconds, at least 1"}};
    for (const auto& [json, error] : rows) {
        EXPECT_THAT(tessalink::test::ScenarioRefusal(json, "office.json"), HasSubstr(error));
    }
    // A server for the adapter a fault adds later is no mistake.
    EXPECT_EQ(tessalink::test::ScenarioRefusal(WithServers(R"([{"adapter": 3}])")), "accepted");
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
    tessalink::test::StageScenario(R"({
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
