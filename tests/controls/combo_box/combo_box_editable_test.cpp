// The editable combo box: its edit child takes the focus and the typing, the combo box
// turns the child's notifications into its own, and a choice from the list replaces
// the typed text without reporting it as the user's edit.
#include <windows.h>

#include <string>

#include "combo_test_fixture.h"

namespace tessalink::test {
namespace {

std::u16string TextOf(HWND hwnd) {
    WCHAR text[64]{};
    GetWindowTextW(hwnd, text, 64);
    return text;
}

TEST_F(ComboBoxTest, EditableKindTypesIntoItsEditAndTakesChoices) {
    const HWND combo = CreateCombo(CBS_DROPDOWN | CBS_AUTOHSCROLL, RECT{10, 40, 160, 60}, 150);
    Add(combo, {u"alpha", u"beta"});
    const HWND edit = GetWindow(combo, GW_CHILD);
    ASSERT_NE(edit, nullptr);
    WCHAR className[16]{};
    GetClassNameW(edit, className, 16);
    EXPECT_EQ(std::u16string(className), u"Edit");

    SetFocus(combo);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Take(), (Codes{CBN_SETFOCUS}));

    platform::user::PostChar(u'x');
    Pump();
    EXPECT_EQ(Take(), (Codes{CBN_EDITUPDATE, CBN_EDITCHANGE}));
    EXPECT_EQ(TextOf(combo), u"x");

    // Only the button drops the list; the field is the edit's.
    RECT button{};
    GetWindowRect(combo, &button);
    Tap(POINT{button.right - 3, (button.top + button.bottom) / 2});
    EXPECT_EQ(Take(), (Codes{CBN_DROPDOWN}));
    ASSERT_NE(DroppedList(), nullptr);
    TapListRow(1, 2);
    EXPECT_EQ(Take(), (Codes{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(TextOf(edit), u"beta");
    EXPECT_EQ(TextOf(combo), u"beta");

    // The arrows work the list from inside the edit; CB_SETCURSEL changes the text quietly.
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(TextOf(edit), u"alpha");
    EXPECT_TRUE(Take().empty());
    Key(VK_DOWN);
    EXPECT_EQ(Take(), (Codes{CBN_SELCHANGE}));
    EXPECT_EQ(TextOf(edit), u"beta");
    EXPECT_EQ(DumpContent(combo)["kind"], "dropDown");

    SetFocus(parent_);
    EXPECT_EQ(Take(), (Codes{CBN_KILLFOCUS}));
}

}  // namespace
}  // namespace tessalink::test
