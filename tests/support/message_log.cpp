#include "message_log.h"

#include <winuser.h>

#include <cstdio>
#include <map>
#include <sstream>

namespace tessalink::test {

namespace {

thread_local int callDepth = 0;

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return LogMessage(hwnd, message, wParam, lParam, 0);
}

LRESULT CALLBACK ParentWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return LogMessage(hwnd, message, wParam, lParam, kParent);
}

std::string Describe(UINT message, unsigned flags, WPARAM wParam, LPARAM lParam) {
    std::ostringstream text;
    text << MessageName(message) << ((flags & kPosted) ? " posted" : " sent")
         << ((flags & kParent) ? " parent" : "") << " w=" << std::hex << wParam << " l=" << lParam;
    return text.str();
}

bool Matches(const ExpectedMessage& expected, const RecordedMessage& actual) {
    const unsigned kinds = kSent | kPosted | kParent;
    return expected.message == actual.message &&
           (expected.flags & kinds) == (actual.flags & kinds) &&
           (!(expected.flags & kWParam) || expected.wParam == actual.wParam) &&
           (!(expected.flags & kLParam) || expected.lParam == actual.lParam);
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

void MessageLog::BeginDispatch(const MSG& msg) {
    std::lock_guard lock(mutex_);
    dispatching_ = msg;
    isDispatching_ = true;
}

void MessageLog::EndDispatch() {
    std::lock_guard lock(mutex_);
    isDispatching_ = false;
}

void MessageLog::Expect(const std::vector<ExpectedMessage>& expected, const char* file, int line) {
    const std::vector<RecordedMessage> actual = Messages();
    Clear();
    std::size_t e = 0;
    std::size_t a = 0;
    std::ostringstream failure;
    while (e < expected.size()) {
        if (a < actual.size() && Matches(expected[e], actual[a])) {
            ++e;
            ++a;
        } else if (expected[e].flags & kOptional) {
            ++e;
        } else {
            failure << "expected entry " << e << " not matched\n";
            break;
        }
    }
    if (failure.str().empty() && a < actual.size()) {
        failure << "unexpected message at entry " << a << "\n";
    }
    if (failure.str().empty()) {
        return;
    }
    failure << "expected:\n";
    for (const auto& m : expected) {
        failure << "  " << Describe(m.message, m.flags, m.wParam, m.lParam)
                << ((m.flags & kOptional) ? " (optional)" : "") << "\n";
    }
    failure << "actual:\n";
    for (const auto& m : actual) {
        failure << "  " << Describe(m.message, m.flags, m.wParam, m.lParam) << "\n";
    }
    ADD_FAILURE_AT(file, line) << failure.str();
}

LRESULT LogMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned role) {
    MessageLog::Instance().Record(hwnd, message, wParam, lParam, role);
    ++callDepth;
    const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
    --callDepth;
    return result;
}

void RegisterLoggedClasses() {
    RegisterWindowClass(kTestClass, TestWindowProc);
    RegisterWindowClass(kParentClass, ParentWindowProc);
}

void PumpMessages(HWND acceleratorTarget, HACCEL accelerators) {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (accelerators != nullptr &&
            TranslateAcceleratorW(acceleratorTarget, accelerators, &msg)) {
            continue;
        }
        MessageLog::Instance().BeginDispatch(msg);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        MessageLog::Instance().EndDispatch();
    }
}

std::string MessageName(UINT message) {
    static const std::map<UINT, const char*> kNames{
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"},
        {WM_SETTEXT, "WM_SETTEXT"},
        {WM_GETTEXT, "WM_GETTEXT"},
        {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_CANCELMODE, "WM_CANCELMODE"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_NCPAINT, "WM_NCPAINT"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_COMMAND, "WM_COMMAND"},
        {WM_TIMER, "WM_TIMER"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
    };
    const auto it = kNames.find(message);
    if (it != kNames.end()) {
        return it->second;
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", message);
    return buffer;
}

}  // namespace tessalink::test
