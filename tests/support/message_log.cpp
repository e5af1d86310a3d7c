#include "message_log.h"

#include <winuser.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <sstream>

namespace tessalink::test {

namespace {

thread_local int callDepth = 0;

// The procedure of the logged classes: kTestClass has role 0, kParentClass kParent.
template <unsigned kRole>
LRESULT CALLBACK LoggedProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return LogMessage(hwnd, message, wParam, lParam, kRole);
}

template <typename... Named>
std::map<UINT, const char*> NameTable(Named... named) {
    return {named...};
}

// The messages tests expect, by name; the rest print as numbers.
#define NAMED(message) std::pair<const UINT, const char*>(message, #message)
const auto kMessageNames = NameTable(
    NAMED(WM_CREATE), NAMED(WM_DESTROY), NAMED(WM_MOVE), NAMED(WM_SIZE), NAMED(WM_ACTIVATE),
    NAMED(WM_SETFOCUS), NAMED(WM_KILLFOCUS), NAMED(WM_ENABLE), NAMED(WM_SETTEXT), NAMED(WM_GETTEXT),
    NAMED(WM_GETTEXTLENGTH), NAMED(WM_PAINT), NAMED(WM_CLOSE), NAMED(WM_ERASEBKGND),
    NAMED(WM_SHOWWINDOW), NAMED(WM_CANCELMODE), NAMED(WM_WINDOWPOSCHANGING),
    NAMED(WM_WINDOWPOSCHANGED), NAMED(WM_NCCREATE), NAMED(WM_NCDESTROY), NAMED(WM_NCPAINT),
    NAMED(WM_KEYDOWN), NAMED(WM_KEYUP), NAMED(WM_CHAR), NAMED(WM_COMMAND), NAMED(WM_TIMER),
    NAMED(WM_MOUSEMOVE), NAMED(WM_LBUTTONDOWN), NAMED(WM_LBUTTONUP), NAMED(WM_CAPTURECHANGED),
    NAMED(WM_SETFONT), NAMED(WM_INITDIALOG), NAMED(BM_SETSTYLE), NAMED(EM_SETSEL));
#undef NAMED

template <typename Message>
std::string Describe(const Message& m) {
    std::ostringstream text;
    text << MessageName(m.message) << ((m.flags & kPosted) ? " posted" : " sent")
         << ((m.flags & kParent) ? " parent" : "") << " w=" << std::hex << m.wParam
         << " l=" << m.lParam;
    return text.str();
}

bool Matches(const ExpectedMessage& expected, const RecordedMessage& actual) {
    const unsigned kinds = kSent | kPosted | kParent;
    return expected.message == actual.message &&
           (expected.flags & kinds) == (actual.flags & kinds) &&
           (!(expected.flags & kWParam) || expected.wParam == actual.wParam) &&
           (!(expected.flags & kLParam) || expected.lParam == actual.lParam);
}

struct RecordedWindow {
    WNDPROC previous = nullptr;
    std::vector<UINT> messages;
    KeepOfMessage keep = nullptr;
};
// Windows are made and destroyed on the tests' own threads, one at a time.
std::map<HWND, RecordedWindow> recordedWindows;

LRESULT CALLBACK RecordingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const RecordedWindow recorded = recordedWindows[hwnd];
    if (std::find(recorded.messages.begin(), recorded.messages.end(), message) !=
        recorded.messages.end()) {
        MessageLog::Instance().Record(
            hwnd, message, wParam,
            recorded.keep ? recorded.keep(hwnd, message, wParam, lParam) : lParam, 0);
    }
    if (message == WM_NCDESTROY) {
        recordedWindows.erase(hwnd);
    }
    ++callDepth;
    const LRESULT result = CallWindowProcW(recorded.previous, hwnd, message, wParam, lParam);
    --callDepth;
    return result;
}

}  // namespace

MessageLog& MessageLog::Instance() {
    static MessageLog log;
    return log;
}

void MessageLog::Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned role) {
    std::lock_guard lock(mutex_);
    const bool posted = isDispatching_ && callDepth == 0 && dispatching_.hwnd == hwnd &&
                        dispatching_.message == message;
    messages_.push_back({hwnd, message, role | (posted ? kPosted : kSent), wParam, lParam});
}

void MessageLog::Clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
}

std::vector<RecordedMessage> MessageLog::Messages() {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<UINT> MessageLog::MessagesFor(HWND hwnd) {
    std::vector<UINT> result;
    for (const auto& recorded : Messages()) {
        if (recorded.hwnd == hwnd) {
            result.push_back(recorded.message);
        }
    }
    return result;
}

void MessageLog::SetDispatching(const MSG* msg) {
    std::lock_guard lock(mutex_);
    dispatching_ = msg ? *msg : MSG{};
    isDispatching_ = msg != nullptr;
}

void MessageLog::Expect(const std::vector<ExpectedMessage>& expected, const char* file, int line) {
    const std::vector<RecordedMessage> actual = Messages();
    Clear();
    const auto mismatch =
        std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end(), Matches);
    if (mismatch.first == expected.end() && mismatch.second == actual.end()) {
        return;
    }
    std::ostringstream failure;
    failure << "first difference at entry " << (mismatch.first - expected.begin());
    const auto list = [&](const char* title, const auto& messages) {
        failure << "\n" << title << ":";
        for (const auto& m : messages) {
            failure << "\n  " << Describe(m);
        }
    };
    list("expected", expected);
    list("actual", actual);
    ADD_FAILURE_AT(file, line) << failure.str();
}

LRESULT LogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned role) {
    MessageLog::Instance().Record(hwnd, message, wParam, lParam, role);
    ++callDepth;
    const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
    --callDepth;
    return result;
}

void RecordMessages(HWND window, std::vector<UINT> messages, KeepOfMessage keep) {
    RecordedWindow& recorded = recordedWindows[window];
    recorded.messages = std::move(messages);
    recorded.keep = keep;
    if (recorded.previous == nullptr) {
        recorded.previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProcedure)));
    }
}

std::vector<RecordedMessage> RecordedOf(UINT message) {
    std::vector<RecordedMessage> result;
    std::ranges::copy_if(MessageLog::Instance().Messages(), std::back_inserter(result),
                         [&](const auto& recorded) { return recorded.message == message; });
    return result;
}

void RegisterLoggedClasses() {
    RegisterWindowClass(kTestClass, LoggedProcedure<0>);
    RegisterWindowClass(kParentClass, LoggedProcedure<kParent>);
}

void PumpMessages(HWND acceleratorTarget, HACCEL accelerators) {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (accelerators != nullptr &&
            TranslateAcceleratorW(acceleratorTarget, accelerators, &msg)) {
            continue;
        }
        MessageLog::Instance().SetDispatching(&msg);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        MessageLog::Instance().SetDispatching(nullptr);
    }
}

std::string MessageName(UINT message) {
    const auto it = kMessageNames.find(message);
    char number[16];
    std::snprintf(number, sizeof number, "0x%04X", message);
    return it != kMessageNames.end() ? it->second : number;
}

}  // namespace tessalink::test
