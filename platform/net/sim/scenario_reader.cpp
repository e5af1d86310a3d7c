#include "net/sim/scenario_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "kernel/time/device_zone.h"
#include "net/sim/registry_reader.h"
#include "net/sim/scenario_error.h"
#include "net/sim/scenario_node.h"
#include "net/sim/scenario_records.h"
#include "net/sim/sim_dhcp_reader.h"
#include "net/sim/sim_icmp_reader.h"
#include "net/sim/sim_names_reader.h"

namespace platform::net::sim {
namespace {

// Builds the document as the library's own parser does, but keeps where it stopped and
// why instead of throwing, for every kind of error: a number too large for a double ends
// the parse with an out-of-range error that carries no place of its own.
class PlacedDomParser : public nlohmann::detail::json_sax_dom_parser<nlohmann::json> {
  public:
    PlacedDomParser(nlohmann::json& document, std::string_view text)
        : json_sax_dom_parser(document, /*allow_exceptions=*/false), text_(text) {}

    template <class Exception>
    bool parse_error(std::size_t charsRead, const std::string& token, const Exception& error) {
        problem_ = Place(charsRead) + ": " + Reason(error.what());
        return json_sax_dom_parser::parse_error(charsRead, token, error);
    }

    const std::string& Problem() const { return problem_; }

  private:
    // Line and column of the last character read, counted from 1 as editors do.
    std::string Place(std::size_t charsRead) const {
        const std::string_view read = text_.substr(0, charsRead);
        const std::size_t lineStart = read.rfind('\n') + 1;  // 0 when on the first line
        const auto line = std::count(read.begin(), read.end(), '\n') + 1;
        return "line " + std::to_string(line) + ", column " +
               std::to_string(read.size() - lineStart);
    }

    // The library's words without its "[json.exception.NAME.ID] " prefix and, for syntax
    // errors, without the place it gives in its own way.
    static std::string Reason(std::string what) {
        if (const auto end = what.find("] "); end != std::string::npos) {
            what.erase(0, end + 2);
        }
        if (what.starts_with("parse error")) {
            if (const auto colon = what.find(": "); colon != std::string::npos) {
                what.erase(0, colon + 2);
            }
        }
        return what;
    }

    std::string_view text_;
    std::string problem_;
};

class ScenarioBuilder {
  public:
    explicit ScenarioBuilder(const ScenarioNode& root) : root_(root) {}

    Scenario Build() {
        root_.AllowKeys({"comment", "adapters", "host", "arp", "registry", "timeZone", "locale",
                         "faults", "dhcpServers", "hosts", "names", "reverseNames"});
        if (const auto comment = root_.Optional("comment")) {
            comment->String();
        }
        if (const auto adapters = root_.Optional("adapters")) {
            for (const ScenarioNode& node : adapters->Elements()) {
                scenario_.adapters.push_back(Adapter(node));
            }
        }
        if (const auto host = root_.Optional("host")) {
            ReadHost(*host);
        }
        if (const auto arp = root_.Optional("arp")) {
            for (const ScenarioNode& node : arp->Elements()) {
                scenario_.neighbours.push_back(ReadNeighbour(node));
            }
        }
        if (const auto registry = root_.Optional("registry")) {
            const auto entries = ReadRegistry(*registry);
            scenario_.registry.insert(scenario_.registry.end(), entries.begin(), entries.end());
        }
        if (const auto zone = root_.Optional("timeZone")) {
            scenario_.timeZone = zone->String();
            if (!kernel::DeviceZone::Resolve(*scenario_.timeZone).rule) {
                zone->Fail("a POSIX TZ rule such as \"CET-1CEST,M3.5.0,M10.5.0/3\" or a zone name");
            }
        }
        if (const auto locale = root_.Optional("locale")) {
            scenario_.locale = locale->String();
        }
        if (const auto hosts = root_.Optional("hosts")) {
            scenario_.echoHosts = ReadEchoHosts(*hosts);
        }
        if (const auto names = root_.Optional("names")) {
            ReadForwardNames(*names, scenario_.names);
        }
        if (const auto reverse = root_.Optional("reverseNames")) {
            ReadReverseNames(*reverse, scenario_.names);
        }
        if (const auto faults = root_.Optional("faults")) {
            for (const ScenarioNode& node : faults->Elements()) {
                ReadFault(node);
            }
        }
        // After the faults, whose added adapters a server may serve too.
        if (const auto servers = root_.Optional("dhcpServers")) {
            scenario_.dhcpServers = ReadDhcpServers(*servers, indices_);
        }
        CheckVanishings();
        return std::move(scenario_);
    }

  private:
    SimAdapter Adapter(const ScenarioNode& node) {
        SimAdapter adapter = ReadAdapter(node, scenario_.registry);
        // The interface index is the adapter's identity; two alike would make every
        // lookup by index ambiguous.
        if (!indices_.insert(adapter.adapter.index).second) {
            node.Required("index").Complain("interface index " +
                                            std::to_string(adapter.adapter.index) +
                                            " is already used by another adapter");
        }
        return adapter;
    }

    void ReadHost(const ScenarioNode& node) {
        node.AllowKeys({"hostName", "domain", "dnsServers", "currentDnsServer"});
        NetworkParameters& host = scenario_.host;
        node.ReadOptional("hostName", host.hostName, &ScenarioNode::String);
        node.ReadOptional("domain", host.domainName, &ScenarioNode::String);
        node.ReadOptional("dnsServers", host.dnsServers, &ScenarioNode::AddressList);
        if (const auto current = node.Optional("currentDnsServer")) {
            host.currentDnsServer = current->Address();
        }
    }

    void ReadFault(const ScenarioNode& node) {
        const ScenarioNode kind = node.Required("kind");
        const std::string name = kind.String();
        if (name == "fail") {
            ReadFailure(node);
        } else if (name == "grow") {
            ReadGrowth(node);
        } else if (name == "vanish") {
            node.AllowKeys({"kind", "adapter", "afterQueries"});
            scenario_.vanishings.push_back(
                {node.Required("adapter").Uint32(), node.Required("afterQueries").Uint64()});
            vanishingNodes_.push_back(node.Required("adapter"));
        } else {
            kind.Fail("one of \"fail\", \"grow\", \"vanish\"");
        }
    }

    void ReadFailure(const ScenarioNode& node) {
        node.AllowKeys({"kind", "query", "error", "call"});
        QueryFailure failure;
        const ScenarioNode query = node.Required("query");
        const std::string queryName = query.String();
        if (queryName == "GetAdaptersInfo") {
            failure.query = SimQuery::Adapters;
        } else if (queryName == "GetIfEntry") {
            failure.query = SimQuery::Interface;
        } else if (queryName == "GetNetworkParams") {
            failure.query = SimQuery::Parameters;
        } else if (queryName == "GetIpNetTable") {
            failure.query = SimQuery::Neighbours;
        } else if (queryName == "IcmpCreateFile") {
            failure.query = SimQuery::IcmpCreate;
        } else {
            query.Fail(
                "one of \"GetAdaptersInfo\", \"GetIfEntry\", \"GetNetworkParams\", "
                "\"GetIpNetTable\", \"IcmpCreateFile\"");
        }
        const ScenarioNode error = node.Required("error");
        failure.error = error.Uint32();
        if (failure.error == 0) {
            error.Fail("a Win32 error code other than 0");
        }
        if (const auto call = node.Optional("call")) {
            failure.onlyCall = call->Uint64();
            if (*failure.onlyCall == 0) {
                call->Fail("a call number counted from 1");
            }
        }
        scenario_.failures.push_back(failure);
    }

    void ReadGrowth(const ScenarioNode& node) {
        node.AllowKeys({"kind", "table", "add"});
        const ScenarioNode table = node.Required("table");
        const std::string tableName = table.String();
        const auto rows = node.Required("add").Elements();
        if (tableName == "adapters") {
            for (const ScenarioNode& row : rows) {
                scenario_.growth.adapters.push_back(Adapter(row));
            }
        } else if (tableName == "arp") {
            for (const ScenarioNode& row : rows) {
                scenario_.growth.neighbours.push_back(ReadNeighbour(row));
            }
        } else {
            table.Fail("\"adapters\" or \"arp\"");
        }
    }

    void CheckVanishings() const {
        for (const ScenarioNode& node : vanishingNodes_) {
            if (!indices_.contains(node.Uint32())) {
                node.Complain("no adapter has interface index " + std::to_string(node.Uint32()));
            }
        }
    }

    const ScenarioNode& root_;
    Scenario scenario_;
    std::set<std::uint32_t> indices_;
    std::vector<ScenarioNode> vanishingNodes_;
};

}  // namespace

Scenario LoadScenario(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        throw ScenarioError(fileName + ": cannot be read: " + std::strerror(errno));
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        throw ScenarioError(fileName + ": cannot be read: " + std::strerror(errno));
    }
    return ParseScenario(text.str(), fileName);
}

Scenario ParseScenario(std::string_view text, const std::string& fileName) {
    nlohmann::json document;
    PlacedDomParser parser(document, text);
    if (!nlohmann::json::sax_parse(text, &parser)) {
        throw ScenarioError(fileName + ": not valid JSON: " + parser.Problem());
    }
    const ScenarioNode root(document, fileName);
    return ScenarioBuilder(root).Build();
}

}  // namespace platform::net::sim
