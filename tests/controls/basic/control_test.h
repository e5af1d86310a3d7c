// A fixture for the control tests: a visible top-level parent that records what its
// controls tell it (WM_COMMAND, WM_NOTIFY, the colour asks) and may answer, input sent
// through the same path as a user's taps and keys, and the headless screen's pixels.
#pragma once

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "controls/control_classes.h"
#include "support/message_log.h"
#include "user/input/input_sink.h"
#include "user/posted_input.h"
#include "user/screen_pixel.h"

namespace tessalink::test {

// One message the parent received from a control: a WM_COMMAND or a WM_CTLCOLOR... ask.
struct ParentMessage {
    UINT message = 0;
    WORD id = 0;
    WORD code = 0;  // WM_COMMAND's notification code
    HWND control = nullptr;

    bool operator==(const ParentMessage&) const = default;
};

inline void PrintTo(const ParentMessage& m, std::ostream* out) {
    *out << std::hex << "{message 0x" << m.message << ", code 0x" << m.code << std::dec << ", id "
         << m.id << "}";
}

class ControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::controls::RegisterSystemControlClasses();
        const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES |
                                                                          ICC_TREEVIEW_CLASSES |
                                                                          ICC_TAB_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&init));
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

    // SendMessageW with a number, a pointer or a handle as lParam.
    template <class T = LPARAM>
    static LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, T lParam = 0) {
        if constexpr (std::is_integral_v<T>) {
            return SendMessageW(window, message, wParam, static_cast<LPARAM>(lParam));
        } else {
            return SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(lParam));
        }
    }

    // Dispatches everything waiting, paints included, keys translated into characters
    // as a program's message loop does.
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

    // The WM_NOTIFY codes received so far, oldest first; forgets them.
    using NotifyCodes = std::vector<UINT>;
    NotifyCodes TakeNotifications() { return std::exchange(notifications_, {}); }

    // The WM_COMMAND notifications received so far, oldest first; forgets everything.
    std::vector<ParentMessage> TakeCommands() {
        std::vector<ParentMessage> commands;
        std::ranges::copy_if(received_, std::back_inserter(commands),
                             [](const ParentMessage& m) { return m.message == WM_COMMAND; });
        received_.clear();
        return commands;
    }
    static ParentMessage Command(HWND control, WORD code) {
        return ParentMessage{WM_COMMAND, static_cast<WORD>(GetDlgCtrlID(control)), code, control};
    }

    // A press and release at client point (x, y), sent straight to the control.
    static void Click(HWND control, int x, int y) {
        SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    static std::u16string WindowText(HWND window) {
        WCHAR text[256] = {};
        GetWindowTextW(window, text, 256);
        return text;
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
    // Called for every WM_NOTIFY once it is recorded; its result is the parent's answer.
    std::function<LRESULT(const NMHDR&)> onNotify;
    // What the parent answers to WM_CTLCOLOR... messages; null leaves them to DefWindowProc.
    HBRUSH colorBrush = nullptr;
    std::vector<ParentMessage> received_;
    HWND parent_ = nullptr;

  private:
    static LRESULT CALLBACK ParentProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        ControlTest* test = current_;
        if (test != nullptr && hwnd == test->parent_ && message == WM_NOTIFY) {
            const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
            EXPECT_EQ(wParam, header.idFrom) << "WM_NOTIFY's wParam is the sender's id";
            test->notifications_.push_back(header.code);
            return test->onNotify ? test->onNotify(header) : 0;
        }
        const bool colour = message >= WM_CTLCOLOREDIT && message <= WM_CTLCOLORSTATIC;
        if (test == nullptr || hwnd != test->parent_ || (message != WM_COMMAND && !colour)) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        const auto control = reinterpret_cast<HWND>(lParam);
        if (colour) {
            test->received_.push_back(ParentMessage{message, 0, 0, control});
            return test->colorBrush ? reinterpret_cast<LRESULT>(test->colorBrush)
                                    : DefWindowProcW(hwnd, message, wParam, lParam);
        }
        const ParentMessage entry{message, LOWORD(wParam), HIWORD(wParam), control};
        test->received_.push_back(entry);
        if (test->onCommand) {
            test->onCommand(entry);
        }
        return 0;
    }

    static inline ControlTest* current_ = nullptr;
    NotifyCodes notifications_;
};

}  // namespace tessalink::test
