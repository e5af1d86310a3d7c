// The program's main frame made in-process as start-up makes it, from the program's own
// resources with the real controls and shell, for tests that drive the frame or a page.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "program/MainFrame.h"
#include "program/MessageLoop.h"
#include "user/window_test.h"

namespace tessalink::test {

// A message as a recorded window received it.
struct ReceivedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class ProgramFrameTest : public WindowTest {
  public:
    // Subclasses `window` to record, in order, each of `messages` that it receives; the
    // record starts empty with each frame.
    static void Record(HWND window, std::vector<UINT> messages);
    static std::vector<ReceivedMessage>& Recorded();
    // What a page's relays are: the two adapter notifications.
    static std::vector<UINT> Relays();

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
