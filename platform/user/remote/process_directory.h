// Where this user's processes with top-level windows can be reached: each listens on a
// socket named "windows-<process id>" in a "windows" directory under the user's private
// runtime directory. A process that ends without removing its socket leaves a name that
// refuses connections; whoever finds such a name and no process of that id removes it.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace platform::user {

struct PeerProcess {
    pid_t pid = 0;
    std::string socketPath;
};

class ProcessDirectory {
  public:
    // Nothing when the directory cannot be made or is not the user's alone.
    static std::optional<ProcessDirectory> Open();

    const std::string& Path() const { return path_; }
    std::string SocketPathOf(pid_t pid) const;
    // Every other process's socket, lowest process id first.
    std::vector<PeerProcess> Peers() const;

    // Removes the socket of a process that refused a connection, once no process of its
    // id exists: a refusal alone may come from a process still starting up.
    static void RemoveIfEnded(const PeerProcess& peer);

  private:
    explicit ProcessDirectory(std::string path) : path_(std::move(path)) {}

    std::string path_;
};

}  // namespace platform::user
