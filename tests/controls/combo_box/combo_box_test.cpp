// The combo box's list by message, and what the user's taps and keys send the parent,
// in Windows' order. The program's own CB_SETCURSEL never notifies.
#include <windows.h>

#include "combo_test_fixture.h"

namespace tessalink::test {
namespace {

constexpr RECT kComboRect{10, 40, 160, 60};

TEST_F(ComboBoxTest, StylusChoiceFromTheListNotifiesInOrder) {
    const HWND combo = CreateCombo(CBS_DROPDOWNLIST, kComboRect, 150);
    Add(combo, {u"eth0", u"wlan0", u"usb0"});
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    Take();

    TapCentre(combo);
    EXPECT_EQ(Take(), (Codes{CBN_SETFOCUS, CBN_DROPDOWN}));
    EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    const HWND list = DroppedList();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(IsWindowVisible(list));
    RECT comboRect{};
    RECT listRect{};
    GetWindowRect(combo, &comboRect);
    GetWindowRect(list, &listRect);
    EXPECT_EQ(listRect.top, comboRect.bottom);  // dropped just below the field
    EXPECT_EQ(listRect.left, comboRect.left);
    EXPECT_EQ(listRect.right, comboRect.right);

    TapListRow(2, 3);
    EXPECT_EQ(Take(), (Codes{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(Selection(combo), 2);
    EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_FALSE(IsWindowVisible(list));
    WCHAR text[16]{};
    GetWindowTextW(combo, text, 16);
    EXPECT_EQ(std::u16string(text), u"usb0");

    // A tap outside an open list closes it without a choice.
    TapCentre(combo);
    EXPECT_EQ(Take(), (Codes{CBN_DROPDOWN}));
    Tap(POINT{230, 300});
    EXPECT_EQ(Take(), (Codes{CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_EQ(Selection(combo), 2);
    // So does a second tap on the field itself.
    TapCentre(combo);
    TapCentre(combo);
    EXPECT_EQ(Take(), (Codes{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, KeysMoveTheSelectionAndWorkTheList) {
    const HWND combo = CreateCombo(CBS_DROPDOWNLIST, kComboRect, 150);
    Add(combo, {u"16", u"32", u"64", u"256"});
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SetFocus(combo);
    EXPECT_EQ(Take(), (Codes{CBN_SETFOCUS}));
    EXPECT_EQ(SendMessageW(combo, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);

    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN);  // already the last: nothing changes, nothing is sent
    EXPECT_EQ(Take(), (Codes{CBN_SELCHANGE, CBN_SELCHANGE}));
    EXPECT_EQ(Selection(combo), 3);
    Key(VK_HOME);
    EXPECT_EQ(Take(), (Codes{CBN_SELCHANGE}));
    EXPECT_EQ(Selection(combo), 0);

    // F4 drops the list; the arrows move the selection in it; Enter keeps it.
    Key(VK_F4);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(Take(), (Codes{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(Selection(combo), 1);
    // Escape closes the list as a cancel.
    Key(VK_F4);
    Key(VK_ESCAPE);
    EXPECT_EQ(Take(), (Codes{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));

    // Losing the focus while dropped closes the list first.
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SetFocus(parent_);
    EXPECT_EQ(Take(), (Codes{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
}

TEST_F(ComboBoxTest, SelectionByMessageSendsNothing) {
    const HWND combo = CreateCombo(CBS_DROPDOWNLIST, kComboRect, 150);
    Add(combo, {u"1", u"2", u"4"});
    Take();
    EXPECT_EQ(Selection(combo), CB_ERR);
    EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(Selection(combo), 2);
    // Out of range, or -1, clears the selection and answers CB_ERR.
    EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, 3, 0), CB_ERR);
    EXPECT_EQ(Selection(combo), CB_ERR);
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
    EXPECT_EQ(Selection(combo), CB_ERR);
    EXPECT_TRUE(Take().empty());
}

TEST_F(ComboBoxTest, ExactFindIgnoresCaseStartsAfterTheIndexAndWraps) {
    const HWND combo = CreateCombo(CBS_DROPDOWNLIST, kComboRect, 150);
    Add(combo, {u"Alpha", u"beta", u"ALPHA", u"Gamma"});
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

TEST_F(ComboBoxTest, ItemsKeepTheirDataAndTheSelectionFollowsDeletion) {
    const HWND combo = CreateCombo(CBS_DROPDOWNLIST, kComboRect, 150);
    Add(combo, {u"a", u"b", u"c", u"d", u"e"});
    const LONG_PTR record = static_cast<LONG_PTR>(0x123456789ABCLL);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 3, 0), 0);
    EXPECT_EQ(SendMessageW(combo, CB_SETITEMDATA, 3, record), TRUE);
    EXPECT_EQ(SendMessageW(combo, CB_SETITEMDATA, 5, record), CB_ERR);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 5, 0), CB_ERR);
    SendMessageW(combo, CB_SETCURSEL, 3, 0);

    // Deleting an item above the selection moves the selection up with its item.
    EXPECT_EQ(SendMessageW(combo, CB_DELETESTRING, 1, 0), 4);
    EXPECT_EQ(Selection(combo), 2);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, 2, 0), record);
    // Inserting above it moves it down.
    EXPECT_EQ(SendMessageW(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"first")), 0);
    EXPECT_EQ(Selection(combo), 3);
    EXPECT_EQ(SendMessageW(combo, CB_INSERTSTRING, 9, reinterpret_cast<LPARAM>(u"x")), CB_ERR);
    EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXTLEN, 3, 0), 1);
    WCHAR text[8]{};
    EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text)), 5);
    EXPECT_EQ(std::u16string(text), u"first");
    EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXT, 7, reinterpret_cast<LPARAM>(text)), CB_ERR);

    // The dump shows data only where the program set it.
    const auto content = DumpContent(combo);
    EXPECT_EQ(content["selected"], 3);
    EXPECT_EQ(content["items"][3]["text"], "d");
    EXPECT_EQ(content["items"][3]["data"], record);
    EXPECT_FALSE(content["items"][2].contains("data"));

    // Deleting the selected item leaves nothing selected.
    EXPECT_EQ(SendMessageW(combo, CB_DELETESTRING, 3, 0), 4);
    EXPECT_EQ(Selection(combo), CB_ERR);
    EXPECT_EQ(SendMessageW(combo, CB_DELETESTRING, 4, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(combo, CB_RESETCONTENT, 0, 0), CB_OKAY);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(Take().empty());
}

}  // namespace
}  // namespace tessalink::test
