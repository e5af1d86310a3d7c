// Windows bound to objects: how map rows match and fall through to the base map, and
// binding from the first message to the end of the outermost one, for a window
// destroyed inside one of its own messages.
#include <algorithm>
#include <string>
#include <vector>

#include "framework/MessageMap.h"
#include "framework_test.h"

namespace tessalink::test {
namespace {

constexpr UINT kRowMessage = WM_USER + 1;
constexpr UINT kBaseMessage = WM_USER + 2;
constexpr UINT kOuterMessage = WM_USER + 3;
constexpr int kCommandId = 7;

class BaseWindow : public Window {
  public:
    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(kBaseMessage, OnBaseMessage)
    END_MSG_MAP()

    std::vector<std::string> calls;

  private:
    LRESULT OnBaseMessage(WPARAM, LPARAM) {
        calls.push_back("base");
        return 20;
    }
};

class MappedWindow : public BaseWindow {
  public:
    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(kRowMessage, OnRow)
    COMMAND_ID_HANDLER(kCommandId, OnCommand)
    CHAIN_MSG_MAP(BaseWindow)
    END_MSG_MAP()

  private:
    LRESULT OnRow(WPARAM wParam, LPARAM lParam) {
        calls.push_back("row " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 10;
    }
    LRESULT OnCommand(WORD id, WORD code, HWND control) {
        calls.push_back("command " + std::to_string(id) + " " + std::to_string(code) +
                        (control == Handle() ? " from itself" : ""));
        return 0;
    }
};

using WindowBindingTest = FrameworkTest;

TEST_F(WindowBindingTest, RowsMatchTheirMessageOrCommandIdAndTheRestFallsToTheBase) {
    MappedWindow window;
    const HWND hwnd = window.Create(0, kBoundClass, u"mapped", WS_POPUP, 0, 26, 240, 294, {}, {});
    ASSERT_NE(hwnd, nullptr);
    created_.push_back(hwnd);
    EXPECT_EQ(SendMessageW(hwnd, kRowMessage, 3, 4), 10);
    EXPECT_EQ(SendMessageW(hwnd, kBaseMessage, 0, 0), 20);
    // Commands match on the id whatever the code.
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(kCommandId, 5), reinterpret_cast<LPARAM>(hwnd));
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(kCommandId + 1, 0), 0);
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"row 3 4", "base", "command 7 5 from itself"}));
}

// Records the messages its map is offered (0 for one offered while unbound) and
// handles one, by destroying itself; deletes itself once finished. What it saw stays
// with the test.
class SelfDestroyingWindow : public Window {
  public:
    SelfDestroyingWindow(std::vector<UINT>& offered, std::vector<std::string>& log)
        : offered_(offered), log_(log) {}

    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT& result) override {
        offered_.push_back(Handle() == hwnd ? message : 0);
        if (message != kOuterMessage) {
            return false;
        }
        DestroyWindow(hwnd);
        // The window is gone, but its object must live until this handler returns.
        log_.push_back(Handle() == nullptr ? "unbound" : "still bound");
        result = 55;
        return true;
    }
    void OnFinalMessage(HWND) override {
        log_.push_back("final");
        delete this;
    }

  private:
    std::vector<UINT>& offered_;
    std::vector<std::string>& log_;
};

TEST_F(WindowBindingTest, AWindowIsItsObjectsFromItsFirstMessageToTheEndOfItsOutermost) {
    std::vector<UINT> offered;
    std::vector<std::string> log;
    auto* window = new SelfDestroyingWindow(offered, log);
    const HWND hwnd = window->Create(0, kBoundClass, u"self", WS_POPUP, 0, 26, 240, 294, {}, {});
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SendMessageW(hwnd, kOuterMessage, 0, 0), 55);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(offered.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(offered.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(std::ranges::count(offered, 0u), 0) << "offered while unbound";
    EXPECT_EQ(log, (std::vector<std::string>{"unbound", "final"}));
}

}  // namespace
}  // namespace tessalink::test
