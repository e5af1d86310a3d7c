// The message system's costs: a SendMessageW that crosses threads and comes back, and a
// burst of 10,000 posted messages taken and dispatched by one loop.
//
//   build/default/bench/user/user_message_bench --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>
#include <windows.h>
#include <winuser.h>

#include <future>
#include <thread>

namespace {

LRESULT CALLBACK CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) {
        return static_cast<LRESULT>(wParam) + 1;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterCountingClass() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.lpszClassName = u"BenchCounting";
    RegisterClassW(&windowClass);
}

HWND CreateCountingWindow() {
    return CreateWindowExW(0, u"BenchCounting", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                           nullptr, nullptr);
}

void CrossThreadSendRoundTrip(benchmark::State& state) {
    RegisterCountingClass();
    std::promise<std::pair<HWND, DWORD>> ready;
    std::thread receiver([&] {
        const HWND hwnd = CreateCountingWindow();
        ready.set_value({hwnd, GetCurrentThreadId()});
        MSG msg{};
        while (GetMessageW(&msg, nullptr, 0, 0)) {
            DispatchMessageW(&msg);
        }
        DestroyWindow(hwnd);
    });
    const auto [hwnd, threadId] = ready.get_future().get();
    WPARAM value = 0;
    for (auto _ : state) {
        value = static_cast<WPARAM>(SendMessageW(hwnd, WM_USER, value, 0));
    }
    benchmark::DoNotOptimize(value);
    PostThreadMessageW(threadId, WM_QUIT, 0, 0);
    receiver.join();
}
BENCHMARK(CrossThreadSendRoundTrip)->UseRealTime();

void PostAndDispatchTenThousand(benchmark::State& state) {
    RegisterCountingClass();
    const HWND hwnd = CreateCountingWindow();
    constexpr int kMessages = 10000;
    for (auto _ : state) {
        for (int i = 0; i < kMessages; ++i) {
            PostMessageW(hwnd, WM_USER, static_cast<WPARAM>(i), 0);
        }
        MSG msg{};
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
    }
    state.SetItemsProcessed(state.iterations() * kMessages);
    DestroyWindow(hwnd);
}
BENCHMARK(PostAndDispatchTenThousand)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
