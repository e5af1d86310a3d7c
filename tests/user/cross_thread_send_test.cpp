// SendMessageW across threads: the sender waits, the receiver handles the message inside
// its own message calls, and nothing deadlocks or waits for a thread that is gone.
#include <windows.h>
#include <winuser.h>

#include <atomic>
#include <future>
#include <latch>
#include <thread>

#include "window_test.h"

namespace tessalink::test {
namespace {

std::atomic<DWORD> handlerThread{0};
std::atomic<bool> handlerSawInSend{false};
std::atomic<HWND> peerWindow{nullptr};

// WM_USER: answers 42 slowly. WM_USER + 1: asks the peer window (on the other thread)
// and answers its reply plus one. WM_USER + 2: answers 7.
LRESULT CALLBACK ServerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_USER:
            handlerThread = GetCurrentThreadId();
            handlerSawInSend = InSendMessage();
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            return 42;
        case WM_USER + 1:
            return SendMessageW(peerWindow, WM_USER + 2, 0, 0) + 1;
        case WM_USER + 2:
            return 7;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// A window of the Server class on the calling thread.
HWND ServerWindow() {
    return CreateWindowExW(0, u"Server", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                           nullptr);
}

class CrossThreadSendTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        RegisterWindowClass(u"Server", ServerProc);
    }

    // Runs a thread with a window of the Server class and a message loop until WM_QUIT;
    // without the loop, it lingers a little, so that a send reaches it, and ends.
    struct ServerThread {
        std::promise<std::pair<HWND, DWORD>> ready;
        std::thread thread;

        explicit ServerThread(bool pump = true) {
            thread = std::thread([this, pump] {
                const HWND hwnd = ServerWindow();
                ready.set_value({hwnd, GetCurrentThreadId()});
                MSG msg{};
                while (pump && GetMessageW(&msg, nullptr, 0, 0)) {
                    DispatchMessageW(&msg);
                }
                if (pump) {
                    DestroyWindow(hwnd);
                } else {
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                }
            });
        }
        ~ServerThread() { thread.join(); }
    };
};

TEST_F(CrossThreadSendTest, SenderWaitsWhileTheReceiverHandlesItInsideGetMessage) {
    ServerThread server;
    const auto [hwnd, threadId] = server.ready.get_future().get();
    EXPECT_EQ(SendMessageW(hwnd, WM_USER, 0, 0), 42);
    EXPECT_EQ(handlerThread.load(), threadId);
    EXPECT_TRUE(handlerSawInSend.load());
    EXPECT_FALSE(InSendMessage());
    PostThreadMessageW(threadId, WM_QUIT, 0, 0);
}

TEST_F(CrossThreadSendTest, ReceiverThatSendsBackIsAnsweredWhileTheFirstSenderWaits) {
    ServerThread server;
    const auto [hwnd, threadId] = server.ready.get_future().get();
    peerWindow = ServerWindow();
    created_.push_back(peerWindow);
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 1, 0, 0), 8);

    // Both threads send to each other at the same moment.
    std::latch both(2);
    std::atomic<LRESULT> serverResult{0};
    std::thread other([&] {
        both.arrive_and_wait();
        serverResult = SendMessageW(peerWindow, WM_USER + 2, 0, 0);
    });
    both.arrive_and_wait();
    const LRESULT mine = SendMessageW(hwnd, WM_USER + 1, 0, 0);
    // The other thread's send is answered while this one waits or in this loop.
    MSG msg{};
    while (serverResult == 0) {
        PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
    }
    other.join();
    EXPECT_EQ(mine, 8);
    EXPECT_EQ(serverResult.load(), 7);
    PostThreadMessageW(threadId, WM_QUIT, 0, 0);
}

// A window whose thread ended without destroying it has nobody left to answer for it.
TEST_F(CrossThreadSendTest, SendsToWindowsOfFinishedThreadsReturnZeroAtOnce) {
    HWND orphan = nullptr;
    std::thread([&] { orphan = ServerWindow(); }).join();
    EXPECT_EQ(SendMessageW(orphan, WM_USER, 0, 0), 0);

    // A thread that ends with a send waiting for it, untaken, releases the sender.
    ServerThread idle(false);
    const HWND idleWindow = idle.ready.get_future().get().first;
    EXPECT_EQ(SendMessageW(idleWindow, WM_USER, 0, 0), 0);
}

}  // namespace
}  // namespace tessalink::test
