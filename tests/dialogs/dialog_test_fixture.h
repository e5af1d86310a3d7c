// A fixture for dialog tests: the recording controls registered, their names in the
// trace set to the ids of the test templates, and every dialog destroyed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "dialog_trace.h"

namespace tessalink::test {

class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterTestControls();
        SetInitDialogAnswer(TRUE);
        auto& trace = DialogTrace::Instance();
        trace.Name(0xFFFF, "label");
        trace.Name(10, "edit");
        trace.Name(11, "one");
        trace.Name(12, "two");
        trace.Name(13, "three");
        trace.Name(IDOK, "ok");
        trace.Name(IDCANCEL, "cancel");
        trace.Clear();
    }

    void TearDown() override {
        for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
            if (IsWindow(*it)) {
                DestroyWindow(*it);
            }
        }
        PumpDialog(nullptr);
        DialogTrace::Instance().Clear();
    }

    // A plain top-level window to hold child dialogs or own modal ones.
    HWND CreateFrame() {
        WNDCLASSW frameClass{};
        frameClass.lpfnWndProc = DefWindowProcW;
        frameClass.lpszClassName = u"DialogTestFrame";
        RegisterClassW(&frameClass);
        const HWND frame = CreateWindowExW(0, u"DialogTestFrame", u"frame", WS_VISIBLE,
                                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
        windows_.push_back(frame);
        return frame;
    }

    HWND CreatePage(HWND parent, int templateId = 100) {
        const HWND page = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(templateId), parent,
                                             RecordingDialogProc, 0);
        windows_.push_back(page);
        return page;
    }

    std::vector<HWND> windows_;
};

}  // namespace tessalink::test
