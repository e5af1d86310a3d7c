// The program's main frame made in-process as start-up makes it, from the program's own
// resources with the real controls and shell, for tests that drive the frame or a page.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "shell/MainFrame.h"
#include "shell/MessageLoop.h"
#include "user/window_test.h"

namespace tessalink::test {

class ProgramFrameTest : public WindowTest {
  protected:
    static constexpr int kTabControlId = 101;

    static void SetUpTestSuite();

    // Takes the adapter snapshot on the installed network and makes and shows the frame,
    // on its first page.
    void StartFrame();
    void TearDown() override;

    // Handles the queued messages as the program's loop does, until none is left; the
    // quit message's value when one came.
    std::optional<WPARAM> Pump();
    // What a tap on a tab tells the frame.
    void ChooseTab(int tab);

    MainFrame& FrameObject() { return *frame_; }
    HWND Frame() const { return frameWindow_; }
    HWND Tabs() const { return tabs_; }
    // The page window a tab carries.
    HWND PageWindow(int tab) const;

  private:
    MessageLoop loop_;
    std::unique_ptr<MainFrame> frame_;
    HWND frameWindow_ = nullptr;
    HWND tabs_ = nullptr;
};

}  // namespace tessalink::test
