#include "net/host/bounded_command.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace platform::net::host {
namespace {

constexpr std::size_t kLargestOutput = 64 * 1024;

class Pipe {
  public:
    Pipe() {
        if (pipe2(ends_, O_CLOEXEC) != 0) {
            ends_[0] = ends_[1] = -1;
        }
    }
    ~Pipe() {
        CloseWriteEnd();
        if (ends_[0] >= 0) {
            close(ends_[0]);
        }
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    bool IsOpen() const { return ends_[0] >= 0; }
    int ReadEnd() const { return ends_[0]; }
    int WriteEnd() const { return ends_[1]; }
    void CloseWriteEnd() {
        if (ends_[1] >= 0) {
            close(ends_[1]);
            ends_[1] = -1;
        }
    }

  private:
    int ends_[2] = {-1, -1};
};

std::optional<pid_t> Spawn(const std::vector<std::string>& arguments, const Pipe& output) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output.WriteEnd(), STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int error = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        return std::nullopt;
    }
    return child;
}

// Reads until the program closes its output, the deadline passes or it writes too
// much; true when the output is complete.
bool ReadAll(int descriptor, std::chrono::steady_clock::time_point deadline, std::string& output) {
    char chunk[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd ready{descriptor, POLLIN, 0};
        const int polled = poll(&ready, 1, static_cast<int>(left.count()));
        if (polled < 0 && errno == EINTR) {
            continue;
        }
        if (polled <= 0) {
            return false;
        }
        const ssize_t got = read(descriptor, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0;
        }
        output.append(chunk, static_cast<std::size_t>(got));
        if (output.size() > kLargestOutput) {
            return false;
        }
    }
}

// The program's exit status, or nothing when it had to be killed at the deadline
// (one that closed its output may still linger).
std::optional<int> WaitForExit(pid_t child, std::chrono::steady_clock::time_point deadline) {
    int status = 0;
    for (;;) {
        const pid_t waited = waitpid(child, &status, WNOHANG);
        if (waited == child) {
            return status;
        }
        if (waited < 0 && errno != EINTR) {
            return std::nullopt;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(child, SIGKILL);
            while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            return std::nullopt;
        }
        usleep(2000);
    }
}

}  // namespace

std::optional<std::string> RunBoundedCommand(const std::vector<std::string>& arguments,
                                             std::chrono::milliseconds limit) {
    Pipe output;
    if (arguments.empty() || !output.IsOpen()) {
        return std::nullopt;
    }
    const auto child = Spawn(arguments, output);
    output.CloseWriteEnd();
    if (!child) {
        return std::nullopt;
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::string text;
    const bool complete = ReadAll(output.ReadEnd(), deadline, text);
    if (!complete) {
        kill(*child, SIGKILL);
    }
    const std::optional<int> status = WaitForExit(*child, deadline);
    if (!complete || !status || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
        return std::nullopt;
    }
    return text;
}

}  // namespace platform::net::host
