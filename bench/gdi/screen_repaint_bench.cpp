// A whole window's repaint through a screen context, as a page paints after a tab
// change: the background, twenty lines of text, and a few arrows and separators.
#include "gdi/screen_dc.h"

#include <windows.h>

#include <benchmark/benchmark.h>

#include <string>

namespace {

void FullScreenRepaint(benchmark::State& state) {
    const RECT screen{0, 0, 240, 320};
    HDC dc = platform::gdi::CreateScreenDC(POINT{0, 0}, {screen});
    HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    std::u16string lines[20];
    for (int i = 0; i < 20; ++i) {
        lines[i] = u"Reply from 192.168.1." + std::u16string(1, char16_t(u'0' + i % 10)) +
                   u": bytes=32 time<1ms TTL=64";
    }
    for (auto _ : state) {
        FillRect(dc, &screen, GetSysColorBrush(COLOR_WINDOW));
        for (int i = 0; i < 20; ++i) {
            RECT line{4, 28 + i * 14, 236, 42 + i * 14};
            DrawTextW(dc, lines[i].c_str(), -1, &line, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
        }
        for (int i = 0; i < 4; ++i) {
            const int cx = 220;
            const int cy = 40 + i * 60;
            const POINT arrow[] = {{cx, cy}, {cx - 3, cy - 3}, {cx + 3, cy - 3}, {cx, cy}};
            Polyline(dc, arrow, 4);
            const POINT separator[] = {{0, cy + 20}, {240, cy + 20}};
            Polyline(dc, separator, 2);
        }
    }
    SelectObject(dc, old_font);
    platform::gdi::DeleteScreenDC(dc);
}
BENCHMARK(FullScreenRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
