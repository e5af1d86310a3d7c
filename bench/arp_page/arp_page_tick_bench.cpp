// What one tick of the ARP page's timer costs the user-interface thread: read the
// table, keep one adapter's rows and refill the list, with 10,000 neighbours on that
// adapter. The table lives in a namespace this benchmark builds and removes; `ip -4
// neigh show` over the same table is the yardstick. Run as root:
//   build/<dir>/bench/arp_page/arp_page_tick_bench
#include <benchmark/benchmark.h>
#include <commctrl.h>
#include <fcntl.h>
#include <net/if.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "arp/ArpPage.h"
#include "common/AdapterSnapshot.h"
#include "controls/control_classes.h"
#include "framework/Module.h"
#include "net/host/host_backend.h"
#include "net/network_backend.h"
#include "network_namespace.h"
#include "program/MainFrame.h"
#include "shell/shell_start.h"

extern char** environ;

namespace {

using tessalink::testing::NetworkNamespace;

constexpr int kNeighbours = 10'000;
constexpr int kArpTab = 2;
constexpr int kTabControlId = 101;

const NetworkNamespace* network = nullptr;
HWND arpPage = nullptr;

// A veth end with 10,000 permanent neighbours in 10.80.0.0/16, loaded in one batch.
bool AddNeighbours() {
    const std::string batchFile = "/tmp/" + network->Name() + "-neighbours";
    {
        std::ofstream batch(batchFile);
        batch << "link add tl0 type veth peer name tl1\nlink set tl0 up\nlink set tl1 up\n";
        for (int i = 0; i < kNeighbours; ++i) {
            const int high = i / 256;
            const int low = i % 256;
            batch << "neigh add 10.80." << high << '.' << low << " lladdr 02:80:00:00:" << std::hex
                  << high << ':' << low << std::dec << " dev tl0 nud permanent\n";
        }
    }
    const bool added = network->Ip({"-batch", batchFile}).has_value();
    std::remove(batchFile.c_str());
    return added;
}

// The program's frame on this thread with the ARP tab shown and tl0 chosen; the ARP
// page's window, or nullptr.
HWND StartFrameOnTl0(MainFrame& frame) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    Module::Process().Initialize(module);
    LoadStringW(module, IDR_MAINFRAME, MainFrame::ClassName(), MainFrame::kClassNameCapacity);
    platform::controls::RegisterSystemControlClasses();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (!platform::shell::StartShell() || !frame.CreateFrame()) {
        return nullptr;
    }
    const HWND tabs = GetDlgItem(frame.Handle(), kTabControlId);
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    SendMessageW(tabs, TCM_GETITEMW, kArpTab, reinterpret_cast<LPARAM>(&item));
    const HWND page = reinterpret_cast<HWND>(item.lParam);
    SendMessageW(tabs, TCM_SETCURSEL, kArpTab, 0);
    NMHDR selection{tabs, kTabControlId, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(frame.Handle(), WM_NOTIFY, kTabControlId, reinterpret_cast<LPARAM>(&selection));

    const AdapterSnapshot& snapshot = AdapterSnapshot::Instance();
    for (int position = 0; position < snapshot.AdapterCount(); ++position) {
        AdapterRecord* record = snapshot.AdapterAt(position);
        if (record->interfaceIndex == if_nametoindex("tl0")) {
            SendMessageW(page, WM_ADAPTER_SELECTED, 0, reinterpret_cast<LPARAM>(record));
        }
    }
    return page;
}

void BM_ArpPageTimerTick(benchmark::State& state) {
    const HWND list = GetDlgItem(arpPage, IDC_ARP_LIST);
    SendMessageW(arpPage, WM_TIMER, ArpPage::kRefreshTimerId, 0);
    if (SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) != kNeighbours) {
        state.SkipWithError("the page does not list the 10,000 neighbours of tl0");
        return;
    }
    for (auto _ : state) {
        SendMessageW(arpPage, WM_TIMER, ArpPage::kRefreshTimerId, 0);
    }
    state.counters["rows"] = static_cast<double>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

// The process start included, as a user of the command pays it; the listing itself
// goes to /dev/null, so the terminal's cost is left out on both sides.
void BM_IpNeighShow(benchmark::State& state) {
    posix_spawn_file_actions_t toNull;
    posix_spawn_file_actions_init(&toNull);
    posix_spawn_file_actions_addopen(&toNull, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string command = "ip -4 neigh show";
    std::vector<char> words(command.begin(), command.end());
    words.push_back('\0');
    char* argv[] = {&words[0], &words[3], &words[6], &words[12], nullptr};
    for (char& c : words) {
        c = c == ' ' ? '\0' : c;
    }
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (posix_spawnp(&child, argv[0], &toNull, nullptr, argv, environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("ip -4 neigh show failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&toNull);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (auto reason = NetworkNamespace::UnavailableReason()) {
        std::fprintf(stderr, "skipped: %s\n", reason->c_str());
        return 0;
    }
    // Removed, with the veth and its neighbours, when the run ends.
    const NetworkNamespace space;
    network = &space;
    if (!space.IsCreated() || !AddNeighbours() || !space.EnterForThisThread()) {
        std::fprintf(stderr, "could not build the namespace with 10,000 neighbours\n");
        return 1;
    }
    platform::net::InstallBackend(platform::net::MakeHostBackend());
    AdapterSnapshot::Instance().ReadAdapters();
    MessageLoop loop;
    Module::Process().AddMessageLoop(&loop);
    {
        MainFrame frame;
        arpPage = StartFrameOnTl0(frame);
        if (!arpPage) {
            std::fprintf(stderr, "could not make the program's frame\n");
            return 1;
        }
        benchmark::RegisterBenchmark("BM_ArpPageTimerTick", BM_ArpPageTimerTick)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_IpNeighShow", BM_IpNeighShow)
            ->Unit(benchmark::kMillisecond);
        benchmark::RunSpecifiedBenchmarks();
    }
    Module::Process().RemoveMessageLoop();
    benchmark::Shutdown();
    return 0;
}
