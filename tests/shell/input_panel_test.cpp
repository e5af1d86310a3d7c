// The input panel: SHSipPreference, the menu bar's panel button, and typing through the
// soft keyboard into the focus window.
#include "shell_test.h"

namespace tessalink::test {
namespace {

// Centres of keys in the panel at (0, 214): rows and columns of 20 pixels.
constexpr POINT KeyAt(int row, int column) {
    return POINT{column * 20 + 10, 214 + row * 20 + 10};
}
constexpr POINT kKeyH = KeyAt(2, 5);
constexpr POINT kKeyI = KeyAt(1, 7);
constexpr POINT kKeyDot = KeyAt(1, 10);
constexpr POINT kKeyOne = KeyAt(0, 0);
constexpr POINT kBackspace = KeyAt(0, 11);
constexpr POINT kShift = KeyAt(3, 0);
constexpr POINT kEnter = KeyAt(2, 11);

class InputPanelTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        window_ = CreateTopLevel(u"Frame");
        SHSipPreference(window_, SIP_FORCEDOWN);
    }

    bool PanelUp() { return IsWindowVisible(InputPanel()); }

    void TapKey(POINT key) { Tap(key.x, key.y); }

    HWND window_ = nullptr;
};

TEST_F(InputPanelTest, PreferencesAndTheMenuBarButtonRaiseAndLowerThePanel) {
    ASSERT_TRUE(SHSipPreference(window_, SIP_UP));
    EXPECT_TRUE(PanelUp());
    EXPECT_EQ(DumpContent(InputPanel())["inputPanel"], "up");

    // Focus moving between two text boxes: down, then up again before the queue empties.
    SHSipPreference(window_, SIP_DOWN);
    SHSipPreference(window_, SIP_UP);
    PumpMessages();
    EXPECT_TRUE(PanelUp());

    SHSipPreference(window_, SIP_DOWN);
    EXPECT_TRUE(PanelUp()) << "SIP_DOWN waits for the queued messages";
    PumpMessages();
    EXPECT_FALSE(PanelUp());
    EXPECT_EQ(DumpContent(InputPanel())["inputPanel"], "down");

    SHSipPreference(window_, SIP_UP);
    SHSipPreference(window_, SIP_FORCEDOWN);
    EXPECT_FALSE(PanelUp());

    SHSipPreference(window_, SIP_UP);
    SHINITDLGINFO init{SHIDIM_FLAGS, window_, SHIDIF_SIPDOWN};
    ASSERT_TRUE(SHInitDialog(&init));
    EXPECT_FALSE(PanelUp());

    // The menu bar's panel button raises and lowers it.
    SHMENUBARINFO info{};
    ASSERT_TRUE(MakeMenuBar(window_, 128, info));
    PumpMessages();
    Tap(230, 307);
    EXPECT_TRUE(PanelUp());
    Tap(230, 307);
    EXPECT_FALSE(PanelUp());

    SetLastError(0);
    EXPECT_FALSE(SHSipPreference(window_, 7));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(SHSipPreference(nullptr, SIP_UP));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(InputPanelTest, KeysTypeIntoTheFocusWindow) {
    HWND edit = CreateWindowExW(0, kTestClass, u"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, window_,
                                nullptr, nullptr, nullptr);
    created_.push_back(edit);
    SetFocus(edit);
    SHSipPreference(window_, SIP_UP);
    PumpMessages();
    MessageLog::Instance().Clear();

    TapKey(kKeyH);
    EXPECT_MESSAGES({{WM_KEYDOWN, kPosted | kWParam, 'H'},
                     {WM_CHAR, kPosted | kWParam, u'h'},
                     {WM_KEYUP, kPosted | kWParam, 'H'}});
    EXPECT_EQ(GetFocus(), edit) << "a tap on the panel leaves the focus where it was";

    // Shift holds for one key; punctuation arrives as the character alone.
    MessageLog::Instance().Clear();
    TapKey(kShift);
    EXPECT_TRUE(DumpContent(InputPanel())["shift"].get<bool>());
    TapKey(kKeyI);
    TapKey(kKeyI);
    TapKey(kKeyDot);
    TapKey(kShift);
    TapKey(kKeyOne);
    std::u16string typed;
    for (const auto& message : MessageLog::Instance().Messages()) {
        if (message.hwnd == edit && message.message == WM_CHAR) {
            typed += static_cast<char16_t>(message.wParam);
        }
    }
    EXPECT_EQ(typed, u"Ii.!");

    MessageLog::Instance().Clear();
    TapKey(kBackspace);
    TapKey(kEnter);
    EXPECT_MESSAGES({{WM_KEYDOWN, kPosted | kWParam, VK_BACK},
                     {WM_CHAR, kPosted | kWParam, u'\b'},
                     {WM_KEYUP, kPosted | kWParam, VK_BACK},
                     {WM_KEYDOWN, kPosted | kWParam, VK_RETURN},
                     {WM_CHAR, kPosted | kWParam, u'\r'},
                     {WM_KEYUP, kPosted | kWParam, VK_RETURN}});
}

}  // namespace
}  // namespace tessalink::test
