// The combo box: its list by message, what the user's taps and keys send the parent, in
// Windows' order (the program's own CB_SETCURSEL never notifies), where the list drops and
// how it follows the selection, and the editable kind's edit child.
#include <windows.h>

#include <string>
#include <vector>

#include "controls/basic/control_test.h"
#include "user/dump_content.h"

namespace tessalink::test {
namespace {

constexpr RECT kComboRect{10, 40, 160, 60};
using CommandCodes = std::vector<WORD>;

class ComboBoxTest : public ControlTest {
  protected:
    // A combo box whose dropped height, field and list together, is `droppedHeight`.
    HWND CreateCombo(DWORD kind, std::initializer_list<const char16_t*> texts,
                     RECT rect = kComboRect, int droppedHeight = 150) {
        const HWND combo = Child(u"ComboBox", u"", WS_VSCROLL | kind,
                                 {rect.left, rect.top, rect.right, rect.top + droppedHeight}, 1000);
        for (const char16_t* text : texts) {
            Send(combo, CB_ADDSTRING, 0, text);
        }
        return combo;
    }
    static void AddNumbered(HWND combo, int count) {
        for (int i = 0; i < count; ++i) {
            const std::u16string text =
                u"item " + std::u16string(1, u'0' + i / 10) + std::u16string(1, u'0' + i % 10);
            Send(combo, CB_ADDSTRING, 0, text.c_str());
        }
    }
    static void TapScreen(POINT screen) {
        PostTap(screen);
        Pump();
    }
    static void TapCentre(HWND hwnd) {
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        TapScreen(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    }
    static HWND DroppedList() { return FindWindowW(u"ComboLBox", nullptr); }
    // Taps row `row` of the dropped list, which shows `rows` rows.
    static void TapListRow(int row, int rows) {
        PostTapOnRow(DroppedList(), row, rows);
        Pump();
    }
    static LRESULT Selection(HWND combo) { return SendMessageW(combo, CB_GETCURSEL, 0, 0); }
    // The codes of the WM_COMMANDs received so far; forgets them.
    CommandCodes Take() {
        CommandCodes codes;
        for (const ParentMessage& command : TakeCommands()) {
            codes.push_back(command.code);
        }
        return codes;
    }
};

TEST_F(ComboBoxTest, StylusChoiceFromTheListNotifiesInOrder) {
    const HWND combo = CreateCombo(CBS_DROPDOWNLIST, {u"eth0", u"wlan0", u"usb0"});
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    Take();
    TapCentre(combo);
    EXPECT_EQ(Take(), (CommandCodes{CBN_SETFOCUS, CBN_DROPDOWN}));
    EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    const HWND list = DroppedList();
    ASSERT_NE(list, nullptr);
    TapListRow(2, 3);
    EXPECT_EQ(Take(), (CommandCodes{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(Selection(combo), 2);
    EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(WindowText(combo), u"usb0");

    // A tap outside an open list closes it without a choice, and so does a second tap
    // on the field itself.
    TapCentre(combo);
    TapScreen(POINT{230, 300});
    EXPECT_EQ(Take(), (CommandCodes{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_EQ(Selection(combo), 2);
    TapCentre(combo);
    TapCentre(combo);
    EXPECT_EQ(Take(), (CommandCodes{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, KeysMoveTheSelectionAndWorkTheList) {
    const HWND combo = CreateCombo(CBS_DROPDOWNLIST, {u"16", u"32", u"64", u"256"});
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SetFocus(combo);
    EXPECT_EQ(Take(), (CommandCodes{CBN_SETFOCUS}));
    EXPECT_EQ(SendMessageW(combo, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN);  // already the last: nothing changes, nothing is sent
    EXPECT_EQ(Take(), (CommandCodes{CBN_SELCHANGE, CBN_SELCHANGE}));
    EXPECT_EQ(Selection(combo), 3);
    Key(VK_HOME);
    EXPECT_EQ(Take(), (CommandCodes{CBN_SELCHANGE}));
    EXPECT_EQ(Selection(combo), 0);

    // F4 drops the list; the arrows move the selection in it; Enter keeps it, Escape
    // cancels.
    Key(VK_F4);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(Take(), (CommandCodes{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(Selection(combo), 1);
    Key(VK_F4);
    Key(VK_ESCAPE);
    EXPECT_EQ(Take(), (CommandCodes{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));

    // Losing the focus while dropped closes the list first.
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SetFocus(parent_);
    EXPECT_EQ(Take(), (CommandCodes{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
}

TEST_F(ComboBoxTest, ExactFindIgnoresCaseStartsAfterTheIndexAndWraps) {
    const HWND combo = CreateCombo(CBS_DROPDOWNLIST, {u"Alpha", u"beta", u"ALPHA", u"Gamma"});
    const auto find = [&](int start, const char16_t* text) {
        return SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(start),
                            reinterpret_cast<LPARAM>(text));
    };
    EXPECT_EQ(find(-1, u"alpha"), 0);
    EXPECT_EQ(find(0, u"alpha"), 2);   // the search starts after the given item
    EXPECT_EQ(find(2, u"aLpHa"), 0);   // and wraps around to the beginning
    EXPECT_EQ(find(1, u"BETA"), 1);    // the start item itself comes last
    EXPECT_EQ(find(99, u"gamma"), 3);  // a start past the end searches everything
    EXPECT_EQ(find(-1, u"alp"), CB_ERR);
    EXPECT_EQ(find(-1, u"alpha "), CB_ERR);
}

TEST_F(ComboBoxTest, ItemsKeepTheirDataAndTheProgramsSelectionIsSilent) {
    const HWND combo = CreateCombo(CBS_DROPDOWNLIST, {u"a", u"b", u"c", u"d", u"e"});
    Take();
    EXPECT_EQ(Selection(combo), CB_ERR);
    // Out of range, or -1, clears the selection and answers CB_ERR.
    for (const WPARAM clearing : {WPARAM{5}, static_cast<WPARAM>(-1)}) {
        EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 1, 0), 1);
        EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, clearing, 0), CB_ERR);
        EXPECT_EQ(Selection(combo), CB_ERR);
    }
    const LONG_PTR record = static_cast<LONG_PTR>(0x123456789ABCLL);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 3, 0), 0);
    EXPECT_EQ(SendMessageW(combo, CB_SETITEMDATA, 3, record), TRUE);
    EXPECT_EQ(SendMessageW(combo, CB_SETITEMDATA, 5, record), CB_ERR);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 5, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 3, 0), record);
    SendMessageW(combo, CB_SETCURSEL, 3, 0);
    // The dump shows data only where the program set it.
    const auto content = DumpContent(combo);
    EXPECT_EQ(content["selected"], 3);
    EXPECT_EQ(content["items"][3], (nlohmann::json{{"text", "d"}, {"data", record}}));
    EXPECT_FALSE(content["items"][2].contains("data"));
    EXPECT_EQ(SendMessageW(combo, CB_RESETCONTENT, 0, 0), CB_OKAY);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(Selection(combo), CB_ERR);
    EXPECT_TRUE(Take().empty());
}

TEST_F(ComboBoxTest, ListDropsBelowTheFieldAsWideAsItAndTheDumpShowsIt) {
    const HWND combo = CreateCombo(CBS_DROPDOWNLIST, {});
    AddNumbered(combo, 8);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    const HWND list = DroppedList();
    ASSERT_NE(list, nullptr);
    RECT field{};
    RECT dropped{};
    GetWindowRect(combo, &field);
    GetWindowRect(list, &dropped);
    EXPECT_EQ(dropped.top, field.bottom);
    EXPECT_EQ(dropped.left, field.left);
    EXPECT_EQ(dropped.right, field.right);
    // The dump of the combo box reports the list while it is down, and only then.
    EXPECT_TRUE(DumpContent(combo)["dropped"]);
    EXPECT_EQ(DumpContent(list)["visibleItems"][0], "item 00");
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_FALSE(DumpContent(combo).contains("list"));
    EXPECT_FALSE(DumpContent(combo)["dropped"]);
}

TEST_F(ComboBoxTest, ListWithManyItemsScrollsAndPicksTheRowTapped) {
    const HWND combo = CreateCombo(CBS_DROPDOWNLIST, {}, kComboRect, 120);
    AddNumbered(combo, 50);
    SendMessageW(combo, CB_SETCURSEL, 40, 0);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    const HWND list = DroppedList();
    ASSERT_NE(list, nullptr);

    // The selected item is scrolled into view, and only a few rows show.
    auto shown = DumpContent(combo)["list"];
    const int rows = static_cast<int>(shown["visibleItems"].size());
    ASSERT_GT(rows, 1);
    EXPECT_TRUE(shown["scrolls"]);
    const int top = shown["topIndex"];
    EXPECT_LE(top, 40);
    EXPECT_GT(top + rows, 40);
    EXPECT_EQ(shown["highlight"], 40);

    // The second visible row is item top + 1. (The list's scroll bar is the one the list
    // view's tests drive.)
    Take();
    TapListRow(1, rows);
    EXPECT_EQ(Take(), (CommandCodes{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(Selection(combo), top + 1);

    // The keys scroll the list to follow the selection.
    SetFocus(combo);
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    Key(VK_F4);
    for (int i = 0; i < 20; ++i) {
        Key(VK_DOWN);
    }
    shown = DumpContent(combo)["list"];
    EXPECT_EQ(shown["highlight"], 20);
    EXPECT_EQ(shown["visibleItems"][rows - 1], "item 20");
}

TEST_F(ComboBoxTest, EditableKindTypesIntoItsEditAndTakesChoicesQuietly) {
    const HWND combo = CreateCombo(CBS_DROPDOWN | CBS_AUTOHSCROLL, {u"alpha", u"beta"});
    const HWND edit = GetWindow(combo, GW_CHILD);
    ASSERT_NE(edit, nullptr);
    SetFocus(combo);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Take(), (CommandCodes{CBN_SETFOCUS}));
    Type(u"x");
    EXPECT_EQ(Take(), (CommandCodes{CBN_EDITUPDATE, CBN_EDITCHANGE}));
    EXPECT_EQ(WindowText(combo), u"x");

    // Only the button drops the list; the field is the edit's.
    RECT button{};
    GetWindowRect(combo, &button);
    TapScreen(POINT{button.right - 3, (button.top + button.bottom) / 2});
    EXPECT_EQ(Take(), (CommandCodes{CBN_DROPDOWN}));
    ASSERT_NE(DroppedList(), nullptr);
    TapListRow(1, 2);
    EXPECT_EQ(Take(), (CommandCodes{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(WindowText(edit), u"beta");

    // The arrows work the list from inside the edit; CB_SETCURSEL changes the text quietly.
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(WindowText(edit), u"alpha");
    EXPECT_TRUE(Take().empty());
    Key(VK_DOWN);
    EXPECT_EQ(Take(), (CommandCodes{CBN_SELCHANGE}));
    EXPECT_EQ(WindowText(edit), u"beta");
    EXPECT_EQ(DumpContent(combo)["kind"], "dropDown");
    SetFocus(parent_);
    EXPECT_EQ(Take(), (CommandCodes{CBN_KILLFOCUS}));
}

}  // namespace
}  // namespace tessalink::test
