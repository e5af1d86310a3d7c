// A combo box on a recording parent: the parent keeps the notification codes of every
// WM_COMMAND the combo box sends, in order. The stylus and the keys go through the
// window manager's input sink, as a person's taps do, and are then pumped.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "controls/control_classes.h"
#include "user/dump_content.h"
#include "user/posted_input.h"

namespace tessalink::test {

inline constexpr int kComboId = 1000;

class ComboBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::controls::RegisterSystemControlClasses();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ParentProcedure;
        windowClass.lpszClassName = u"ComboTestParent";
        RegisterClassW(&windowClass);  // fails harmlessly when a previous test registered it
        parent_ = CreateWindowExW(0, u"ComboTestParent", u"parent", WS_VISIBLE, 0, 0, 240, 320,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        codes_ = &codes;
    }

    void TearDown() override {
        DestroyWindow(parent_);
        Pump();
        codes_ = nullptr;
    }

    // A combo box whose dropped height is `droppedHeight` (field and list together).
    HWND CreateCombo(DWORD kind, RECT rect, int droppedHeight) {
        const HWND combo = CreateWindowExW(
            0, u"ComboBox", u"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | kind, rect.left, rect.top,
            rect.right - rect.left, droppedHeight, parent_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)), nullptr, nullptr);
        EXPECT_NE(combo, nullptr);
        return combo;
    }

    static void Add(HWND combo, std::initializer_list<const char16_t*> texts) {
        for (const char16_t* text : texts) {
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    }

    static void Pump() {
        MSG msg{};
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    static void Tap(POINT screen) {
        PostTap(screen);
        Pump();
    }

    static void TapCentre(HWND hwnd) {
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        Tap(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }

    static void Press(UINT key) {
        PostKeyPress(key);
        Pump();
    }

    static HWND DroppedList() { return FindWindowW(u"ComboLBox", nullptr); }

    // Taps row `row` of the dropped list, which shows `rows` rows, left of any scroll bar.
    static void TapListRow(int row, int rows) {
        const HWND list = DroppedList();
        RECT client{};
        GetClientRect(list, &client);
        const int rowHeight = client.bottom / rows;
        POINT at{client.right / 3, row * rowHeight + rowHeight / 2};
        ClientToScreen(list, &at);
        Tap(at);
    }

    static int Selection(HWND combo) {
        return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    }

    std::vector<WORD> Take() { return std::exchange(codes, {}); }

    HWND parent_ = nullptr;
    std::vector<WORD> codes;

  private:
    static LRESULT CALLBACK ParentProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND && LOWORD(wParam) == kComboId && codes_) {
            codes_->push_back(HIWORD(wParam));
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    static inline std::vector<WORD>* codes_ = nullptr;
};

using Codes = std::vector<WORD>;

}  // namespace tessalink::test
