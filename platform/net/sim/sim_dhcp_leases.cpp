#include "net/sim/sim_dhcp_leases.h"

#include <algorithm>

#include "kernel/time/device_clock.h"

namespace platform::net::sim {
namespace {

constexpr std::uint32_t kOneDay = 24 * 60 * 60;

std::int64_t DeviceNowSeconds() {
    const auto now = std::chrono::floor<std::chrono::seconds>(kernel::DeviceClock::NowUtc());
    return now.time_since_epoch().count();
}

}  // namespace

SimDhcpLeases::SimDhcpLeases(std::vector<SimDhcpServer> servers, SimClock clock)
    : servers_(std::move(servers)), clock_(std::move(clock)) {}

void SimDhcpLeases::Apply(AdapterState& adapter) {
    const auto found = states_.find(adapter.index);
    if (found == states_.end()) {
        return;
    }
    State& state = found->second;
    if (state.renewAskedAt) {
        if (auto granted = Answer(adapter, state)) {
            state = State{false, std::nullopt, granted};
        }
    }
    if (state.granted) {
        adapter.addresses = {state.granted->address};
        adapter.dhcpServer = state.granted->server;
        adapter.leaseObtained = state.granted->obtained;
        adapter.leaseExpires = state.granted->expires;
    } else if (state.released) {
        // The client drops the address and the routes through it with the lease.
        adapter.addresses.clear();
        adapter.gateways.clear();
        adapter.dhcpServer = 0;
        adapter.leaseObtained = 0;
        adapter.leaseExpires = 0;
    }
}

void SimDhcpLeases::Release(std::uint32_t index) {
    states_[index] = State{true, std::nullopt, std::nullopt};
}

void SimDhcpLeases::Renew(std::uint32_t index) {
    // Until the server answers, the adapter keeps what it has: a lease still valid,
    // or no address after a release.
    states_[index].renewAskedAt = clock_();
}

SimDhcpServer SimDhcpLeases::ServerFor(std::uint32_t index) const {
    const auto found = std::find_if(servers_.begin(), servers_.end(),
                                    [&](const SimDhcpServer& s) { return s.adapter == index; });
    if (found != servers_.end()) {
        return *found;
    }
    SimDhcpServer server;
    server.adapter = index;
    return server;
}

std::optional<SimDhcpLeases::Granted> SimDhcpLeases::Answer(const AdapterState& adapter,
                                                            const State& state) const {
    const SimDhcpServer server = ServerFor(adapter.index);
    if (server.answer == SimDhcpAnswer::Never ||
        (server.answer == SimDhcpAnswer::Late && clock_() - *state.renewAskedAt < server.delay)) {
        return std::nullopt;
    }
    // A server with nothing to offer never answers.
    std::optional<AddressWithMask> offer = server.offer;
    if (!offer && !adapter.addresses.empty()) {
        offer = adapter.addresses.front();
    }
    if (!offer) {
        return std::nullopt;
    }
    std::uint32_t seconds = kOneDay;
    if (server.leaseSeconds) {
        seconds = *server.leaseSeconds;
    } else if (adapter.leaseExpires > adapter.leaseObtained) {
        seconds = static_cast<std::uint32_t>(
            std::min<std::int64_t>(adapter.leaseExpires - adapter.leaseObtained, 0xFFFFFFFF));
    }
    Granted granted;
    granted.address = *offer;
    granted.server = server.server.value_or(adapter.dhcpServer);
    granted.obtained = DeviceNowSeconds();
    granted.expires = granted.obtained + seconds;
    return granted;
}

}  // namespace platform::net::sim
