// The other process of the cross-process window tests. It makes a frame ("Frame", class
// ProcessTestFrame), a pop-up the frame owns ("About") and an unrelated window ("Other")
// that is active at the start, says "ready" on standard output, and from then on reports
// each activation ("active <title>") and each request to raise the display ("raise").
// It ends when its standard input closes.
#include <windows.h>
#include <winuser.h>

#include <cstdio>
#include <string>
#include <thread>

#include "display/raise_request.h"

namespace {

constexpr UINT_PTR kRaisePollTimer = 1;

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

LRESULT CALLBACK ReportingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
        WCHAR title[64]{};
        GetWindowTextW(hwnd, title, 64);
        // The titles here are ASCII: each unit is its character.
        Say("active " + std::string(title, title + lstrlenW(title)));
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND Make(LPCWSTR className, LPCWSTR title, HWND owner) {
    return CreateWindowExW(0, className, title, WS_POPUP | WS_VISIBLE, 0, 26, 240, 294, owner,
                           nullptr, nullptr, nullptr);
}

}  // namespace

int main() {
    for (const LPCWSTR name : {u"ProcessTestFrame", u"ProcessTestOther"}) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ReportingProc;
        windowClass.lpszClassName = name;
        RegisterClassW(&windowClass);
    }
    const HWND frame = Make(u"ProcessTestFrame", u"Frame", nullptr);
    const HWND about = Make(u"ProcessTestFrame", u"About", frame);
    const HWND other = Make(u"ProcessTestOther", u"Other", nullptr);
    if (!frame || !about || !other) {
        return 1;
    }
    SetActiveWindow(other);
    // Requests to raise the display are taken as a display would, a little later.
    SetTimer(other, kRaisePollTimer, 10, nullptr);
    const DWORD mainThread = GetCurrentThreadId();
    std::thread([mainThread] {
        while (std::getchar() != EOF) {
        }
        PostThreadMessageW(mainThread, WM_QUIT, 0, 0);
    }).detach();
    Say("ready");

    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_TIMER && platform::display::TakeRaiseRequest()) {
            Say("raise");
        }
        DispatchMessageW(&msg);
    }
    DestroyWindow(other);
    DestroyWindow(about);
    DestroyWindow(frame);
    return 0;
}
