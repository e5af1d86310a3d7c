// A parent window for control tests: it records every WM_NOTIFY it receives, in order,
// and answers each with what the test's hook returns (0 without a hook), so a test can
// both check the order of notifications and veto a change.
#pragma once

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "user/message_log.h"

namespace tessalink::test {

class NotificationRecorder {
  public:
    NotificationRecorder() {
        RegisterWindowClass(u"NotificationRecorder", Procedure);
        parent_ = CreateWindowExW(0, u"NotificationRecorder", u"parent", WS_VISIBLE, 0, 26, 240,
                                  294, nullptr, nullptr, nullptr, nullptr);
        current_ = this;
    }
    ~NotificationRecorder() {
        DestroyWindow(parent_);
        current_ = nullptr;
    }
    NotificationRecorder(const NotificationRecorder&) = delete;
    NotificationRecorder& operator=(const NotificationRecorder&) = delete;

    HWND parent() const { return parent_; }
    HWND CreateChild(LPCWSTR className, DWORD style, RECT rect, int id) const {
        return CreateWindowExW(0, className, u"", WS_CHILD | WS_VISIBLE | style, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top, parent_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    // The codes received so far, oldest first; Take() also forgets them.
    std::vector<UINT> Take() { return std::exchange(codes_, {}); }

    // Called with each notification after it is recorded; its result is the answer.
    std::function<LRESULT(const NMHDR&)> onNotify;

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NOTIFY && current_ != nullptr) {
            const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
            EXPECT_EQ(wParam, header.idFrom) << "WM_NOTIFY's wParam is the sender's id";
            current_->codes_.push_back(header.code);
            return current_->onNotify ? current_->onNotify(header) : 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    static inline NotificationRecorder* current_ = nullptr;
    HWND parent_ = nullptr;
    std::vector<UINT> codes_;
};

}  // namespace tessalink::test
