// What a ping and a trace cost the engine, beside the system's own tools doing the
// same: 10,000 SendEcho calls to 127.0.0.1 (each with its own ICMP handle and buffers,
// as the engine works) against `ping -f -c 10000 -q 127.0.0.1`, and a TraceWorker run
// through three routers (four hops) against `traceroute -I -n -q 1 -N 1`. The trace
// is timed from its header to its end message: without the fixed 500 ms start pause,
// and without hop names, which the page looks up, not the worker.
//
// Beside them, what each echo pays that a flood ping does not: the ICMP handle opened
// and closed around it, and under the handle the kernel's socket alone.
//
// Run as root, so that the benchmark builds its namespaces and every run happens in
// the source namespace: build/<dir>/bench/diagnostics/echo_trace_bench
// Compare the us_per_echo counters (echoes) and the median real times (traces). On a
// machine whose speed drifts (a virtual one), add --benchmark_enable_random_interleaving=true
// so that the repetitions of the engine and of its yardstick alternate and meet the same
// drift.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "diagnostics/DiagnosticsJob.h"
#include "diagnostics/DiagnosticsProgress.h"
#include "diagnostics/SendEcho.h"
#include "diagnostics/TraceWorker.h"
#include "net/host/icmp_socket.h"
#include "router_chain.h"

// Last: their macros must not meet the standard library's headers.
#include <icmpapi.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kEchoes = 10'000;

// Runs a command with its output discarded; false when it could not run or failed.
bool RunQuietly(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    int status = 0;
    const bool ran = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
                     waitpid(child, &status, 0) == child;
    posix_spawn_file_actions_destroy(&actions);
    return ran && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void ReportPerEcho(benchmark::State& state, Clock::duration elapsed) {
    state.counters["us_per_echo"] =
        std::chrono::duration<double, std::micro>(elapsed).count() / kEchoes;
}

void BM_SendEcho10000(benchmark::State& state) {
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int i = 0; i < kEchoes; ++i) {
            EchoResult result;
            if (!SendEcho(&result, htonl(INADDR_LOOPBACK), 56, 0)) {
                state.SkipWithError("an echo to 127.0.0.1 failed (no ICMP permission?)");
                return;
            }
        }
        ReportPerEcho(state, Clock::now() - start);
    }
}

void BM_PingFlood10000(benchmark::State& state) {
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!RunQuietly({"ping", "-f", "-c", std::to_string(kEchoes), "-q", "127.0.0.1"})) {
            state.SkipWithError("ping -f failed (not installed, or not root)");
            return;
        }
        ReportPerEcho(state, Clock::now() - start);
    }
}

void BM_IcmpHandle10000(benchmark::State& state) {
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int i = 0; i < kEchoes; ++i) {
            const HANDLE handle = IcmpCreateFile();
            if (handle == INVALID_HANDLE_VALUE) {
                state.SkipWithError("no ICMP handle (no ICMP permission?)");
                return;
            }
            IcmpCloseHandle(handle);
        }
        ReportPerEcho(state, Clock::now() - start);
    }
}

void BM_IcmpSocket10000(benchmark::State& state) {
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int i = 0; i < kEchoes; ++i) {
            if (!platform::net::host::IcmpSocket::Open()) {
                state.SkipWithError("no ICMP socket (no ICMP permission?)");
                return;
            }
        }
        ReportPerEcho(state, Clock::now() - start);
    }
}

// Stands in for the page: records when the header and the end message arrive.
struct TraceTimes {
    Clock::time_point header;
    Clock::time_point end;
    int hops = 0;
    bool ended = false;
    bool complete = false;
};

LRESULT CALLBACK TraceWindowProcedure(HWND window, UINT message, WPARAM code, LPARAM record) {
    auto* times = reinterpret_cast<TraceTimes*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_DIAG_PROGRESS || times == nullptr) {
        return DefWindowProcW(window, message, code, record);
    }
    if (code == TRACE_HEADER) {
        times->header = Clock::now();
    } else if (code == TRACE_HOP) {
        ++times->hops;
    } else if (code == TRACE_END) {
        times->end = Clock::now();
        times->ended = true;
        times->complete = reinterpret_cast<const EchoResult*>(record)->failed == 0;
        // GetMessage handles sent messages while it waits for a posted one: give it one.
        PostMessageW(window, WM_NULL, 0, 0);
    }
    return 0;
}

void BM_TraceWorkerFourHops(benchmark::State& state) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = TraceWindowProcedure;
    windowClass.lpszClassName = u"TraceBenchWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, u"TraceBenchWindow", u"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, nullptr, nullptr);
    DiagnosticsJob job;
    job.targetWindow = window;
    job.messageId = WM_DIAG_PROGRESS;
    job.dataSize = 32;
    const std::string destination = RouterChain::DestinationAddress();
    MultiByteToWideChar(CP_ACP, 0, destination.c_str(), -1, job.address, kEchoAddressLength);
    for (auto _ : state) {
        TraceTimes times;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&times));
        HANDLE thread = CreateThread(nullptr, 0, TraceWorker, &job, 0, &job.workerId);
        MSG msg = {};
        while (!times.ended && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            DispatchMessageW(&msg);
        }
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        if (!times.complete || times.hops != RouterChain::kRouters + 1) {
            state.SkipWithError("the trace did not reach the destination in four hops");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(times.end - times.header).count());
    }
    DestroyWindow(window);
}

void BM_Traceroute(benchmark::State& state) {
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!RunQuietly({"traceroute", "-I", "-n", "-q", "1", "-N", "1",
                         RouterChain::DestinationAddress()})) {
            state.SkipWithError("traceroute failed (not installed?)");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // Lives as long as the run; removing it removes every namespace and link.
    std::unique_ptr<RouterChain> chain;
    if (auto reason = tessalink::testing::NetworkNamespace::UnavailableReason()) {
        std::fprintf(stderr, "trace benchmarks skipped: %s\n", reason->c_str());
    } else {
        chain = std::make_unique<RouterChain>();
        // From here on every echo, ping and trace runs inside the source namespace.
        if (!chain->IsBuilt() || !chain->Source().EnterForThisThread()) {
            std::fprintf(stderr, "could not build the chain of router namespaces\n");
            return 1;
        }
        benchmark::RegisterBenchmark("BM_TraceWorkerFourHops", BM_TraceWorkerFourHops)
            ->UseManualTime()
            ->Iterations(1)
            ->Repetitions(5)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_Traceroute", BM_Traceroute)
            ->UseManualTime()
            ->Iterations(1)
            ->Repetitions(5)
            ->Unit(benchmark::kMillisecond);
    }
    for (auto* benchmark :
         {benchmark::RegisterBenchmark("BM_SendEcho10000", BM_SendEcho10000),
          benchmark::RegisterBenchmark("BM_PingFlood10000", BM_PingFlood10000),
          benchmark::RegisterBenchmark("BM_IcmpHandle10000", BM_IcmpHandle10000),
          benchmark::RegisterBenchmark("BM_IcmpSocket10000", BM_IcmpSocket10000)}) {
        benchmark->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
