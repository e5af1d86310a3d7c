// Windows bound to objects, from the first message to the end of the outermost one, for
// a window destroyed inside one of its own messages. How map rows match and chain to a
// base map is the pages' to show.
#include <algorithm>
#include <string>
#include <vector>

#include "framework_test.h"

namespace tessalink::test {
namespace {

constexpr UINT kOuterMessage = WM_USER + 3;

// What the window's map was offered (0 for a message offered while unbound), and what it
// saw of its binding; the object outlives the test's reach, so these are the test's.
std::vector<UINT> offered;
std::vector<std::string> seen;

// Handles one message, by destroying itself; deletes itself once finished.
class SelfDestroyingWindow : public Window {
  public:
    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT& result) override {
        offered.push_back(Handle() == hwnd ? message : 0);
        if (message != kOuterMessage) {
            return false;
        }
        DestroyWindow(hwnd);
        // The window is gone, but its object must live until this handler returns.
        seen.push_back(Handle() == nullptr ? "unbound" : "still bound");
        result = 55;
        return true;
    }
    void OnFinalMessage(HWND) override {
        seen.push_back("final");
        delete this;
    }
};

using WindowBindingTest = FrameworkTest;

TEST_F(WindowBindingTest, AWindowIsItsObjectsFromItsFirstMessageToTheEndOfItsOutermost) {
    auto* window = new SelfDestroyingWindow;
    const HWND hwnd = window->Create(0, kBoundClass, u"self", WS_POPUP, 0, 26, 240, 294, {}, {});
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(SendMessageW(hwnd, kOuterMessage, 0, 0), 55);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(offered.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(offered.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(std::ranges::count(offered, 0u), 0) << "offered while unbound";
    EXPECT_EQ(seen, (std::vector<std::string>{"unbound", "final"}));
}

}  // namespace
}  // namespace tessalink::test
