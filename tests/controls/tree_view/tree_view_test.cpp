// The tree view: insertion order, deletion, expansion by a tap on a button and the
// notifications it sends, selection by a tap, scrolling an item into view, and handles
// that outlive their items.
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/basic/control_test.h"
#include "user/dump_content.h"
#include "user/screen_pixel.h"

namespace tessalink::test {
namespace {

using Texts = std::vector<std::u16string>;

// The layout the control draws with TVS_LINESATROOT and the dialog font: 16-pixel
// columns, the joint of a root item in the first, rows 16 pixels high.
constexpr int kColumn = 16;
constexpr int kRowHeight = 16;
constexpr int kButtonX = kColumn / 2;  // of a root item
constexpr int kLabelX = kColumn + 6;
int RowY(int row) {
    return row * kRowHeight + kRowHeight / 2;
}

class TreeViewTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        tree_ =
            Child(WC_TREEVIEWW, u"", TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | WS_BORDER,
                  {3, 100, 231, 240}, 1028);
        ASSERT_NE(tree_, nullptr);
    }

    template <class T>
    LRESULT Send(UINT message, WPARAM wParam, T item) const {
        return SendMessageW(tree_, message, wParam, reinterpret_cast<LPARAM>(item));
    }
    HTREEITEM Insert(const char16_t* text, HTREEITEM parent = TVI_ROOT,
                     HTREEITEM after = TVI_LAST) const {
        TVINSERTSTRUCTW insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<LPWSTR>(text);
        return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMW, 0, &insert));
    }
    HTREEITEM Next(HTREEITEM item, UINT relation) const {
        return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, relation, item));
    }
    HTREEITEM Caret() const { return Next(nullptr, TVGN_CARET); }
    HTREEITEM FirstVisible() const { return Next(nullptr, TVGN_FIRSTVISIBLE); }
    std::u16string Text(HTREEITEM handle) const {
        char16_t buffer[64]{};
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = handle;
        item.pszText = buffer;
        item.cchTextMax = 64;
        return Send(TVM_GETITEMW, 0, &item) ? buffer : u"<none>";
    }
    // The texts of `parent`'s children, in order.
    Texts Children(HTREEITEM parent) const {
        Texts texts;
        for (HTREEITEM item = Next(parent, TVGN_CHILD); item; item = Next(item, TVGN_NEXT)) {
            texts.push_back(Text(item));
        }
        return texts;
    }
    UINT State(HTREEITEM handle, UINT mask) const {
        TVITEMW item{};
        item.mask = TVIF_STATE;
        item.hItem = handle;
        item.stateMask = mask;
        Send(TVM_GETITEMW, 0, &item);
        return item.state & mask;
    }
    bool Expanded(HTREEITEM handle) const { return State(handle, TVIS_EXPANDED) != 0; }
    LRESULT Count() const { return SendMessageW(tree_, TVM_GETCOUNT, 0, 0); }

    HWND tree_ = nullptr;
};

TEST_F(TreeViewTest, ItemsGoInOrderUnderTheirParentsAndTheDumpShowsThem) {
    // The program adds every item last under its parent.
    const HTREEITEM first = Insert(u"first");
    const HTREEITEM middle = Insert(u"middle");
    Insert(u"last");
    EXPECT_EQ(Children(TVI_ROOT), (Texts{u"first", u"middle", u"last"}));
    const HTREEITEM child = Insert(u"child", middle);
    EXPECT_EQ(Next(child, TVGN_PARENT), middle);
    EXPECT_EQ(Count(), 4);

    Send(TVM_SELECTITEM, TVGN_CARET, first);
    const nlohmann::json content = DumpContent(tree_);
    EXPECT_EQ(content["selected"], "first");
    ASSERT_EQ(content["items"].size(), 3u);
    EXPECT_EQ(content["items"][1]["text"], "middle");
    EXPECT_EQ(content["items"][1]["expanded"], false);
    EXPECT_EQ(content["items"][1]["children"][0]["text"], "child");
}

// The program empties the tree with TVI_ROOT; a handle kept from before must then name
// nothing, even once its slot holds a new item.
TEST_F(TreeViewTest, DeletingTakesChildrenAlongAndStaleHandlesNameNothing) {
    const HTREEITEM hop = Insert(u">> 10.0.0.1");
    const HTREEITEM name = Insert(u"router.example", hop);
    ASSERT_TRUE(Send(TVM_SELECTITEM, TVGN_CARET, name));
    EXPECT_TRUE(Send(TVM_DELETEITEM, 0, TVI_ROOT));
    EXPECT_EQ(Caret(), nullptr) << "the selection went with its item";
    const HTREEITEM fresh = Insert(u"new");
    EXPECT_NE(fresh, hop);
    EXPECT_NE(fresh, name);
    EXPECT_EQ(Children(TVI_ROOT), (Texts{u"new"}));
    EXPECT_EQ(Text(name), u"<none>");
    EXPECT_FALSE(Send(TVM_DELETEITEM, 0, name));
    EXPECT_FALSE(Send(TVM_ENSUREVISIBLE, 0, hop));
    EXPECT_EQ(Insert(u"orphan", hop), nullptr);
    EXPECT_EQ(Text(reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(0x12345678))), u"<none>");
    // Only the selection by message notified; deleting tells nothing.
    EXPECT_EQ(TakeNotifications(), (NotifyCodes{TVN_SELCHANGINGW, TVN_SELCHANGEDW}));
}

TEST_F(TreeViewTest, TapOnAButtonExpandsAndCollapsingMovesAHiddenSelectionUp) {
    const HTREEITEM hop = Insert(u">> 10.0.0.1");
    const HTREEITEM name = Insert(u"router.example", hop);
    Insert(u">> 10.0.0.2");
    std::vector<bool> expandedWhenTold;
    onNotify = [&](const NMHDR& header) -> LRESULT {
        if (header.code == TVN_ITEMEXPANDINGW || header.code == TVN_ITEMEXPANDEDW) {
            expandedWhenTold.push_back(Expanded(hop));
        }
        return 0;
    };
    Click(tree_, kButtonX, RowY(0));
    EXPECT_TRUE(Expanded(hop));
    EXPECT_EQ(TakeNotifications(), (NotifyCodes{TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}))
        << "no click, no selection";
    Click(tree_, kLabelX + kColumn, RowY(1));
    ASSERT_EQ(Caret(), name);
    TakeNotifications();
    // Collapsing hides the selection, which moves up to the collapsed item.
    Click(tree_, kButtonX, RowY(0));
    EXPECT_FALSE(Expanded(hop));
    EXPECT_EQ(Caret(), hop);
    EXPECT_EQ(TakeNotifications(), (NotifyCodes{TVN_ITEMEXPANDINGW, TVN_SELCHANGINGW,
                                                TVN_SELCHANGEDW, TVN_ITEMEXPANDEDW}));
    // Asked before each change, told after it.
    EXPECT_EQ(expandedWhenTold, (std::vector<bool>{false, true, true, false}));
    // An item without children has no button: a tap there changes nothing.
    Click(tree_, kButtonX, RowY(1));
    EXPECT_EQ(TakeNotifications(), (NotifyCodes{NM_CLICK}));
}

TEST_F(TreeViewTest, TapOnALabelClicksThenSelects) {
    const HTREEITEM first = Insert(u"first");
    const HTREEITEM second = Insert(u"second");
    ASSERT_TRUE(Send(TVM_SELECTITEM, TVGN_CARET, first));
    TakeNotifications();
    std::vector<HTREEITEM> caretSeen;
    onNotify = [&](const NMHDR&) -> LRESULT {
        caretSeen.push_back(Caret());
        return 0;
    };
    Click(tree_, kLabelX, RowY(1));
    EXPECT_EQ(TakeNotifications(), (NotifyCodes{NM_CLICK, TVN_SELCHANGINGW, TVN_SELCHANGEDW}));
    EXPECT_EQ(caretSeen, (std::vector<HTREEITEM>{first, first, second}));
    EXPECT_EQ(State(second, TVIS_SELECTED), static_cast<UINT>(TVIS_SELECTED));
    EXPECT_EQ(GetFocus(), tree_);
}

TEST_F(TreeViewTest, EnsureVisibleExpandsAncestorsAndScrolls) {
    RECT client{};
    GetClientRect(tree_, &client);
    const int rowsPerPage = client.bottom / kRowHeight;
    std::vector<HTREEITEM> hops;
    for (int i = 0; i < 3 * rowsPerPage; ++i) {
        hops.push_back(Insert(u"hop"));
    }
    const HTREEITEM deep = Insert(u"deep", Insert(u"name", hops.back()));
    EXPECT_EQ(FirstVisible(), hops.front());
    // Expanding an ancestor makes the answer zero even though the view scrolled; the deep
    // item is then the last row, at the bottom of the view.
    EXPECT_FALSE(Send(TVM_ENSUREVISIBLE, 0, deep));
    EXPECT_TRUE(Expanded(hops.back()));
    const int total = 3 * rowsPerPage + 2;
    EXPECT_EQ(FirstVisible(), hops[total - rowsPerPage]);
    // Back to the first: scrolled, nothing expanded; already in view: nothing to do.
    EXPECT_TRUE(Send(TVM_ENSUREVISIBLE, 0, hops[0]));
    EXPECT_EQ(FirstVisible(), hops[0]);
    EXPECT_FALSE(Send(TVM_ENSUREVISIBLE, 0, hops[1]));

    // Keys move the selection and keep it in view.
    SetFocus(tree_);
    SendMessageW(tree_, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(Caret(), deep);
    EXPECT_EQ(FirstVisible(), hops[total - rowsPerPage]);
}

// The collapsed item's plus is seen in the gallery's golden screen.
TEST_F(TreeViewTest, AnExpandedItemsButtonShowsMinusAndALeafHasNone) {
    const HTREEITEM expanded = Insert(u"expanded");
    Insert(u"child", expanded);
    Insert(u"leaf");
    Send(TVM_EXPAND, TVE_EXPAND, expanded);
    UpdateWindow(parent_);
    UpdateWindow(tree_);
    const auto pixel = [&](int x, int y) { return ClientPixel(tree_, {x, y}); };
    const COLORREF paper = GetSysColor(COLOR_WINDOW);
    // The centre of a row's 9-pixel button box; rows: expanded, its child, leaf.
    const auto centre = [](int row) { return row * kRowHeight + (kRowHeight - 9) / 2 + 4; };
    EXPECT_EQ(pixel(kButtonX - 2, centre(0)), GetSysColor(COLOR_WINDOWTEXT)) << "the bar";
    EXPECT_EQ(pixel(kButtonX, centre(0) - 2), paper) << "no upright";
    EXPECT_EQ(pixel(kButtonX - 2, centre(2)), paper) << "no button";
    EXPECT_TRUE(pixel(kButtonX + 2, RowY(2)) != paper || pixel(kButtonX + 3, RowY(2)) != paper)
        << "only the dotted elbow of its line";
}

}  // namespace
}  // namespace tessalink::test
