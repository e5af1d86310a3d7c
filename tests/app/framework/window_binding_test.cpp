// Windows bound to objects: the order in which map rows match, what falls through to
// the base map and to the default procedure, binding from the first message, and a
// window destroyed from inside one of its own nested messages.
#include <string>
#include <vector>

#include "framework/MessageMap.h"
#include "framework_test.h"

namespace tessalink::test {
namespace {

constexpr UINT kRowMessage = WM_USER + 1;
constexpr UINT kBaseMessage = WM_USER + 2;
constexpr UINT kOuterMessage = WM_USER + 3;
constexpr UINT kDestroyMessage = WM_USER + 4;
constexpr int kCommandId = 7;
constexpr int kNotifyId = 9;
constexpr UINT kNotifyCode = 100;

class BaseWindow : public Window {
  public:
    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(kBaseMessage, OnBaseMessage)
    MESSAGE_HANDLER(kRowMessage, OnRowInBase)
    END_MSG_MAP()

    std::vector<std::string> calls;

  private:
    LRESULT OnBaseMessage(WPARAM, LPARAM) {
        calls.push_back("base");
        return 20;
    }
    LRESULT OnRowInBase(WPARAM, LPARAM) {
        calls.push_back("row in base");
        return 21;
    }
};

class MappedWindow : public BaseWindow {
  public:
    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(kRowMessage, OnRow)
    MESSAGE_HANDLER(kRowMessage, OnSameRowAgain)
    COMMAND_ID_HANDLER(kCommandId, OnCommand)
    NOTIFY_HANDLER(kNotifyId, kNotifyCode, OnNotify)
    CHAIN_MSG_MAP(BaseWindow)
    END_MSG_MAP()

    WORD commandCode = 0;
    HWND commandControl = nullptr;
    NMHDR* notification = nullptr;

  private:
    LRESULT OnRow(WPARAM wParam, LPARAM lParam) {
        calls.push_back("row " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 10;
    }
    LRESULT OnSameRowAgain(WPARAM, LPARAM) {
        calls.push_back("same row again");
        return 11;
    }
    LRESULT OnCommand(WORD id, WORD code, HWND control) {
        calls.push_back("command " + std::to_string(id));
        commandCode = code;
        commandControl = control;
        return 0;
    }
    LRESULT OnNotify(int id, UINT code, NMHDR* header) {
        calls.push_back("notify " + std::to_string(id) + " " + std::to_string(code));
        notification = header;
        return 30;
    }
};

// Records every message its map is offered, and handles none.
class RecordingWindow : public Window {
  public:
    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT&) override {
        messages.push_back(message);
        boundWhenOffered = boundWhenOffered && Handle() == hwnd;
        return false;
    }
    void OnFinalMessage(HWND hwnd) override {
        ++finalMessages;
        finalWindow = hwnd;
    }

    std::vector<UINT> messages;
    bool boundWhenOffered = true;
    int finalMessages = 0;
    HWND finalWindow = nullptr;
};

using WindowBindingTest = FrameworkTest;

HWND CreateBound(Window& window) {
    return window.Create(0, kBoundClass, u"bound", WS_POPUP, 0, 26, 240, 294, nullptr, nullptr);
}

TEST_F(WindowBindingTest, RowsMatchInOrderAndTheRestFallsToTheBaseThenTheDefault) {
    MappedWindow window;
    HWND hwnd = CreateBound(window);
    ASSERT_NE(hwnd, nullptr);
    created_.push_back(hwnd);

    // The first of two rows for one message wins, and a row of the derived map hides
    // the base's row for the same message.
    EXPECT_EQ(SendMessageW(hwnd, kRowMessage, 3, 4), 10);
    EXPECT_EQ(SendMessageW(hwnd, kBaseMessage, 0, 0), 20);

    // Commands match on the id whatever the code; the handler gets both and the control.
    EXPECT_EQ(
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(kCommandId, 5), reinterpret_cast<LPARAM>(hwnd)),
        0);
    EXPECT_EQ(window.commandCode, 5);
    EXPECT_EQ(window.commandControl, hwnd);
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(kCommandId + 1, 0), 0);

    // Notifications match on sender id and code together.
    NMHDR header{hwnd, kNotifyId, kNotifyCode};
    EXPECT_EQ(SendMessageW(hwnd, WM_NOTIFY, kNotifyId, reinterpret_cast<LPARAM>(&header)), 30);
    EXPECT_EQ(window.notification, &header);
    NMHDR otherCode{hwnd, kNotifyId, kNotifyCode + 1};
    EXPECT_EQ(SendMessageW(hwnd, WM_NOTIFY, kNotifyId, reinterpret_cast<LPARAM>(&otherCode)), 0);
    NMHDR otherSender{hwnd, kNotifyId + 1, kNotifyCode};
    EXPECT_EQ(SendMessageW(hwnd, WM_NOTIFY, kNotifyId + 1, reinterpret_cast<LPARAM>(&otherSender)),
              0);

    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"row 3 4", "base", "command 7", "notify 9 100"}));

    // A message no map handles gets the default procedure's behaviour.
    ASSERT_TRUE(SetWindowTextW(hwnd, u"changed"));
    WCHAR text[16]{};
    GetWindowTextW(hwnd, text, 16);
    EXPECT_EQ(std::u16string(text), u"changed");
}

TEST_F(WindowBindingTest, AWindowIsItsObjectsFromItsFirstMessageToItsLast) {
    RecordingWindow window;
    EXPECT_EQ(window.Handle(), nullptr);
    HWND hwnd = CreateBound(window);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(window.Handle(), hwnd);
    ASSERT_FALSE(window.messages.empty());
    EXPECT_EQ(window.messages.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(window.messages[1], static_cast<UINT>(WM_CREATE));

    ASSERT_TRUE(DestroyWindow(hwnd));
    EXPECT_EQ(window.messages.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_TRUE(window.boundWhenOffered);
    EXPECT_EQ(window.finalMessages, 1);
    EXPECT_EQ(window.finalWindow, hwnd);
    EXPECT_EQ(window.Handle(), nullptr);

    // A window of the class made without an object stays unbound: it behaves as a
    // default window, and binds to nothing later.
    HWND unbound = CreateWindowExW(0, kBoundClass, u"plain", WS_POPUP, 0, 26, 100, 100, nullptr,
                                   nullptr, Module::Process().InstanceHandle(), nullptr);
    ASSERT_NE(unbound, nullptr);
    created_.push_back(unbound);
    ASSERT_TRUE(SetWindowTextW(unbound, u"still works"));
    WCHAR text[16]{};
    GetWindowTextW(unbound, text, 16);
    EXPECT_EQ(std::u16string(text), u"still works");
    EXPECT_EQ(GetWindowLongPtrW(unbound, GWLP_USERDATA), 0);
}

// What a window that destroys itself saw; kept outside it, since it deletes itself.
struct SelfDestructionReport {
    HWND handleAfterDestroy = reinterpret_cast<HWND>(1);
    int finalMessagesBeforeOuterReturned = -1;
    int finalMessages = 0;
};

class SelfDestroyingWindow : public Window {
  public:
    explicit SelfDestroyingWindow(SelfDestructionReport& report) : report_(report) {}

    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(kOuterMessage, OnOuter)
    MESSAGE_HANDLER(kDestroyMessage, OnDestroyRequest)
    END_MSG_MAP()

  private:
    LRESULT OnOuter(WPARAM, LPARAM) {
        SendMessageW(Handle(), kDestroyMessage, 0, 0);
        // The window is gone, but its object must live until this handler returns.
        report_.handleAfterDestroy = Handle();
        report_.finalMessagesBeforeOuterReturned = report_.finalMessages;
        return outerResult_;
    }
    LRESULT OnDestroyRequest(WPARAM, LPARAM) {
        DestroyWindow(Handle());
        return 0;
    }
    void OnFinalMessage(HWND) override {
        ++report_.finalMessages;
        delete this;
    }

    SelfDestructionReport& report_;
    LRESULT outerResult_ = 55;
};

TEST_F(WindowBindingTest, AWindowDestroyedInsideANestedMessageIsFinishedAfterTheOutermost) {
    SelfDestructionReport report;
    auto* window = new SelfDestroyingWindow(report);
    HWND hwnd = CreateBound(*window);
    ASSERT_NE(hwnd, nullptr);

    EXPECT_EQ(SendMessageW(hwnd, kOuterMessage, 0, 0), 55);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(report.handleAfterDestroy, nullptr);
    EXPECT_EQ(report.finalMessagesBeforeOuterReturned, 0);
    EXPECT_EQ(report.finalMessages, 1);
}

}  // namespace
}  // namespace tessalink::test
