// A fixture for dialog tests: the recording controls registered, their names in the
// trace set to the ids of the test templates, and every dialog destroyed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "dialog_trace.h"
#include "user/message_log.h"
#include "user/posted_input.h"

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
        RegisterWindowClass(u"DialogTestFrame", DefWindowProcW);
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

// A page of the template given, made in a frame, with its first messages handled and
// keys pressed through the input sink and the dialog's own message handling.
template <int kTemplateId>
class DialogPageTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        frame_ = CreateFrame();
        page_ = CreatePage(frame_, kTemplateId);
        ASSERT_NE(page_, nullptr);
        PumpDialog(page_);
        DialogTrace::Instance().Clear();
    }

    void Press(UINT key) {
        PostKeyPress(key);
        PumpDialog(page_);
    }

    HWND Item(int id) const { return GetDlgItem(page_, id); }

    HWND frame_ = nullptr;
    HWND page_ = nullptr;
};

}  // namespace tessalink::test
