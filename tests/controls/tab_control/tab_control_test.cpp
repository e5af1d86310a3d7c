// The tab control: what a tap sends its parent and in which order, the parent's veto,
// silent selection by message, and the tabs' places along the bottom edge.
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "controls/notification_recorder.h"
#include "user/dump_content.h"
#include "user/screen_pixel.h"

namespace tessalink::test {
namespace {

constexpr int kTabId = 101;

class TabControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&init));
        tab_ = recorder_.CreateChild(WC_TABCONTROLW, TCS_BOTTOM | TCS_FLATBUTTONS,
                                     RECT{-1, 270, 240, 294}, kTabId);
        ASSERT_NE(tab_, nullptr);
        for (const auto& [text, param] : {std::pair{u"Summary", 11}, {u"Ping", 22}, {u"ARP", 33}}) {
            Insert(ItemCount(), text, param);
        }
    }

    int Insert(int index, const char16_t* text, LPARAM param) {
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<LPWSTR>(text);
        item.lParam = param;
        return static_cast<int>(
            SendMessageW(tab_, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item)));
    }
    int ItemCount() const { return static_cast<int>(SendMessageW(tab_, TCM_GETITEMCOUNT, 0, 0)); }
    int Selection() const { return static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)); }
    RECT ItemRect(int index) const {
        RECT rect{};
        EXPECT_TRUE(SendMessageW(tab_, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)));
        return rect;
    }
    void Tap(int index) const {
        const RECT rect = ItemRect(index);
        const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMessageW(tab_, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(tab_, WM_LBUTTONUP, 0, point);
    }
    std::u16string Text(int index) const {
        char16_t buffer[32]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = 32;
        EXPECT_TRUE(SendMessageW(tab_, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item)));
        return buffer;
    }

    NotificationRecorder recorder_;
    HWND tab_ = nullptr;
};

TEST_F(TabControlTest, TapOnAnotherTabAsksThenTellsTheParentWhichMayRefuse) {
    ASSERT_EQ(Selection(), 0);  // the first tab inserted is selected
    std::vector<int> selectionSeen;
    recorder_.onNotify = [&](const NMHDR& header) -> LRESULT {
        EXPECT_EQ(header.hwndFrom, tab_);
        EXPECT_EQ(header.idFrom, static_cast<UINT_PTR>(kTabId));
        selectionSeen.push_back(Selection());
        return 0;
    };
    Tap(2);
    EXPECT_EQ(recorder_.Take(), (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
    // Asked while the old tab is still selected, told once the new one is.
    EXPECT_EQ(selectionSeen, (std::vector<int>{0, 2}));
    EXPECT_EQ(Selection(), 2);

    Tap(2);  // the selected tab again: nothing changes, nobody is told
    EXPECT_TRUE(recorder_.Take().empty());

    // The parent's veto keeps the selection.
    recorder_.onNotify = [](const NMHDR& header) -> LRESULT {
        return header.code == TCN_SELCHANGING ? TRUE : 0;
    };
    Tap(1);
    EXPECT_EQ(recorder_.Take(), (std::vector<UINT>{TCN_SELCHANGING}));
    EXPECT_EQ(Selection(), 2);
}

TEST_F(TabControlTest, SetCurSelIsSilentAndReturnsThePreviousSelection) {
    EXPECT_EQ(SendMessageW(tab_, TCM_SETCURSEL, 1, 0), 0);
    EXPECT_EQ(SendMessageW(tab_, TCM_SETCURSEL, 7, 0), -1);
    EXPECT_EQ(Selection(), 1);
    EXPECT_TRUE(recorder_.Take().empty());

    // A tab inserted before the selected one keeps the same tab selected.
    EXPECT_EQ(Insert(0, u"New", 0), 0);
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(Text(2), u"Ping");

    EXPECT_TRUE(SendMessageW(tab_, TCM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(ItemCount(), 0);
    EXPECT_EQ(Selection(), -1);
}

TEST_F(TabControlTest, ItemsKeepTextAndParamAndStayTerminatedWhenCut) {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    ASSERT_TRUE(SendMessageW(tab_, TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.lParam, 22);
    EXPECT_EQ(Text(0), u"Summary");

    char16_t small[4];
    item.mask = TCIF_TEXT;
    item.pszText = small;
    item.cchTextMax = 4;
    ASSERT_TRUE(SendMessageW(tab_, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(std::u16string(small), u"Sum");

    EXPECT_FALSE(SendMessageW(tab_, TCM_GETITEMW, 3, reinterpret_cast<LPARAM>(&item)));
    RECT rect{};
    EXPECT_FALSE(SendMessageW(tab_, TCM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rect)));
}

TEST_F(TabControlTest, TabsLieSideBySideAlongTheBottom) {
    const RECT first = ItemRect(0);
    const RECT second = ItemRect(1);
    const RECT third = ItemRect(2);
    EXPECT_EQ(first.left, 0);
    EXPECT_EQ(second.left, first.right);
    EXPECT_EQ(third.left, second.right);
    EXPECT_GT(first.right - first.left, third.right - third.left);  // "Summary" is wider than "ARP"
    EXPECT_EQ(second.top, first.top);
    EXPECT_EQ(second.bottom, first.bottom);

    // Sized as the main window sizes it, the tabs end at the control's lower edge and the
    // two rows above them join the selected tab to the page.
    const int height = first.bottom - first.top;
    SetWindowPos(tab_, nullptr, -1, 294 - height - 2, 241, height + 2, SWP_NOZORDER);
    RECT client{};
    GetClientRect(tab_, &client);
    EXPECT_EQ(first.bottom, client.bottom);

    RECT page{0, 0, 240, 100};
    SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    EXPECT_EQ(page.bottom, 100 - height - 2);
    SendMessageW(tab_, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&page));
    EXPECT_EQ(page.bottom, 100);
}

TEST_F(TabControlTest, SelectedTabIsOpenTowardsThePage) {
    UpdateWindow(recorder_.parent());
    UpdateWindow(tab_);
    const RECT selected = ItemRect(0);
    const RECT other = ItemRect(1);
    auto pixel = [&](int x, int y) { return ClientPixel(tab_, {x, y}); };
    const int middleOfSelected = (selected.left + selected.right) / 2;
    const int middleOfOther = (other.left + other.right) / 2;
    EXPECT_EQ(pixel(middleOfSelected, 0), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(pixel(middleOfOther, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(pixel(selected.left + 1, selected.bottom - 1), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(pixel(middleOfOther, other.bottom - 1), GetSysColor(COLOR_BTNFACE));
}

TEST_F(TabControlTest, DumpShowsItemsAndTheSelection) {
    SendMessageW(tab_, TCM_SETCURSEL, 1, 0);
    const nlohmann::json content = DumpContent(tab_);
    EXPECT_EQ(content["selected"], 1);
    ASSERT_EQ(content["items"].size(), 3u);
    EXPECT_EQ(content["items"][2]["text"], "ARP");
    EXPECT_EQ(content["items"][2]["param"], 33);
}

}  // namespace
}  // namespace tessalink::test
