#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>
#include <thread>

extern char** environ;

namespace tessalink::test {
namespace {

struct Pipe {
    int read = -1;
    int write = -1;
};

// Descriptors from 10 up, so that placing them at 0..4 in the child never overwrites
// one that is still to be placed.
int MoveHigh(int fd) {
    const int high = fcntl(fd, F_DUPFD_CLOEXEC, 10);
    close(fd);
    return high;
}

Pipe MakePipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return {};
    }
    return {MoveHigh(fds[0]), MoveHigh(fds[1])};
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

std::vector<std::string> CommandLine(const std::string& program,
                                     std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), program);
    return arguments;
}

// This process's environment without the variables named.
std::vector<char*> EnvironmentWithout(const std::vector<std::string>& names) {
    std::vector<char*> kept;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view variable(*entry);
        const bool removed = std::ranges::any_of(
            names, [&](const std::string& name) { return variable.starts_with(name + "="); });
        if (!removed) {
            kept.push_back(*entry);
        }
    }
    kept.push_back(nullptr);
    return kept;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, std::vector<std::string> arguments)
    : ChildProcess(Options{.arguments = CommandLine(program, std::move(arguments)),
                           .unsetVariables = {},
                           .devtoolsPipe = false,
                           .quiet = false}) {}

ChildProcess::ChildProcess(const Options& options) {
    Pipe in = MakePipe();
    Pipe out = MakePipe();
    Pipe err = MakePipe();
    Pipe toDevtools = options.devtoolsPipe ? MakePipe() : Pipe{};
    Pipe fromDevtools = options.devtoolsPipe ? MakePipe() : Pipe{};
    std::vector<char*> argv;
    for (const std::string& argument : options.arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> environment = EnvironmentWithout(options.unsetVariables);

    // dup2 clears close-on-exec on the copies, which are all the child keeps.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.read, 0);
    if (options.quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, out.write, 1);
        posix_spawn_file_actions_adddup2(&actions, err.write, 2);
    }
    if (options.devtoolsPipe) {
        posix_spawn_file_actions_adddup2(&actions, toDevtools.read, 3);
        posix_spawn_file_actions_adddup2(&actions, fromDevtools.write, 4);
    }
    if (argv.size() < 2 ||
        posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environment.data()) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);

    in_ = in.write;
    out_ = out.read;
    err_ = err.read;
    toDevtools_ = toDevtools.write;
    fromDevtools_ = fromDevtools.read;
    output_ = StreamReader(out_);
    for (int fd : {in.read, out.write, err.write, toDevtools.read, fromDevtools.write}) {
        CloseFd(fd);
    }
    // A child that died must not kill the test with SIGPIPE when written to.
    signal(SIGPIPE, SIG_IGN);
}

ChildProcess::~ChildProcess() {
    Kill();
    for (int* fd : {&in_, &out_, &err_, &toDevtools_, &fromDevtools_}) {
        CloseFd(*fd);
    }
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout) {
    return output_.LineContaining("", timeout);
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool ChildProcess::Write(const std::string& text) {
    return WriteAll(in_, text);
}

void ChildProcess::CloseInput() {
    CloseFd(in_);
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds timeout) {
    if (pid_ <= 0) {
        return std::nullopt;
    }
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (true) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (std::chrono::steady_clock::now() >= end) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void ChildProcess::Signal(int number) {
    if (pid_ > 0) {
        kill(pid_, number);
    }
}

void ChildProcess::Kill() {
    if (pid_ > 0 && !Wait(std::chrono::milliseconds(0))) {
        kill(pid_, SIGKILL);
        Wait(std::chrono::seconds(10));
    }
}

std::optional<std::string> StreamReader::LineContaining(const std::string& needle,
                                                        std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (true) {
        for (auto newline = all_.find('\n', next_); newline != std::string::npos;
             newline = all_.find('\n', next_)) {
            std::string line = all_.substr(next_, newline - next_);
            next_ = newline + 1;
            if (line.find(needle) != std::string::npos) {
                return line;
            }
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        pollfd readable{fd_, POLLIN, 0};
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
            return std::nullopt;
        }
        char chunk[65536];
        const ssize_t got = read(fd_, chunk, sizeof chunk);
        if (got <= 0) {
            return std::nullopt;
        }
        all_.append(chunk, static_cast<std::size_t>(got));
    }
}

}  // namespace tessalink::test
