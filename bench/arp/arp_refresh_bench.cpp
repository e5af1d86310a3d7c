// What one tick of the ARP page costs with a large table: ArpTable::Refresh and
// FilterByAdapter over 10,000 neighbours, on the host network (inside a namespace
// this benchmark builds and removes) and on a simulated one, with `ip -4 neigh
// show` over the same host table as the yardstick.
//
// Run as root: build/default/bench/arp/arp_refresh_bench
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <net/if.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "arp/ArpTable.h"
#include "net/host/host_backend.h"
#include "net/network_backend.h"
#include "net/sim/sim_backend.h"
#include "network_namespace.h"

extern char** environ;

namespace {

using tessalink::testing::NetworkNamespace;

constexpr int kNeighbours = 10'000;

// The interface the host table's rows are on, once the namespace is entered.
DWORD hostInterfaceIndex = 0;

std::string Octets(int value) {
    return std::to_string(value / 256) + "." + std::to_string(value % 256);
}

std::string HardwareByte(int value) {
    char text[3];
    std::snprintf(text, sizeof text, "%02x", value & 0xFF);
    return text;
}

// One veth with 10,000 permanent neighbours, loaded in one `ip -batch`.
bool BuildHostTable(const NetworkNamespace& network) {
    const std::string batchFile = "/tmp/" + network.Name() + ".batch";
    {
        std::ofstream batch(batchFile);
        batch << "link add tl0 type veth peer name tl1\nlink set tl0 up\nlink set tl1 up\n";
        for (int i = 0; i < kNeighbours; ++i) {
            batch << "neigh add 10.70." << Octets(i)
                  << " lladdr 02:00:00:00:" << HardwareByte(i >> 8) << ":" << HardwareByte(i)
                  << " dev tl0 nud permanent\n";
        }
    }
    const bool loaded = network.Ip({"-batch", batchFile}).has_value();
    std::remove(batchFile.c_str());
    return loaded;
}

void RefreshAndFilter(benchmark::State& state, DWORD interfaceIndex) {
    ArpTable table;
    table.Refresh();
    table.FilterByAdapter(interfaceIndex);
    if (table.ViewCount() != kNeighbours) {
        state.SkipWithError("the table does not hold the 10,000 rows");
        return;
    }
    for (auto _ : state) {
        table.Refresh();
        table.FilterByAdapter(interfaceIndex);
        benchmark::DoNotOptimize(table.ViewCount());
    }
}

void BM_ArpRefreshHost(benchmark::State& state) {
    platform::net::InstallBackend(platform::net::MakeHostBackend());
    RefreshAndFilter(state, hostInterfaceIndex);
}

// `ip -4 neigh show`, printing to /dev/null, for the same table: process start
// included, as a user of the command would pay it.
void BM_IpNeighShow(benchmark::State& state) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    char ip[] = "ip", four[] = "-4", neigh[] = "neigh", show[] = "show";
    char* argv[] = {ip, four, neigh, show, nullptr};
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (posix_spawnp(&child, "ip", &actions, nullptr, argv, environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("ip -4 neigh show failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

void BM_ArpRefreshSimulated(benchmark::State& state) {
    constexpr std::uint32_t kIndex = 2;
    platform::net::sim::Scenario scenario;
    platform::net::sim::SimAdapter adapter;
    adapter.adapter.name = "sim0";
    adapter.adapter.index = kIndex;
    scenario.adapters.push_back(adapter);
    for (int i = 0; i < kNeighbours; ++i) {
        scenario.neighbours.push_back(
            {kIndex,
             {2, 0, 0, 0, static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i)},
             htonl(0x0A460000u + static_cast<std::uint32_t>(i)),
             4});
    }
    platform::net::InstallBackend(std::make_unique<platform::net::sim::SimBackend>(scenario));
    RefreshAndFilter(state, kIndex);
    platform::net::InstallBackend(platform::net::MakeHostBackend());
}

BENCHMARK(BM_ArpRefreshSimulated)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // The namespace lives as long as the run; its destructor removes it and the
    // veth with all 10,000 neighbours.
    std::unique_ptr<NetworkNamespace> network;
    if (auto reason = NetworkNamespace::UnavailableReason()) {
        std::fprintf(stderr, "host benchmarks skipped: %s\n", reason->c_str());
    } else {
        network = std::make_unique<NetworkNamespace>();
        if (!network->IsCreated() || !BuildHostTable(*network) || !network->EnterForThisThread()) {
            std::fprintf(stderr, "could not build the namespace with 10,000 neighbours\n");
            return 1;
        }
        hostInterfaceIndex = if_nametoindex("tl0");
        benchmark::RegisterBenchmark("BM_ArpRefreshHost", BM_ArpRefreshHost)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_IpNeighShow", BM_IpNeighShow)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
