#include "network_namespace.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "net/host/bounded_command.h"

namespace tessalink::testing {
namespace {

using platform::net::host::RunBoundedCommand;

// `ip` configures a namespace in milliseconds; a batch of ten thousand
// neighbours takes under a second.
constexpr std::chrono::seconds kIpLimit{30};

std::string UniqueName() {
    static std::atomic<int> counter{0};
    return "tessalink-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
}

bool JoinNamespace(const std::string& name) {
    const int descriptor = open(("/run/netns/" + name).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    const bool joined = setns(descriptor, CLONE_NEWNET) == 0;
    close(descriptor);
    return joined;
}

// A private mount namespace with a sysfs of the joined network namespace.
bool MountOwnSysfs() {
    return unshare(CLONE_NEWNS) == 0 &&
           mount(nullptr, "/", nullptr, MS_SLAVE | MS_REC, nullptr) == 0 &&
           umount2("/sys", MNT_DETACH) == 0 && mount("sysfs", "/sys", "sysfs", 0, nullptr) == 0;
}

// Binds each file of the namespace's /etc directory over the machine's file of that
// name, in the mount namespace MountOwnSysfs made private; files /etc lacks are left
// out, as `ip netns exec` leaves them.
bool BindEtcFiles(const std::string& directory) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        const std::string target = "/etc/" + entry.path().filename().string();
        if (std::filesystem::exists(target) &&
            mount(entry.path().c_str(), target.c_str(), nullptr, MS_BIND, nullptr) != 0) {
            return false;
        }
    }
    // A namespace without files of its own has no directory: nothing to lay over.
    return !error || error == std::errc::no_such_file_or_directory;
}

}  // namespace

std::vector<std::string> CommandWords(const std::string& command) {
    std::istringstream words(command);
    return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

std::optional<std::string> NetworkNamespace::UnavailableReason() {
    if (geteuid() != 0) {
        return "network namespaces need root";
    }
    if (!RunBoundedCommand({"ip", "-V"}, kIpLimit)) {
        return "the ip command (iproute2) is missing";
    }
    return std::nullopt;
}

NetworkNamespace::NetworkNamespace() : name_(UniqueName()) {
    created_ = RunBoundedCommand({"ip", "netns", "add", name_}, kIpLimit).has_value();
}

NetworkNamespace::~NetworkNamespace() {
    // Removing the namespace destroys every interface made inside it.
    if (created_) {
        RunBoundedCommand({"ip", "netns", "delete", name_}, kIpLimit);
    }
    // /etc/netns itself stays, as /run/netns does: other namespaces may be using it.
    if (hasEtcFiles_) {
        std::error_code ignored;
        std::filesystem::remove_all(EtcDirectory(), ignored);
    }
}

std::string NetworkNamespace::EtcDirectory() const {
    return "/etc/netns/" + name_;
}

bool NetworkNamespace::WriteEtcFile(const std::string& file, const std::string& text) {
    std::error_code error;
    std::filesystem::create_directories(EtcDirectory(), error);
    if (error) {
        return false;
    }
    hasEtcFiles_ = true;
    std::ofstream out(EtcDirectory() + "/" + file, std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

std::optional<std::string> NetworkNamespace::Ip(const std::vector<std::string>& arguments) const {
    std::vector<std::string> command = {"ip", "-n", name_};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return RunBoundedCommand(command, kIpLimit);
}

std::optional<std::string> NetworkNamespace::IpCommand(const std::string& arguments) const {
    return Ip(CommandWords(arguments));
}

bool NetworkNamespace::IpCommands(const std::vector<std::string>& commands) const {
    return std::ranges::all_of(
        commands, [this](const std::string& command) { return IpCommand(command).has_value(); });
}

std::optional<std::string> NetworkNamespace::RunInside(
    const std::function<std::string()>& work) const {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        if (!JoinNamespace(name_) || !MountOwnSysfs() || !BindEtcFiles(EtcDirectory())) {
            _exit(2);
        }
        // Whatever `work` throws must end the child here, not unwind into the test
        // runner, which would go on with the remaining tests in the child.
        try {
            FILE* out = fdopen(ends[1], "w");
            const std::string text = work();
            const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
            _exit(std::fclose(out) == 0 && written ? 0 : 3);
        } catch (...) {
            _exit(4);
        }
    }
    close(ends[1]);
    FILE* in = fdopen(ends[0], "r");
    std::string output;
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, in)) > 0;) {
        output.append(chunk, got);
    }
    std::fclose(in);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return output;
}

bool NetworkNamespace::WriteSysctl(const std::string& key, const std::string& value) const {
    const auto written = RunInside([&] {
        std::ofstream("/proc/sys/" + key) << value << "\n";
        std::string text;
        std::getline(std::ifstream("/proc/sys/" + key), text);
        // Pairs such as the ping group range read back with a tab between them.
        std::ranges::replace(text, '\t', ' ');
        return text;
    });
    return written == value;
}

bool NetworkNamespace::EnterForThisThread() const {
    return JoinNamespace(name_);
}

}  // namespace tessalink::testing
