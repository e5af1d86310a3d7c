#include "net/sim/sim_backend.h"

#include <windows.h>

#include <algorithm>

namespace platform::net::sim {
namespace {

// The table with the rows it has gained once `answered` queries of it were answered:
// one after each, until they are used up.
template <typename Row>
std::vector<Row> Grown(std::vector<Row> rows, const std::vector<Row>& added,
                       std::uint64_t answered) {
    const std::size_t count =
        static_cast<std::size_t>(std::min<std::uint64_t>(answered, added.size()));
    rows.insert(rows.end(), added.begin(), added.begin() + static_cast<std::ptrdiff_t>(count));
    return rows;
}

}  // namespace

SimBackend::SimBackend(Scenario scenario, SimClock clock)
    : scenario_(std::move(scenario)),
      dhcpLeases_(scenario_.dhcpServers, std::move(clock)),
      echoNetwork_(std::make_shared<SimEchoNetwork>(scenario_.echoHosts)) {}

Query<std::vector<AdapterState>> SimBackend::Adapters() {
    std::lock_guard lock(mutex_);
    const std::uint32_t error = InjectedError(SimQuery::Adapters);
    std::vector<AdapterState> adapters;
    for (const SimAdapter& sim : PresentAdapters()) {
        adapters.push_back(sim.adapter);
        dhcpLeases_.Apply(adapters.back());
    }
    Answered(SimQuery::Adapters);
    if (error != 0) {
        return Query<std::vector<AdapterState>>::Failure(error);
    }
    return adapters;
}

Query<InterfaceState> SimBackend::Interface(std::uint32_t index) {
    std::lock_guard lock(mutex_);
    const std::uint32_t error = InjectedError(SimQuery::Interface);
    Answered(SimQuery::Interface);
    if (error != 0) {
        return Query<InterfaceState>::Failure(error);
    }
    const auto adapters = PresentAdapters();
    const auto found = std::find_if(adapters.begin(), adapters.end(), [&](const SimAdapter& sim) {
        return sim.adapter.index == index;
    });
    if (found == adapters.end()) {
        return Query<InterfaceState>::Failure(ERROR_INVALID_DATA);
    }
    InterfaceState state;
    state.index = index;
    state.name = found->adapter.name;
    state.description = found->adapter.description;
    state.type = found->adapter.type;
    state.mtu = found->mtu;
    state.speed = found->speed;
    state.hardwareAddress = found->adapter.hardwareAddress;
    state.adminUp = found->up;
    state.operational = found->up;
    return state;
}

Query<NetworkParameters> SimBackend::Parameters() {
    std::lock_guard lock(mutex_);
    const std::uint32_t error = InjectedError(SimQuery::Parameters);
    Answered(SimQuery::Parameters);
    if (error != 0) {
        return Query<NetworkParameters>::Failure(error);
    }
    return scenario_.host;
}

Query<std::vector<NeighbourRow>> SimBackend::Neighbours() {
    std::lock_guard lock(mutex_);
    const std::uint32_t error = InjectedError(SimQuery::Neighbours);
    auto rows = Grown(scenario_.neighbours, scenario_.growth.neighbours,
                      AnsweredCount(SimQuery::Neighbours));
    std::erase_if(rows, [&](const NeighbourRow& row) { return Vanished(row.interfaceIndex); });
    Answered(SimQuery::Neighbours);
    if (error != 0) {
        return Query<std::vector<NeighbourRow>>::Failure(error);
    }
    return rows;
}

std::uint32_t SimBackend::ReleaseLease(std::uint32_t index) {
    return DhcpRequest(index, &SimDhcpLeases::Release);
}

std::uint32_t SimBackend::RenewLease(std::uint32_t index) {
    return DhcpRequest(index, &SimDhcpLeases::Renew);
}

std::uint32_t SimBackend::DhcpRequest(std::uint32_t index,
                                      void (SimDhcpLeases::*request)(std::uint32_t)) {
    std::lock_guard lock(mutex_);
    const auto adapters = PresentAdapters();
    const auto found = std::find_if(adapters.begin(), adapters.end(), [&](const SimAdapter& sim) {
        return sim.adapter.index == index;
    });
    if (found == adapters.end()) {
        return ERROR_INVALID_PARAMETER;
    }
    if (!found->adapter.dhcpEnabled) {
        return ERROR_NOT_SUPPORTED;
    }
    (dhcpLeases_.*request)(index);
    return NO_ERROR;
}

std::uint32_t SimBackend::InjectedError(SimQuery query) const {
    const std::uint64_t call = AnsweredCount(query) + 1;
    for (const QueryFailure& failure : scenario_.failures) {
        if (failure.query == query && (!failure.onlyCall || *failure.onlyCall == call)) {
            return failure.error;
        }
    }
    return 0;
}

std::vector<SimAdapter> SimBackend::PresentAdapters() const {
    auto adapters =
        Grown(scenario_.adapters, scenario_.growth.adapters, AnsweredCount(SimQuery::Adapters));
    std::erase_if(adapters, [&](const SimAdapter& sim) { return Vanished(sim.adapter.index); });
    return adapters;
}

Query<std::unique_ptr<EchoChannel>> SimBackend::OpenEchoChannel() {
    std::lock_guard lock(mutex_);
    const std::uint32_t error = InjectedError(SimQuery::IcmpCreate);
    Answered(SimQuery::IcmpCreate);
    if (error != 0) {
        return Query<std::unique_ptr<EchoChannel>>::Failure(error);
    }
    return std::unique_ptr<EchoChannel>(std::make_unique<SimEchoChannel>(echoNetwork_));
}

Query<HostEntry> SimBackend::HostByName(const std::string& name) {
    return SimHostByName(scenario_.names, name, scenario_.host.hostName);
}

Query<HostEntry> SimBackend::HostByAddress(Ipv4 address) {
    return SimHostByAddress(scenario_.names, address);
}

bool SimBackend::Vanished(std::uint32_t index) const {
    return std::any_of(scenario_.vanishings.begin(), scenario_.vanishings.end(),
                       [&](const AdapterVanishing& vanishing) {
                           return vanishing.index == index &&
                                  AnsweredCount(SimQuery::Adapters) >= vanishing.afterQueries;
                       });
}

}  // namespace platform::net::sim
