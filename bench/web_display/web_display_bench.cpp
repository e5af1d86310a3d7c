// The browser display's two latencies on loopback, each repetition one sample, so the
// median is read from the aggregates (targets: both under 30 ms):
//   - PaintToCanvas: a FillRect on a window until the browser has drawn the frame;
//   - TapToButtonDown: a mouse press dispatched in the browser until the window's
//     procedure receives WM_LBUTTONDOWN.
//
//   build/default/bench/web_display/web_display_bench   (needs /usr/bin/chromium)
#include <benchmark/benchmark.h>
#include <windows.h>
#include <winuser.h>

#include <atomic>
#include <future>
#include <iostream>
#include <thread>

#include "chromium_session.h"
#include "display/web_display.h"
#include "user/input/input_sink.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

std::atomic<Clock::rep> buttonDownAt{0};

LRESULT CALLBACK TargetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        buttonDownAt = Clock::now().time_since_epoch().count();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A window over the whole screen on a thread of its own, the display serving it, and a
// browser showing the page.
struct Bench {
    std::thread loop;
    DWORD loopThread = 0;
    HWND window = nullptr;
    std::unique_ptr<platform::display::WebDisplay> display;
    std::unique_ptr<ChromiumSession> browser;
    double pageX = 0;
    double pageY = 0;
};

Bench* bench = nullptr;

void PaintToCanvas(benchmark::State& state) {
    std::uint32_t colour = 0;
    for (auto _ : state) {
        const auto frames = bench->browser->Evaluate("tessalinkFrames", 5s);
        const int waiter = bench->browser->EvaluateLater(
            "tessalinkFrameAfter(" + std::to_string(frames ? frames->get<int>() : 0) + ")");
        colour = (colour + 0x102030) & 0xFFFFFF;
        const auto start = Clock::now();
        HDC dc = GetDC(bench->window);
        HBRUSH brush = CreateSolidBrush(colour);
        const RECT area{40, 60, 200, 140};
        FillRect(dc, &area, brush);
        DeleteObject(brush);
        ReleaseDC(bench->window, dc);
        if (!bench->browser->Await(waiter, 5s)) {
            state.SkipWithError("the frame never reached the canvas");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}
BENCHMARK(PaintToCanvas)
    ->Iterations(1)
    ->Repetitions(40)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void TapToButtonDown(benchmark::State& state) {
    for (auto _ : state) {
        buttonDownAt = 0;
        const auto start = Clock::now();
        bench->browser->Click(bench->pageX, bench->pageY);
        const auto deadline = start + 5s;
        while (buttonDownAt == 0 && Clock::now() < deadline) {
            std::this_thread::sleep_for(100us);
        }
        if (buttonDownAt == 0) {
            state.SkipWithError("WM_LBUTTONDOWN never came");
            return;
        }
        const Clock::time_point down{Clock::duration(buttonDownAt.load())};
        state.SetIterationTime(std::chrono::duration<double>(down - start).count());
    }
}
BENCHMARK(TapToButtonDown)
    ->Iterations(1)
    ->Repetitions(40)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

bool SetUp(Bench& setup) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TargetProcedure;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = u"BenchTarget";
    RegisterClassW(&windowClass);
    std::promise<std::pair<HWND, DWORD>> ready;
    setup.loop = std::thread([&ready] {
        HWND window = CreateWindowExW(0, u"BenchTarget", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320,
                                      nullptr, nullptr, nullptr, nullptr);
        ready.set_value({window, GetCurrentThreadId()});
        MSG message{};
        while (GetMessageW(&message, nullptr, 0, 0)) {
            DispatchMessageW(&message);
        }
        DestroyWindow(window);
    });
    std::tie(setup.window, setup.loopThread) = ready.get_future().get();

    platform::display::ListenAddress address;
    address.port = 0;
    setup.display =
        std::make_unique<platform::display::WebDisplay>(platform::display::DisplayOptions{
            .input = {.stylus =
                          [](platform::display::StylusAction action, int x, int y) {
                              platform::user::PostStylus(
                                  action == platform::display::StylusAction::Down
                                      ? platform::user::StylusAction::Down
                                  : action == platform::display::StylusAction::Move
                                      ? platform::user::StylusAction::Move
                                      : platform::user::StylusAction::Up,
                                  x, y);
                          },
                      .key = nullptr,
                      .character = nullptr,
                      .quit_requested = nullptr},
            .listen = address,
            .messages = nullptr});
    std::string error;
    if (!setup.display->Start(error)) {
        std::cerr << "the display does not start: " << error << "\n";
        return false;
    }
    setup.browser = ChromiumSession::Launch(error);
    if (!setup.browser || !setup.browser->Open(setup.display->Url()) ||
        !setup.browser->Evaluate("tessalinkFrameAfter(0)", 10s)) {
        std::cerr << "no browser shows the page: " << error << "\n";
        return false;
    }
    const auto box = setup.browser->Evaluate(
        "(() => { const r = document.getElementById('screen').getBoundingClientRect();"
        " return [r.left + r.width / 2, r.top + r.height / 2]; })()",
        5s);
    if (!box) {
        return false;
    }
    setup.pageX = (*box)[0].get<double>();
    setup.pageY = (*box)[1].get<double>();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Bench setup;
    const bool ready = SetUp(setup);
    if (ready) {
        bench = &setup;
        benchmark::RunSpecifiedBenchmarks();
    }
    setup.browser.reset();
    setup.display.reset();
    if (setup.loop.joinable()) {
        PostThreadMessageW(setup.loopThread, WM_QUIT, 0, 0);
        setup.loop.join();
    }
    benchmark::Shutdown();
    return ready ? 0 : 1;
}
