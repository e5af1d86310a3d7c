// A network namespace that a test (or benchmark) makes for itself and removes
// with everything in it, so nothing it does reaches the machine's own network.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessalink::testing {

// The words of a command written as one text, separated by spaces.
std::vector<std::string> CommandWords(const std::string& command);

class NetworkNamespace {
  public:
    // Why namespaces cannot be made here (not root, no `ip`), or nothing.
    static std::optional<std::string> UnavailableReason();

    NetworkNamespace();
    ~NetworkNamespace();
    NetworkNamespace(const NetworkNamespace&) = delete;
    NetworkNamespace& operator=(const NetworkNamespace&) = delete;

    bool IsCreated() const { return created_; }
    const std::string& Name() const { return name_; }

    // `ip -n NAME ARGS...`; its output, or nothing when it failed.
    std::optional<std::string> Ip(const std::vector<std::string>& arguments) const;
    // The same with the arguments in one text, separated by spaces ("link set lo up").
    std::optional<std::string> IpCommand(const std::string& arguments) const;
    // Each of those in turn, up to the first that fails; true when all succeeded.
    bool IpCommands(const std::vector<std::string>& commands) const;

    // Gives the namespace its own copy of an /etc file (hosts, resolv.conf), kept as
    // `ip netns exec` expects it under /etc/netns/NAME and removed with the namespace.
    // True when written.
    bool WriteEtcFile(const std::string& file, const std::string& text);

    // Runs `work` in a child process that joined the namespace, mounted its own
    // /sys and laid the namespace's /etc files over the machine's (as `ip netns exec`
    // does, so sysfs shows the namespace's devices and the resolver reads its hosts
    // file), and returns what `work` returned; nothing when the child failed.
    std::optional<std::string> RunInside(const std::function<std::string()>& work) const;

    // Sets /proc/sys/KEY (such as "net/ipv4/ip_forward") inside the namespace; true when
    // it reads back as written.
    bool WriteSysctl(const std::string& key, const std::string& value) const;

    // Moves the calling thread into the namespace for good (a benchmark's own
    // process, which ends with it). True on success.
    bool EnterForThisThread() const;

  private:
    std::string EtcDirectory() const;

    std::string name_;
    bool created_ = false;
    bool hasEtcFiles_ = false;
};

}  // namespace tessalink::testing
