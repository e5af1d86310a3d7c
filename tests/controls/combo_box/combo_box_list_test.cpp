// The dropped list: it scrolls when the items outnumber its rows, a tap picks the item
// under it whatever the scroll position, and it opens above a combo box that has no
// room below it on the screen.
#include <windows.h>

#include <string>

#include "combo_test_fixture.h"

namespace tessalink::test {
namespace {

std::u16string Numbered(int i) {
    std::u16string text = u"item ";
    for (char c : std::to_string(i)) {
        text.push_back(static_cast<char16_t>(c));
    }
    return text;
}

void AddNumbered(HWND combo, int count) {
    for (int i = 0; i < count; ++i) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Numbered(i).c_str()));
    }
}

TEST_F(ComboBoxTest, ListWithManyItemsScrollsAndPicksTheRowTapped) {
    const HWND combo = CreateCombo(CBS_DROPDOWNLIST, RECT{10, 40, 160, 60}, 120);
    AddNumbered(combo, 50);
    SendMessageW(combo, CB_SETCURSEL, 40, 0);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    const HWND list = DroppedList();
    ASSERT_NE(list, nullptr);

    // The selected item is scrolled into view, and only a few rows show.
    auto shown = DumpContent(combo)["list"];
    const int rows = static_cast<int>(shown["visibleItems"].size());
    ASSERT_GT(rows, 1);
    ASSERT_LT(rows, 50);
    EXPECT_TRUE(shown["scrolls"]);
    int top = shown["topIndex"];
    EXPECT_LE(top, 40);
    EXPECT_GT(top + rows, 40);
    EXPECT_EQ(shown["highlight"], 40);

    // A tap on the scroll bar's track above the thumb pages up by the rows shown.
    RECT client{};
    GetClientRect(list, &client);
    POINT trackTop{client.right - 3, 1};
    ClientToScreen(list, &trackTop);
    Tap(trackTop);
    shown = DumpContent(combo)["list"];
    EXPECT_EQ(shown["topIndex"], top - rows);
    EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    top = shown["topIndex"];

    // The second visible row is item top + 1.
    Take();
    TapListRow(1, rows);
    EXPECT_EQ(Take(), (Codes{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
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

TEST_F(ComboBoxTest, ListOpensAboveWhenTheScreenHasNoRoomBelow) {
    const HWND combo = CreateCombo(CBS_DROPDOWNLIST, RECT{10, 250, 160, 270}, 150);
    AddNumbered(combo, 8);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    const HWND list = DroppedList();
    ASSERT_NE(list, nullptr);
    RECT comboRect{};
    RECT listRect{};
    GetWindowRect(combo, &comboRect);
    GetWindowRect(list, &listRect);
    EXPECT_EQ(listRect.bottom, comboRect.top);
    EXPECT_GE(listRect.top, 0);
    // The dump of the combo box reports the list while it is down, and only then.
    EXPECT_TRUE(DumpContent(combo)["dropped"]);
    EXPECT_EQ(DumpContent(list)["visibleItems"][0], "item 0");
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_FALSE(DumpContent(combo).contains("list"));
    EXPECT_FALSE(DumpContent(combo)["dropped"]);
}

}  // namespace
}  // namespace tessalink::test
