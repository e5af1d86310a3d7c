// A fixture for window tests: registers the logged classes, makes windows that are
// destroyed again after the test, and starts each test with an empty message log.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "support/message_log.h"

namespace tessalink::test {

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterLoggedClasses();
        MessageLog::Instance().Clear();
    }

    void TearDown() override {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
            if (IsWindow(*it)) {
                DestroyWindow(*it);
            }
        }
        PumpMessages();
        MessageLog::Instance().Clear();
    }

    HWND Create(LPCWSTR className, DWORD style, RECT rect = {0, 26, 240, 320},
                HWND parent = nullptr, int id = 0) {
        const HWND hwnd =
            CreateWindowExW(0, className, u"window", style, rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        created_.push_back(hwnd);
        return hwnd;
    }

    std::vector<HWND> created_;
};

}  // namespace tessalink::test
