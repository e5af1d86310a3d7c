// Tessalink's start-up on a simulated network with three adapters, headless: from the
// moment the process is spawned to the moment its script sees the frame shown, with the
// tabs, the menu bar and the first page (the script's `until` then answers on standard
// output). The process's exit is not counted. Beside it, for scale, the whole run of
// `ip -4 addr show`.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

// A private runtime directory, so that a Tessalink the user runs is never the "other
// instance" the benchmark's copies find.
const std::string& RuntimeDirectory() {
    static const std::string directory = [] {
        char name[] = "/tmp/tessalink-startup-XXXXXX";
        return std::string(mkdtemp(name) ? name : "");
    }();
    return directory;
}

struct Child {
    pid_t pid = -1;
    int input = -1;
    int output = -1;
};

Child Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& extraEnv) {
    int toChild[2];
    int fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0) {
        return {};
    }
    std::vector<std::string> environment = extraEnv;
    for (char** variable = environ; *variable; ++variable) {
        environment.emplace_back(*variable);
    }
    std::vector<char*> envp;
    for (auto& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::vector<std::string> args = arguments;
    std::vector<char*> argv;
    for (auto& argument : args) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, toChild[1]);
    posix_spawn_file_actions_addclose(&actions, fromChild[0]);
    Child child;
    if (posix_spawnp(&child.pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
        child.pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    child.input = toChild[1];
    child.output = fromChild[0];
    return child;
}

// Reads until the child's first line; false when it ends without one. Whole blocks are
// read: the dump is one line of some 13 KB, and a read per byte would put thousands of
// system calls of the benchmark's own into the time measured.
bool ReadLine(int descriptor) {
    char block[4096];
    ssize_t count = 0;
    while ((count = read(descriptor, block, sizeof block)) > 0) {
        if (std::memchr(block, '\n', static_cast<std::size_t>(count))) {
            return true;
        }
    }
    return false;
}

void BM_StartupToFrame(benchmark::State& state) {
    // The tab strip, the menu bar and the Summary page's buttons shown; then a dump,
    // whose line on standard output stops the clock.
    const std::string script =
        "until class=SysTabControl32 visible 10000\n"
        "until class=MenuBar visible 10000\n"
        "until id=1018 visible 10000\n"
        "dump\n";
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Child child = Spawn({TESSALINK_PROGRAM, "--display=headless", "--script", "-",
                             std::string("--network=") + TESSALINK_THREE_ADAPTERS},
                            {"XDG_RUNTIME_DIR=" + RuntimeDirectory()});
        if (child.pid < 0) {
            state.SkipWithError("cannot start tessalink");
            return;
        }
        if (write(child.input, script.data(), script.size()) !=
            static_cast<ssize_t>(script.size())) {
            state.SkipWithError("cannot write the script");
            return;
        }
        const bool shown = ReadLine(child.output);
        const auto shownAt = std::chrono::steady_clock::now();
        close(child.input);
        close(child.output);
        int status = 0;
        waitpid(child.pid, &status, 0);
        if (!shown) {
            state.SkipWithError("tessalink ended before its frame was shown");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(shownAt - start).count());
    }
}
BENCHMARK(BM_StartupToFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_IpAddrShow(benchmark::State& state) {
    for (auto _ : state) {
        Child child = Spawn({"ip", "-4", "addr", "show"}, {});
        close(child.input);
        while (ReadLine(child.output)) {
        }
        close(child.output);
        int status = 0;
        if (child.pid < 0 || waitpid(child.pid, &status, 0) < 0 || status != 0) {
            state.SkipWithError("ip -4 addr show failed");
            return;
        }
    }
}
BENCHMARK(BM_IpAddrShow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
