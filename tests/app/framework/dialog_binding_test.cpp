// Dialogs bound to objects under the common dialog procedure: binding from the first
// message, answers through DWLP_MSGRESULT, and the Pocket PC set-up that follows
// a handled WM_INITDIALOG (full screen, OK button in the navigation bar).
#include "framework/Dialog.h"
#include "framework/MessageMap.h"
#include "framework_test.h"

namespace tessalink::test {
namespace {

constexpr WORD kSmallDialog = 200;
constexpr int kNotifyId = 9;
constexpr UINT kNotifyCode = 100;
constexpr POINT kOkButton{228, 13};
constexpr RECT kWorkArea{0, 26, 240, 320};

class TestDialog : public Dialog {
  public:
    explicit TestDialog(WORD templateId, bool modal = false) : Dialog(templateId), modal_(modal) {}

    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_SETFONT, OnSetFont)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_ID_HANDLER(IDOK, OnOk)
    NOTIFY_HANDLER(kNotifyId, kNotifyCode, OnNotify)
    END_MSG_MAP()

    int fontsSeen = 0;
    HWND boundAtInit = nullptr;
    RECT rectAtInit{};
    RECT rectAtOk{};
    int finalMessages = 0;

  private:
    LRESULT OnSetFont(WPARAM, LPARAM) {
        ++fontsSeen;
        return 0;
    }
    LRESULT OnInitDialog(WPARAM, LPARAM) {
        boundAtInit = Handle();
        GetWindowRect(Handle(), &rectAtInit);
        if (modal_) {
            PostMessageW(Handle(), WM_COMMAND, IDOK, 0);
        }
        return TRUE;
    }
    LRESULT OnOk(WORD, WORD, HWND) {
        GetWindowRect(Handle(), &rectAtOk);
        if (modal_) {
            EndDialog(Handle(), 42);
        } else {
            DestroyWindow(Handle());
        }
        return 0;
    }
    LRESULT OnNotify(int, UINT, NMHDR*) { return 77; }
    void OnFinalMessage(HWND) override { ++finalMessages; }

    bool modal_ = false;
};

// Handles nothing, WM_INITDIALOG included.
class SilentDialog : public Dialog {
  public:
    SilentDialog() : Dialog(kSmallDialog) {}
    BEGIN_MSG_MAP()
    END_MSG_MAP()
};

class DialogBindingTest : public FrameworkTest {
  protected:
    HWND Frame() {
        if (!frame_) {
            frame_ = CreateTopLevel(u"Frame");
        }
        return frame_;
    }
    static RECT WindowRect(HWND hwnd) {
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        return rect;
    }

    HWND frame_ = nullptr;
};

TEST_F(DialogBindingTest, AModelessDialogIsBoundAtInitAndThenSetUpForTheScreen) {
    TestDialog dialog(kSmallDialog);
    HWND hwnd = dialog.Create(Frame());
    ASSERT_NE(hwnd, nullptr);
    created_.push_back(hwnd);
    EXPECT_EQ(dialog.Handle(), hwnd);
    EXPECT_EQ(dialog.boundAtInit, hwnd);
    // Bound from its first message: the template's font, before WM_INITDIALOG, reached
    // the map although the dialog was made without an initialisation parameter.
    EXPECT_EQ(dialog.fontsSeen, 1);
    SendMessageW(hwnd, WM_SETFONT, 0, 0);
    EXPECT_EQ(dialog.fontsSeen, 2);

    // The handler ran on the template's rectangle; the screen set-up came after it.
    const RECT atInit = dialog.rectAtInit;
    EXPECT_FALSE(EqualRect(&atInit, &kWorkArea));
    const RECT now = WindowRect(hwnd);
    EXPECT_TRUE(EqualRect(&now, &kWorkArea));
    PumpMessages();
    EXPECT_TRUE(Content(NavigationBar())["okButton"].get<bool>());

    // A handled message's answer travels through the dialog's result word; a message
    // no row handled gets the dialog manager's default.
    NMHDR header{hwnd, kNotifyId, kNotifyCode};
    EXPECT_EQ(SendMessageW(hwnd, WM_NOTIFY, kNotifyId, reinterpret_cast<LPARAM>(&header)), 77);
    NMHDR other{hwnd, kNotifyId, kNotifyCode + 1};
    EXPECT_EQ(SendMessageW(hwnd, WM_NOTIFY, kNotifyId, reinterpret_cast<LPARAM>(&other)), 0);

    // The navigation bar's OK reaches the dialog's map, whose handler destroys it.
    Tap(kOkButton.x, kOkButton.y);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(dialog.finalMessages, 1);
    EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST_F(DialogBindingTest, AModalDialogReturnsItsResultAfterTheSameSetUp) {
    TestDialog dialog(kSmallDialog, true);
    EXPECT_EQ(dialog.DoModal(Frame()), 42);
    const RECT atOk = dialog.rectAtOk;
    EXPECT_TRUE(EqualRect(&atOk, &kWorkArea));
    EXPECT_EQ(dialog.finalMessages, 1);
    EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST_F(DialogBindingTest, OnlyAHandledInitIsFollowedBySetUpAndMissingTemplatesFail) {
    SilentDialog silent;
    HWND hwnd = silent.Create(Frame());
    ASSERT_NE(hwnd, nullptr);
    created_.push_back(hwnd);
    const RECT rect = WindowRect(hwnd);
    EXPECT_FALSE(EqualRect(&rect, &kWorkArea));

    TestDialog missing(999);
    EXPECT_EQ(missing.Create(Frame()), nullptr);
    EXPECT_EQ(missing.DoModal(Frame()), -1);
    EXPECT_EQ(missing.boundAtInit, nullptr);
}

}  // namespace
}  // namespace tessalink::test
