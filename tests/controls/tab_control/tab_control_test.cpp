// The tab control: what a tap sends its parent and in which order, and silent selection by
// message. (The tabs' places along the bottom edge, and how the selected one opens towards
// the page, are seen in the golden screens.)
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "controls/basic/control_test.h"
#include "user/dump_content.h"

namespace tessalink::test {
namespace {

constexpr int kTabId = 101;

class TabControlTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        tab_ =
            Child(WC_TABCONTROLW, u"", TCS_BOTTOM | TCS_FLATBUTTONS, {-1, 270, 240, 294}, kTabId);
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
        return static_cast<int>(Send(tab_, TCM_INSERTITEMW, index, &item));
    }
    int ItemCount() const { return static_cast<int>(SendMessageW(tab_, TCM_GETITEMCOUNT, 0, 0)); }
    int Selection() const { return static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)); }
    RECT ItemRect(int index) const {
        RECT rect{};
        EXPECT_TRUE(Send(tab_, TCM_GETITEMRECT, index, &rect));
        return rect;
    }
    void Tap(int index) const {
        const RECT rect = ItemRect(index);
        Click(tab_, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    // Tab `index`'s text, read with room for `room` characters.
    std::u16string Text(int index, int room = 32) const {
        char16_t buffer[32]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = room;
        EXPECT_TRUE(Send(tab_, TCM_GETITEMW, index, &item));
        return buffer;
    }

    HWND tab_ = nullptr;
};

TEST_F(TabControlTest, TapOnAnotherTabAsksThenTellsTheParent) {
    ASSERT_EQ(Selection(), 0);  // the first tab inserted is selected
    std::vector<int> selectionSeen;
    onNotify = [&](const NMHDR& header) -> LRESULT {
        EXPECT_EQ(header.idFrom, static_cast<UINT_PTR>(kTabId));
        selectionSeen.push_back(Selection());
        return 0;
    };
    Tap(2);
    EXPECT_EQ(TakeNotifications(), (NotifyCodes{TCN_SELCHANGING, TCN_SELCHANGE}));
    // Asked while the old tab is still selected, told once the new one is.
    EXPECT_EQ(selectionSeen, (std::vector<int>{0, 2}));
    EXPECT_EQ(Selection(), 2);

    Tap(2);  // the selected tab again: nothing changes, nobody is told
    EXPECT_TRUE(TakeNotifications().empty());
}

TEST_F(TabControlTest, ItemsKeepTextAndParamAndTheSelectedTabStaysSelected) {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    ASSERT_TRUE(Send(tab_, TCM_GETITEMW, 1, &item));
    EXPECT_EQ(item.lParam, 22);
    EXPECT_EQ(Text(0), u"Summary");
    EXPECT_EQ(Text(0, 4), u"Sum") << "cut and terminated";
    EXPECT_FALSE(Send(tab_, TCM_GETITEMW, 3, &item));
    RECT rect{};
    EXPECT_FALSE(Send(tab_, TCM_GETITEMRECT, 3, &rect));

    // By message the selection changes silently, answering the one before.
    EXPECT_EQ(SendMessageW(tab_, TCM_SETCURSEL, 1, 0), 0);
    EXPECT_EQ(SendMessageW(tab_, TCM_SETCURSEL, 7, 0), -1);
    EXPECT_TRUE(TakeNotifications().empty());
    const nlohmann::json content = DumpContent(tab_);
    EXPECT_EQ(content["selected"], 1);
    ASSERT_EQ(content["items"].size(), 3u);
    EXPECT_EQ(content["items"][2], (nlohmann::json{{"text", "ARP"}, {"param", 33}}));
    // A tab inserted at the selected one's place keeps the same tab selected.
    EXPECT_EQ(Insert(1, u"New", 0), 1);
    EXPECT_EQ(Selection(), 2);
    EXPECT_EQ(Text(2), u"Ping");
    EXPECT_EQ(Insert(-1, u"Bad", 0), -1);
    EXPECT_EQ(Insert(9, u"Last", 0), 4) << "past the end appends";
}

}  // namespace
}  // namespace tessalink::test
