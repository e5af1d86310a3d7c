#include "net/host/dhcp_client_control.h"

#include <net/if.h>
#include <winerror.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "net/host/bounded_command.h"

namespace platform::net::host {
namespace {

// The clients take a request over their control channel and return: dhcpcd waits
// for its daemon to send the release and exit, a tenth of a second. Anything near
// this bound is stuck.
constexpr std::chrono::seconds kRequestLimit{10};
// A daemon started in the background writes its pid file within milliseconds of being
// scheduled; on a loaded machine that can be after the command that forked it returned.
constexpr std::chrono::seconds kDaemonStartLimit{5};

void AwaitFile(const std::filesystem::path& path) {
    const auto deadline = std::chrono::steady_clock::now() + kDaemonStartLimit;
    std::error_code error;
    while (!std::filesystem::exists(path, error) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::string CommandText(const std::vector<std::string>& command) {
    std::string text;
    for (const std::string& word : command) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

}  // namespace

DhcpClientControl::DhcpClientControl(const HostPaths& paths, bool privileged, std::ostream& advice)
    : clients_(KnownDhcpClients(paths)), privileged_(privileged), advice_(advice) {}

bool DhcpClientControl::Manages(const std::string& interfaceName, std::uint32_t index) const {
    return ClientFor(interfaceName, index) != nullptr;
}

std::uint32_t DhcpClientControl::Release(std::uint32_t index) {
    return Ask(Request::Release, index);
}

std::uint32_t DhcpClientControl::Renew(std::uint32_t index) {
    return Ask(Request::Renew, index);
}

std::uint32_t DhcpClientControl::Ask(Request request, std::uint32_t index) {
    char nameBuffer[IF_NAMESIZE] = {};
    if (if_indextoname(index, nameBuffer) == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    const std::string interfaceName = nameBuffer;
    const char* verb = request == Request::Release ? "release" : "renew";
    const DhcpClientProgram* client = ClientFor(interfaceName, index);
    if (client == nullptr) {
        AdviseOnce(
            "no DHCP client that can be asked (dhcpcd, systemd-networkd, NetworkManager, "
            "dhclient) is in charge of " +
            interfaceName +
            ", so its lease cannot be released or renewed here; run one "
            "for it, for example `dhcpcd " +
            interfaceName + "`");
        return ERROR_NOT_SUPPORTED;
    }
    const std::vector<std::string>& requested =
        request == Request::Release ? client->release : client->renew;
    if (requested.empty()) {
        AdviseOnce(client->name + " cannot give back the lease of " + interfaceName +
                   " on its own; " + client->releaseAlternative + " would");
        return ERROR_NOT_SUPPORTED;
    }
    std::vector<std::vector<std::string>> commands = {requested};
    if (request == Request::Renew && !client->stopBeforeRenew.empty()) {
        commands.insert(commands.begin(), client->stopBeforeRenew);
    }
    for (std::vector<std::string>& command : commands) {
        if (client->interfaceArguments) {
            const std::vector<std::string> arguments = client->interfaceArguments(interfaceName);
            command.insert(command.end(), arguments.begin(), arguments.end());
        }
        command.push_back(interfaceName);
        if (RunBoundedCommand(command, kRequestLimit)) {
            continue;
        }
        if (!privileged_) {
            AdviseOnce("asking " + client->name + " to " + verb + " the lease of " + interfaceName +
                       " needs root: run tessalink as root");
            return ERROR_ACCESS_DENIED;
        }
        AdviseOnce("`" + CommandText(command) + "` failed, so the lease of " + interfaceName +
                   " was not " + (request == Request::Release ? "released" : "renewed"));
        return ERROR_GEN_FAILURE;
    }
    if (request == Request::Renew && client->daemonPidFile) {
        AwaitFile(client->daemonPidFile(interfaceName));
    }
    if (request == Request::Release) {
        std::lock_guard lock(mutex_);
        released_[index] = static_cast<std::size_t>(client - clients_.data());
    }
    return NO_ERROR;
}

const DhcpClientProgram* DhcpClientControl::ClientFor(const std::string& interfaceName,
                                                      std::uint32_t index) const {
    {
        std::lock_guard lock(mutex_);
        if (const auto found = released_.find(index); found != released_.end()) {
            return &clients_[found->second];
        }
    }
    for (const DhcpClientProgram& client : clients_) {
        if (client.manages(interfaceName, index)) {
            return &client;
        }
    }
    return nullptr;
}

void DhcpClientControl::AdviseOnce(const std::string& text) {
    std::lock_guard lock(mutex_);
    if (advised_.insert(text).second) {
        advice_ << "tessalink: " << text << "\n" << std::flush;
    }
}

}  // namespace platform::net::host
