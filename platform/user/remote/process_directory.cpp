#include "user/remote/process_directory.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <memory>
#include <string_view>

#include "kernel/runtime_directory.h"

namespace platform::user {

namespace {

constexpr std::string_view kSocketPrefix = "windows-";

// The process id in a socket's name, or nothing for any other name.
std::optional<pid_t> PidOfSocketName(std::string_view name) {
    if (!name.starts_with(kSocketPrefix)) {
        return std::nullopt;
    }
    name.remove_prefix(kSocketPrefix.size());
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (error != std::errc{} || end != name.data() + name.size() || pid <= 0) {
        return std::nullopt;
    }
    return pid;
}

}  // namespace

std::optional<ProcessDirectory> ProcessDirectory::Open() {
    const auto runtime = kernel::UserRuntimeDirectory();
    if (!runtime) {
        return std::nullopt;
    }
    const std::string path = *runtime + "/windows";
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        return std::nullopt;
    }
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != geteuid() || (status.st_mode & 077) != 0) {
        return std::nullopt;
    }
    return ProcessDirectory(path);
}

std::string ProcessDirectory::SocketPathOf(pid_t pid) const {
    return path_ + "/" + std::string(kSocketPrefix) + std::to_string(pid);
}

std::vector<PeerProcess> ProcessDirectory::Peers() const {
    std::vector<PeerProcess> peers;
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(path_.c_str()), closedir);
    if (!directory) {
        return peers;
    }
    const pid_t self = getpid();
    while (const dirent* entry = readdir(directory.get())) {
        const auto pid = PidOfSocketName(entry->d_name);
        if (pid && *pid != self) {
            peers.push_back(PeerProcess{*pid, SocketPathOf(*pid)});
        }
    }
    std::ranges::sort(peers, {}, &PeerProcess::pid);
    return peers;
}

void ProcessDirectory::RemoveIfEnded(const PeerProcess& peer) {
    if (kill(peer.pid, 0) != 0 && errno == ESRCH) {
        unlink(peer.socketPath.c_str());
    }
}

}  // namespace platform::user
