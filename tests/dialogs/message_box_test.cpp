// MessageBoxW: a modal box with the caption as its title, the text and an OK button, that
// any of OK, Enter or Escape closes with IDOK; only the OK box is offered.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "controls/control_classes.h"
#include "user/message_log.h"
#include "user/posted_input.h"

namespace tessalink::test {
namespace {

struct SeenBox {
    std::u16string title;
    std::u16string text;
    bool ownerEnabled = true;
};
SeenBox seen;
HWND owner = nullptr;
UINT closingKey = VK_RETURN;

std::u16string TextOf(HWND window) {
    WCHAR text[128]{};
    GetWindowTextW(window, text, 128);
    return text;
}

// Runs inside the box's own loop: reads what it shows, then closes it with a key.
void CALLBACK InspectAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const HWND box = GetActiveWindow();
    seen.title = TextOf(box);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (TextOf(child) != u"OK") {
            seen.text = TextOf(child);
        }
    }
    seen.ownerEnabled = IsWindowEnabled(owner) != FALSE;
    PostKeyPress(closingKey);
}

class MessageBoxTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { platform::controls::RegisterSystemControlClasses(); }
    void SetUp() override {
        RegisterWindowClass(u"MessageBoxOwner", DefWindowProcW);
        owner = CreateWindowExW(0, u"MessageBoxOwner", u"owner", WS_POPUP | WS_VISIBLE, 0, 26, 240,
                                294, nullptr, nullptr, nullptr, nullptr);
        seen = {};
    }
    void TearDown() override { DestroyWindow(owner); }
};

TEST_F(MessageBoxTest, ShowsCaptionAndTextOverADisabledOwnerUntilClosed) {
    for (const UINT key : {VK_RETURN, VK_ESCAPE}) {
        closingKey = key;
        // The timer ticks only in the box's loop, so the box is up when it does.
        SetTimer(nullptr, 0, 10, InspectAndClose);
        EXPECT_EQ(MessageBoxW(owner, u"Unable to convert address to valid IP address.", u"Error",
                              MB_OK | MB_ICONEXCLAMATION),
                  IDOK)
            << "key " << key;
        EXPECT_EQ(seen.title, u"Error");
        EXPECT_EQ(seen.text, u"Unable to convert address to valid IP address.");
        EXPECT_FALSE(seen.ownerEnabled) << "the owner takes no input while the box is up";
        EXPECT_TRUE(IsWindowEnabled(owner)) << "and gets it back after";
    }
}

TEST_F(MessageBoxTest, OtherButtonsAreRefused) {
    SetLastError(0);
    EXPECT_EQ(MessageBoxW(owner, u"Sure?", u"Question", MB_OKCANCEL), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_TRUE(IsWindowEnabled(owner));
}

}  // namespace
}  // namespace tessalink::test
