// Dialogs bound to objects under the common dialog procedure: binding from the first
// message, answers through DWLP_MSGRESULT or directly, and the Pocket PC set-up that
// follows a handled WM_INITDIALOG (full screen, OK button in the navigation bar).
#include "framework/Dialog.h"
#include "framework/MessageMap.h"
#include "framework_test.h"
#include "resources/resource.h"
#include "user/dump_content.h"

namespace tessalink::test {
namespace {

// Smaller than the screen: the common dialog procedure must make it full-screen.
constexpr WORD kSmallDialog = IDD_ABOUTBOX;
constexpr RECT kWorkArea{0, 26, 240, 320};
constexpr UINT kAskMessage = WM_USER + 5;

class TestDialog : public Dialog {
  public:
    explicit TestDialog(bool modal = false) : Dialog(kSmallDialog), modal_(modal) {}

    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_SETFONT, OnSetFont)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_CTLCOLORSTATIC, OnStaticColour)
    COMMAND_ID_HANDLER(IDOK, OnOk)
    MESSAGE_HANDLER(kAskMessage, OnAsk)
    END_MSG_MAP()

    int fontsSeen = 0;
    RECT rectAtInit{};

  private:
    LRESULT OnSetFont(WPARAM, LPARAM) {
        ++fontsSeen;
        return 0;
    }
    LRESULT OnInitDialog(WPARAM, LPARAM) {
        GetWindowRect(Handle(), &rectAtInit);
        if (modal_) {
            PostMessageW(Handle(), WM_COMMAND, IDOK, 0);
        }
        return TRUE;
    }
    LRESULT OnStaticColour(WPARAM, LPARAM) {
        return reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH));
    }
    LRESULT OnOk(WORD, WORD, HWND) {
        EndDialog(Handle(), 42);
        return 0;
    }
    LRESULT OnAsk(WPARAM, LPARAM) { return 77; }

    bool modal_ = false;
};

// Handles nothing, WM_INITDIALOG included.
class SilentDialog : public Dialog {
  public:
    SilentDialog() : Dialog(kSmallDialog) {}
    BEGIN_MSG_MAP()
    END_MSG_MAP()
};

bool FillsTheWorkArea(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return EqualRect(&rect, &kWorkArea);
}

using DialogBindingTest = FrameworkTest;

TEST_F(DialogBindingTest, AModelessDialogIsBoundFromItsFirstMessageAndThenSetUpForTheScreen) {
    TestDialog dialog;
    const HWND hwnd = dialog.Create(CreateTopLevel(u"Frame"));
    ASSERT_NE(hwnd, nullptr);
    created_.push_back(hwnd);
    // The template's font, before WM_INITDIALOG, reached the map although the dialog was
    // made without an initialisation parameter.
    EXPECT_EQ(dialog.fontsSeen, 1);
    // The handler ran on the template's rectangle; the screen set-up came after it.
    EXPECT_FALSE(EqualRect(&dialog.rectAtInit, &kWorkArea));
    EXPECT_TRUE(FillsTheWorkArea(hwnd));
    PumpMessages();
    EXPECT_TRUE(DumpContent(NavigationBar())["okButton"].get<bool>());

    // A handled message's answer travels through the dialog's result word, a colour
    // ask's as the return value.
    EXPECT_EQ(SendMessageW(hwnd, kAskMessage, 0, 0), 77);
    EXPECT_EQ(SendMessageW(hwnd, WM_CTLCOLORSTATIC, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH)));
}

TEST_F(DialogBindingTest, AModalDialogReturnsItsResultAndOnlyAHandledInitIsSetUp) {
    TestDialog modal(true);
    EXPECT_EQ(modal.DoModal(CreateTopLevel(u"Frame")), 42);

    SilentDialog silent;
    const HWND hwnd = silent.Create(CreateTopLevel(u"Frame"));
    ASSERT_NE(hwnd, nullptr);
    created_.push_back(hwnd);
    EXPECT_FALSE(FillsTheWorkArea(hwnd));
}

}  // namespace
}  // namespace tessalink::test
