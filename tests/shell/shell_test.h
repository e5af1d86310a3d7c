// A fixture for the shell's tests: the shell started at a fixed clock, logged windows
// that the test makes and destroys again, taps through the window manager's input, and
// the content the shell's windows report to the automation dump.
#pragma once

#include <aygshell.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>

#include "kernel/time/device_settings.h"
#include "shell/shell_start.h"
#include "shell/shell_windows.h"
#include "support/message_log.h"
#include "user/dump_content.h"
#include "user/posted_input.h"
#include "user/window_test.h"

namespace tessalink::test {

class ShellTest : public WindowTest {
  protected:
    void SetUp() override {
        using namespace std::chrono_literals;
        platform::kernel::DeviceSettings::SetClock(
            platform::kernel::ClockSetting::AtLocalTimeOfDay(9h + 41min));
        ASSERT_TRUE(platform::shell::StartShell());
        WindowTest::SetUp();
    }

    void TearDown() override {
        WindowTest::TearDown();
        platform::kernel::DeviceSettings::Reset();
    }

    // A shown top-level window of the logged parent class, filling the work area.
    HWND CreateTopLevel(LPCWSTR title, DWORD exStyle = 0) {
        HWND window = CreateWindowExW(exStyle, kParentClass, title, WS_POPUP | WS_VISIBLE,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                      nullptr, nullptr, nullptr, nullptr);
        created_.push_back(window);
        PumpMessages();
        return window;
    }

    // Asks the shell for the menu bar `layout` of this executable's resources, with the
    // two pictures of bitmap 201; the bar is then info.hwndMB.
    static BOOL MakeMenuBar(HWND parent, UINT layout, SHMENUBARINFO& info,
                            DWORD size = sizeof(SHMENUBARINFO)) {
        info = SHMENUBARINFO{};
        info.cbSize = size;
        info.hwndParent = parent;
        info.nToolBarId = layout;
        info.hInstRes = GetModuleHandleW(nullptr);
        info.nBmpId = 201;
        info.cBmpImages = 2;
        return SHCreateMenuBar(&info);
    }

    static HWND NavigationBar() {
        return platform::shell::ShellWindows::Instance().NavigationBar();
    }
    static HWND InputPanel() { return platform::shell::ShellWindows::Instance().InputPanel(); }

    static void Tap(int x, int y) {
        PostTap({x, y});
        PumpMessages();
    }

    // The commands (low words of WM_COMMAND's wParam) a window received, in order.
    static std::vector<WORD> CommandsFor(HWND window) {
        std::vector<WORD> commands;
        for (const auto& message : MessageLog::Instance().Messages()) {
            if (message.hwnd == window && message.message == WM_COMMAND) {
                commands.push_back(LOWORD(message.wParam));
            }
        }
        return commands;
    }
};

}  // namespace tessalink::test
