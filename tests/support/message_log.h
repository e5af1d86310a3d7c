// Records the messages test windows receive and compares them with an expected sequence,
// entry by entry, printing both on a mismatch with the caller's file and line.
//
// Windows of the classes RegisterLoggedClasses() makes record every message: kTestClass
// as the window under test, kParentClass with the Parent flag. A message counts as posted
// when PumpMessages() dispatched it, as sent otherwise. Reusable by the dialog and control
// tests: give their window procedures LogMessage() and the same expectations.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

namespace tessalink::test {

enum MessageFlags : unsigned {
    kSent = 1u << 0,
    kPosted = 1u << 1,
    kParent = 1u << 2,
    kWParam = 1u << 3,  // wParam must match
    kLParam = 1u << 4,  // lParam must match
};

// One entry of an expected sequence, written {WM_SIZE, kSent | kWParam, SIZE_RESTORED} or,
// where a sequence is long, Sent(WM_SIZE).WParam(SIZE_RESTORED).
struct ExpectedMessage {
    UINT message = 0;
    unsigned flags = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;

    ExpectedMessage WParam(WPARAM value) const { return {message, flags | kWParam, value, lParam}; }
    ExpectedMessage LParam(LPARAM value) const { return {message, flags | kLParam, wParam, value}; }
    ExpectedMessage ToParent() const { return {message, flags | kParent, wParam, lParam}; }
};

inline ExpectedMessage Sent(UINT message) {
    return {message, kSent};
}
inline ExpectedMessage Posted(UINT message) {
    return {message, kPosted};
}

struct RecordedMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    unsigned flags = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

inline constexpr const WCHAR* kTestClass = u"LoggedTestWindow";
inline constexpr const WCHAR* kParentClass = u"LoggedParentWindow";

class MessageLog {
  public:
    static MessageLog& Instance();

    void Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned role);
    void Clear();
    std::vector<RecordedMessage> Messages();
    // Messages recorded for one window only, in order.
    std::vector<UINT> MessagesFor(HWND hwnd);

    void Expect(const std::vector<ExpectedMessage>& expected, const char* file, int line);

    // Marks the message PumpMessages() is dispatching (null when done), so that its
    // arrival counts as posted.
    void SetDispatching(const MSG* msg);

  private:
    std::mutex mutex_;
    std::vector<RecordedMessage> messages_;
    MSG dispatching_{};
    bool isDispatching_ = false;
};

// Records the message for the window under test (role 0) or its parent (kParent), then
// lets DefWindowProcW handle it.
LRESULT LogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned role);
void RegisterLoggedClasses();
// Registers a class of a name, a procedure and a background; returns its atom, or 0
// when the name is taken (as it is when an earlier test registered it).
inline ATOM RegisterWindowClass(LPCWSTR name, WNDPROC procedure, HBRUSH background = nullptr) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass);
}
// Subclasses `window` so that each of `messages` it receives is recorded, then handled
// as before; until the window is destroyed. `keep`, when given, says what to record
// in place of lParam, for a message whose lParam does not outlive it (it is called
// while the sender waits).
using KeepOfMessage = LPARAM (*)(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void RecordMessages(HWND window, std::vector<UINT> messages, KeepOfMessage keep = nullptr);
// The messages recorded of one kind, in order.
std::vector<RecordedMessage> RecordedOf(UINT message);
// Dispatches every message waiting for the thread, including WM_PAINT and due timers.
// Given an accelerator table, translates through it first, as a program's loop does.
void PumpMessages(HWND acceleratorTarget = nullptr, HACCEL accelerators = nullptr);
std::string MessageName(UINT message);

}  // namespace tessalink::test

#define EXPECT_MESSAGES(...) \
    ::tessalink::test::MessageLog::Instance().Expect(__VA_ARGS__, __FILE__, __LINE__)
