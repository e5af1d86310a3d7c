#include "ScriptedNetwork.h"

#include <ipexport.h>
#include <winerror.h>
#include <winsock2.h>

namespace diagnostics_test {

using platform::net::EchoChannel;
using platform::net::EchoReply;
using platform::net::EchoRequest;
using platform::net::HostEntry;
using platform::net::Query;

namespace {

class ScriptedChannel : public EchoChannel {
  public:
    explicit ScriptedChannel(std::shared_ptr<ScriptedNetwork> network)
        : network_(std::move(network)) {}
    Query<EchoReply> Echo(const EchoRequest& request) override { return network_->Answer(request); }

  private:
    std::shared_ptr<ScriptedNetwork> network_;
};

// Only echoes and names: the engine asks nothing else of the device.
class ScriptedBackend : public platform::net::NetworkBackend {
  public:
    explicit ScriptedBackend(std::shared_ptr<ScriptedNetwork> network)
        : network_(std::move(network)) {}

    Query<std::vector<platform::net::AdapterState>> Adapters() override {
        return std::vector<platform::net::AdapterState>{};
    }
    Query<platform::net::InterfaceState> Interface(std::uint32_t) override {
        return Query<platform::net::InterfaceState>::Failure(ERROR_NOT_FOUND);
    }
    Query<platform::net::NetworkParameters> Parameters() override {
        return platform::net::NetworkParameters{};
    }
    Query<std::vector<platform::net::NeighbourRow>> Neighbours() override {
        return std::vector<platform::net::NeighbourRow>{};
    }

    Query<std::unique_ptr<EchoChannel>> OpenEchoChannel() override {
        if (network_->IcmpRefused()) {
            return Query<std::unique_ptr<EchoChannel>>::Failure(ERROR_ACCESS_DENIED);
        }
        return Query<std::unique_ptr<EchoChannel>>(std::make_unique<ScriptedChannel>(network_));
    }
    Query<HostEntry> HostByName(const std::string& name) override {
        auto entry = network_->HostByName(name);
        return entry ? Query<HostEntry>(*entry) : Query<HostEntry>::Failure(WSAHOST_NOT_FOUND);
    }
    Query<HostEntry> HostByAddress(Ipv4 address) override {
        auto entry = network_->HostByAddress(address);
        return entry ? Query<HostEntry>(*entry) : Query<HostEntry>::Failure(WSAHOST_NOT_FOUND);
    }

  private:
    std::shared_ptr<ScriptedNetwork> network_;
};

Query<EchoReply> TimedOut() {
    return Query<EchoReply>::Failure(IP_REQ_TIMED_OUT);
}

}  // namespace

std::shared_ptr<ScriptedNetwork> ScriptedNetwork::Install() {
    auto network = std::make_shared<ScriptedNetwork>();
    platform::net::InstallBackend(std::make_unique<ScriptedBackend>(network));
    return network;
}

void ScriptedNetwork::AddDestination(Ipv4 address, Destination destination) {
    std::lock_guard guard(lock_);
    destinations_[address] = std::move(destination);
}

void ScriptedNetwork::AddName(const std::string& name, std::vector<Ipv4> addresses) {
    std::lock_guard guard(lock_);
    names_[name] = std::move(addresses);
}

void ScriptedNetwork::AddReverseName(Ipv4 address, const std::string& name) {
    std::lock_guard guard(lock_);
    reverseNames_[address] = name;
}

void ScriptedNetwork::RefuseIcmp() {
    std::lock_guard guard(lock_);
    icmpRefused_ = true;
}

void ScriptedNetwork::Close() {
    std::lock_guard guard(lock_);
    gateClosed_ = true;
}

void ScriptedNetwork::Open() {
    std::lock_guard guard(lock_);
    gateClosed_ = false;
    gateChanged_.notify_all();
}

void ScriptedNetwork::AwaitEchoAtGate() {
    std::unique_lock guard(lock_);
    gateChanged_.wait(guard, [this] { return echoAtGate_; });
}

std::vector<RecordedEcho> ScriptedNetwork::Echoes() {
    std::lock_guard guard(lock_);
    return echoes_;
}

bool ScriptedNetwork::IcmpRefused() {
    std::lock_guard guard(lock_);
    return icmpRefused_;
}

Query<EchoReply> ScriptedNetwork::Answer(const EchoRequest& request) {
    std::unique_lock guard(lock_);
    echoes_.push_back(RecordedEcho{
        request.destination, std::vector<std::uint8_t>(request.data.begin(), request.data.end()),
        request.ttl, static_cast<std::uint32_t>(request.timeout.count())});
    echoAtGate_ = gateClosed_;
    gateChanged_.notify_all();
    gateChanged_.wait(guard, [this] { return !gateClosed_; });
    echoAtGate_ = false;

    auto found = destinations_.find(request.destination);
    if (found == destinations_.end()) {
        return TimedOut();
    }
    Destination& destination = found->second;
    const std::size_t ttl = request.ttl.value_or(64);
    if (ttl <= destination.routers.size()) {
        const std::optional<Ipv4> router = destination.routers[ttl - 1];
        if (!router) {
            return TimedOut();
        }
        return EchoReply{*router, IP_TTL_EXPIRED_TRANSIT, destination.roundTripMs, 64,
                         std::vector<std::uint8_t>(request.data.begin(), request.data.end())};
    }
    if (destination.answers) {
        if (*destination.answers == 0) {
            return TimedOut();
        }
        --*destination.answers;
    }
    return EchoReply{request.destination, IP_SUCCESS, destination.roundTripMs, 64,
                     std::vector<std::uint8_t>(request.data.begin(), request.data.end())};
}

std::optional<HostEntry> ScriptedNetwork::HostByName(const std::string& name) {
    std::lock_guard guard(lock_);
    auto found = names_.find(name);
    if (found == names_.end()) {
        return std::nullopt;
    }
    return HostEntry{name, {}, found->second};
}

std::optional<HostEntry> ScriptedNetwork::HostByAddress(Ipv4 address) {
    std::lock_guard guard(lock_);
    auto found = reverseNames_.find(address);
    if (found == reverseNames_.end()) {
        return std::nullopt;
    }
    return HostEntry{found->second, {}, {address}};
}

}  // namespace diagnostics_test
