// The message loop: filters asked from the last added to the first, a consumed message
// neither translated nor dispatched, one idle pass per stretch of real input, and the
// quit message's value as the result.
#include "program/MessageLoop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "user/message_log.h"
#include "user/window_test.h"

namespace tessalink::test {
namespace {

std::vector<std::string> calls;

class RecordingFilter : public MessageFilter {
  public:
    RecordingFilter(std::string name, UINT consumes)
        : name_(std::move(name)), consumes_(consumes) {}
    BOOL PreTranslateMessage(MSG* message) override {
        if (message->message == WM_KEYDOWN || message->message == WM_USER) {
            calls.push_back(name_);
        }
        return message->message == consumes_;
    }

  private:
    std::string name_;
    UINT consumes_;
};

class MessageLoopTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        calls.clear();
        window_ = Create(kTestClass, WS_POPUP);
    }

    bool Received(UINT message) const {
        return std::ranges::count(MessageLog::Instance().MessagesFor(window_), message) > 0;
    }

    HWND window_ = nullptr;
};

TEST_F(MessageLoopTest, FiltersRunNewestFirstAndAConsumedMessageGoesNoFurther) {
    MessageLoop loop;
    RecordingFilter first("first", 0);
    RecordingFilter second("second", WM_KEYDOWN);
    loop.AddMessageFilter(&first);
    loop.AddMessageFilter(&second);

    PostMessageW(window_, WM_KEYDOWN, 'A', 0);
    PostMessageW(window_, WM_USER, 0, 0);
    PostQuitMessage(7);
    EXPECT_EQ(loop.Run(), 7);

    // The key stopped at the newest filter; neither translated into WM_CHAR nor
    // dispatched. The other message passed both filters and was dispatched.
    EXPECT_EQ(calls, (std::vector<std::string>{"second", "second", "first"}));
    EXPECT_FALSE(Received(WM_KEYDOWN));
    EXPECT_FALSE(Received(WM_CHAR));
    EXPECT_TRUE(Received(WM_USER));
}

TEST_F(MessageLoopTest, AMessageThatNoFilterTakesIsTranslatedAndDispatched) {
    MessageLoop loop;
    RecordingFilter passing("passing", 0);
    loop.AddMessageFilter(&passing);
    PostMessageW(window_, WM_KEYDOWN, 'A', 0);
    PostQuitMessage(1);
    EXPECT_EQ(loop.Run(), 1);
    EXPECT_TRUE(Received(WM_KEYDOWN));
    EXPECT_TRUE(Received(WM_CHAR)) << "translated into a character";
}

// Feeds the loop one message at a time from another thread, each a little after the
// previous one was seen, so that the queue runs empty between them; records the messages
// and the idle passes in the order the loop made them.
class PacedFeed : public MessageFilter, public IdleHandler {
  public:
    PacedFeed(HWND window, std::vector<UINT> messages)
        : window_(window), messages_(std::move(messages)) {}

    BOOL PreTranslateMessage(MSG* message) override {
        if (message->hwnd == window_) {
            calls.push_back(std::to_string(message->message));
            PostNextLater();
        }
        return FALSE;
    }
    BOOL OnIdle() override {
        calls.push_back("idle");
        if (next_ == 0) {
            PostNextLater();
        } else if (next_ == messages_.size()) {
            PostQuitMessage(0);
        }
        return FALSE;
    }

  private:
    void PostNextLater() {
        if (next_ == messages_.size()) {
            return;
        }
        const UINT message = messages_[next_++];
        posters_.emplace_back([window = window_, message] {
            Sleep(20);
            PostMessageW(window, message, 0, 0);
        });
    }

    HWND window_;
    std::vector<UINT> messages_;
    std::size_t next_ = 0;
    std::vector<std::jthread> posters_;
};

TEST_F(MessageLoopTest, IdleHandlersRunOncePerStretchOfRealInput) {
    MessageLoop loop;
    PacedFeed feed(window_, {WM_MOUSEMOVE, WM_PAINT, 0x0118, WM_USER});
    loop.AddMessageFilter(&feed);
    loop.AddIdleHandler(&feed);
    loop.Run();
    // Mouse moves, paints and the system timer leave the loop without an idle pass;
    // a real message earns the next one.
    EXPECT_EQ(calls, (std::vector<std::string>{"idle", "512", "15", "280", "1024", "idle"}));
}

}  // namespace
}  // namespace tessalink::test
