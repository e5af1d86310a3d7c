// A fixture for the static, button and edit tests: a visible top-level parent that
// records what its controls tell it, input sent through the same path as a user's taps
// and keys, and the headless screen's pixels.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/control_classes.h"
#include "user/input/input_sink.h"
#include "user/message_log.h"
#include "user/posted_input.h"
#include "user/screen_pixel.h"

namespace tessalink::test {

// One message the parent received from a control.
struct ParentMessage {
    UINT message = 0;
    WORD id = 0;
    WORD code = 0;  // WM_COMMAND's notification code
    HWND control = nullptr;

    bool operator==(const ParentMessage&) const = default;
};

inline void PrintTo(const ParentMessage& entry, std::ostream* out) {
    *out << "{message 0x" << std::hex << entry.message << ", id " << std::dec << entry.id
         << ", code 0x" << std::hex << entry.code << std::dec << "}";
}

class ControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::controls::RegisterSystemControlClasses();
        RegisterWindowClass(u"BasicControlTestParent", ParentProcedure,
                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        current_ = this;
        parent_ = CreateWindowExW(0, u"BasicControlTestParent", u"parent", WS_VISIBLE, 0, 26, 240,
                                  294, nullptr, nullptr, nullptr, nullptr);
        Pump();
        received_.clear();
    }

    void TearDown() override {
        DestroyWindow(parent_);
        Pump();
        current_ = nullptr;
    }

    HWND Child(LPCWSTR className, LPCWSTR text, DWORD style, RECT rect, int id) {
        const HWND child =
            CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, parent_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        Pump();
        return child;
    }

    // Dispatches everything waiting, keys translated into characters as a program's
    // message loop does, paints included.
    static void Pump() {
        MSG msg{};
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    static void Stylus(platform::user::StylusAction action, HWND window, int x, int y) {
        POINT at{x, y};
        ClientToScreen(window, &at);
        platform::user::PostStylus(action, at.x, at.y);
        Pump();
    }

    static void Tap(HWND window, int x, int y) {
        Stylus(platform::user::StylusAction::Down, window, x, y);
        Stylus(platform::user::StylusAction::Up, window, x, y);
    }

    static void Key(UINT key) {
        PostKeyPress(key);
        Pump();
    }

    static void Type(std::u16string_view text) {
        for (const char16_t character : text) {
            platform::user::PostChar(character);
        }
        Pump();
    }

    // The WM_COMMAND notifications received so far, oldest first; forgets them.
    std::vector<ParentMessage> TakeCommands() {
        std::vector<ParentMessage> commands;
        for (const ParentMessage& entry : received_) {
            if (entry.message == WM_COMMAND) {
                commands.push_back(entry);
            }
        }
        received_.clear();
        return commands;
    }

    static ParentMessage Command(HWND control, WORD code) {
        return ParentMessage{WM_COMMAND, static_cast<WORD>(GetDlgCtrlID(control)), code, control};
    }

    static COLORREF Pixel(HWND window, int x, int y) { return ClientPixel(window, {x, y}); }

    // The bounding box, in client coordinates, of the pixels in `area` whose colour is
    // `ink`; empty (right <= left) when there are none.
    static RECT InkBounds(HWND window, RECT area, COLORREF ink) {
        RECT bounds{area.right, area.bottom, area.left, area.top};
        for (LONG y = area.top; y < area.bottom; ++y) {
            for (LONG x = area.left; x < area.right; ++x) {
                if (Pixel(window, x, y) == ink) {
                    bounds = RECT{std::min(bounds.left, x), std::min(bounds.top, y),
                                  std::max(bounds.right, x + 1), std::max(bounds.bottom, y + 1)};
                }
            }
        }
        return bounds;
    }

    // Called for every WM_COMMAND as it arrives, while the control waits for it.
    std::function<void(const ParentMessage&)> onCommand;
    // What the parent answers to WM_CTLCOLOR... messages; null leaves them to DefWindowProc.
    HBRUSH colorBrush = nullptr;
    std::vector<ParentMessage> received_;
    HWND parent_ = nullptr;

  private:
    static LRESULT CALLBACK ParentProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        ControlTest* test = current_;
        if (test == nullptr || hwnd != test->parent_) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        if (message == WM_COMMAND) {
            const ParentMessage entry{message, LOWORD(wParam), HIWORD(wParam),
                                      reinterpret_cast<HWND>(lParam)};
            test->received_.push_back(entry);
            if (test->onCommand) {
                test->onCommand(entry);
            }
            return 0;
        }
        if (message >= WM_CTLCOLOREDIT && message <= WM_CTLCOLORSTATIC) {
            test->received_.push_back(ParentMessage{message, 0, 0, reinterpret_cast<HWND>(lParam)});
            if (test->colorBrush != nullptr) {
                return reinterpret_cast<LRESULT>(test->colorBrush);
            }
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    static inline ControlTest* current_ = nullptr;
};

}  // namespace tessalink::test
