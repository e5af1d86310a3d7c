// A dialog of the system's own static, edit and button controls: the dialog manager and
// the controls agree on WM_GETDLGCODE, the default button's look and the keys.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/control_classes.h"
#include "dialog_test_fixture.h"

namespace tessalink::test {
namespace {

class SystemControlsDialogTest : public DialogPageTest<103> {
  protected:
    static void SetUpTestSuite() { platform::controls::RegisterSystemControlClasses(); }

    DWORD ButtonType(int id) const {
        return static_cast<DWORD>(GetWindowLongW(Item(id), GWL_STYLE)) & 0xF;
    }
};

TEST_F(SystemControlsDialogTest, TypingTabbingAndTheDefaultButton) {
    const HWND edit = Item(10);
    ASSERT_EQ(GetFocus(), edit);
    Press('A');
    WCHAR text[8]{};
    GetDlgItemTextW(page_, 10, text, 8);
    EXPECT_EQ(std::u16string{text}, u"a") << "other keys reach the focused edit";
    DialogTrace::Instance().Clear();

    // Enter in a single-line edit is the default button's.
    Press(VK_RETURN);
    EXPECT_EQ(DialogTrace::Instance().Take(), std::vector<std::string>{"dlg WM_COMMAND 1 0"});

    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(11));
    Press(VK_TAB);
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(IDCANCEL));
    EXPECT_EQ(ButtonType(IDCANCEL), static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(ButtonType(IDOK), static_cast<DWORD>(BS_PUSHBUTTON));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(ButtonType(IDOK), static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(ButtonType(IDCANCEL), static_cast<DWORD>(BS_PUSHBUTTON));

    EXPECT_TRUE(CheckDlgButton(page_, 11, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(page_, 11), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(SendMessageW(page_, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
}

}  // namespace
}  // namespace tessalink::test
