// The message loop: filters asked from the last added to the first, a consumed message
// neither translated nor dispatched, one idle pass per stretch of real input, and the
// quit message's value as the result.
#include "program/MessageLoop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "support/message_log.h"
#include "user/window_test.h"

namespace tessalink::test {
namespace {

std::vector<std::string> loopCalls;

// Names itself and the key for every key it is offered; one of them consumes 'A'.
class KeyFilter : public MessageFilter {
  public:
    KeyFilter(std::string name, bool consumesA) : name_(std::move(name)), consumesA_(consumesA) {}
    BOOL PreTranslateMessage(MSG* message) override {
        if (message->message == WM_KEYDOWN) {
            loopCalls.push_back(name_ + " " + std::to_string(message->wParam));
        }
        return consumesA_ && message->message == WM_KEYDOWN && message->wParam == 'A';
    }

  private:
    std::string name_;
    bool consumesA_;
};

// Records the messages for its window and the idle passes; the first pass starts a
// thread that posts the messages 20 ms apart, so that the queue runs empty between
// them, and the second ends the loop.
class PacedFeed : public MessageFilter, public IdleHandler {
  public:
    explicit PacedFeed(HWND window) : window_(window) {}
    BOOL PreTranslateMessage(MSG* message) override {
        if (message->hwnd == window_) {
            loopCalls.push_back(std::to_string(message->message));
        }
        return FALSE;
    }
    BOOL OnIdle() override {
        loopCalls.push_back("idle");
        if (poster_.joinable()) {
            PostQuitMessage(0);
        } else {
            poster_ = std::jthread([window = window_] {
                for (UINT message :
                     std::initializer_list<UINT>{WM_MOUSEMOVE, WM_PAINT, 0x0118, WM_USER}) {
                    Sleep(20);
                    PostMessageW(window, message, 0, 0);
                }
            });
        }
        return FALSE;
    }

  private:
    HWND window_;
    std::jthread poster_;
};

class MessageLoopTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        loopCalls.clear();
        window_ = Create(kTestClass, WS_POPUP);
    }

    HWND window_ = nullptr;
    MessageLoop loop_;
};

TEST_F(MessageLoopTest, FiltersRunNewestFirstAndAConsumedMessageGoesNoFurther) {
    KeyFilter first("first", false);
    KeyFilter second("second", true);
    loop_.AddMessageFilter(&first);
    loop_.AddMessageFilter(&second);
    PostMessageW(window_, WM_KEYDOWN, 'A', 0);
    PostMessageW(window_, WM_KEYDOWN, 'B', 0);
    PostQuitMessage(7);
    EXPECT_EQ(loop_.Run(), 7);
    EXPECT_EQ(loopCalls, (std::vector<std::string>{"second 65", "second 66", "first 66"}));
    // Only 'B' went on, translated into a character and dispatched.
    const std::vector<UINT> received = MessageLog::Instance().MessagesFor(window_);
    EXPECT_EQ(std::ranges::count(received, WM_KEYDOWN), 1);
    EXPECT_EQ(std::ranges::count(received, WM_CHAR), 1);
}

TEST_F(MessageLoopTest, IdleHandlersRunOncePerStretchOfRealInput) {
    PacedFeed feed(window_);
    loop_.AddMessageFilter(&feed);
    loop_.AddIdleHandler(&feed);
    loop_.Run();
    // Mouse moves, paints and the system timer leave the loop without an idle pass;
    // a real message earns the next one.
    EXPECT_EQ(loopCalls, (std::vector<std::string>{"idle", "512", "15", "280", "1024", "idle"}));
}

}  // namespace
}  // namespace tessalink::test
