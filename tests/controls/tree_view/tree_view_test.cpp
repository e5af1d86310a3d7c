// The tree view: insertion order, deletion, expansion by a tap on a button and the
// notifications it sends, selection by a tap, scrolling an item into view, and handles
// that outlive their items.
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/notification_recorder.h"
#include "user/dump_content.h"
#include "user/screen_pixel.h"

namespace tessalink::test {
namespace {

constexpr int kTreeId = 1028;

class TreeViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&init));
        tree_ = recorder_.CreateChild(WC_TREEVIEWW,
                                      TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | WS_BORDER,
                                      RECT{3, 100, 231, 240}, kTreeId);
        ASSERT_NE(tree_, nullptr);
    }

    HTREEITEM Insert(const char16_t* text, HTREEITEM parent = TVI_ROOT,
                     HTREEITEM after = TVI_LAST) const {
        TVINSERTSTRUCTW insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<LPWSTR>(text);
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    HTREEITEM Next(HTREEITEM item, UINT relation) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    std::u16string Text(HTREEITEM handle) const {
        char16_t buffer[64]{};
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = handle;
        item.pszText = buffer;
        item.cchTextMax = 64;
        return SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? buffer
                                                                                     : u"<none>";
    }
    // The texts of `parent`'s children, in order.
    std::vector<std::u16string> Children(HTREEITEM parent) const {
        std::vector<std::u16string> texts;
        for (HTREEITEM item = Next(parent, TVGN_CHILD); item; item = Next(item, TVGN_NEXT)) {
            texts.push_back(Text(item));
        }
        return texts;
    }
    UINT State(HTREEITEM handle) const {
        TVITEMW item{};
        item.mask = TVIF_STATE;
        item.hItem = handle;
        item.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
        SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return item.state;
    }
    RECT Client() const {
        RECT client{};
        GetClientRect(tree_, &client);
        return client;
    }
    void TapAt(int x, int y) const {
        SendMessageW(tree_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(tree_, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    LRESULT Count() const { return SendMessageW(tree_, TVM_GETCOUNT, 0, 0); }

    NotificationRecorder recorder_;
    HWND tree_ = nullptr;
};

// The layout the control draws with TVS_LINESATROOT and the dialog font: 16-pixel
// columns, the joint of a root item in the first, rows 16 pixels high.
constexpr int kColumn = 16;
constexpr int kRowHeight = 16;
int ButtonX(int depth) {
    return depth * kColumn + kColumn / 2;
}
int LabelX(int depth) {
    return (depth + 1) * kColumn + 6;
}
int RowY(int row) {
    return row * kRowHeight + kRowHeight / 2;
}

TEST_F(TreeViewTest, InsertsFirstLastAndAfterAnItem) {
    const HTREEITEM middle = Insert(u"middle");
    const HTREEITEM last = Insert(u"last");
    Insert(u"first", TVI_ROOT, TVI_FIRST);
    Insert(u"after middle", TVI_ROOT, middle);
    Insert(u"at the end", TVI_ROOT, last);
    EXPECT_EQ(Children(TVI_ROOT), (std::vector<std::u16string>{u"first", u"middle", u"after middle",
                                                               u"last", u"at the end"}));
    EXPECT_EQ(Text(Next(nullptr, TVGN_ROOT)), u"first");
    EXPECT_EQ(Next(Next(nullptr, TVGN_ROOT), TVGN_PREVIOUS), nullptr);

    const HTREEITEM child = Insert(u"child", middle);
    Insert(u"first child", middle, TVI_FIRST);
    EXPECT_EQ(Children(middle), (std::vector<std::u16string>{u"first child", u"child"}));
    EXPECT_EQ(Next(child, TVGN_PARENT), middle);
    EXPECT_EQ(Next(middle, TVGN_PARENT), nullptr);
    EXPECT_EQ(Count(), 7);

    // An item to insert after must be a child of the parent named.
    EXPECT_EQ(Insert(u"misplaced", TVI_ROOT, child), nullptr);
    EXPECT_EQ(Count(), 7);
}

TEST_F(TreeViewTest, DeletingTakesChildrenAlongAndTheRootClearsAll) {
    const HTREEITEM hop = Insert(u">> 10.0.0.1");
    const HTREEITEM name = Insert(u"router.example", hop);
    const HTREEITEM other = Insert(u">> 10.0.0.2");
    ASSERT_TRUE(SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(name)));

    EXPECT_TRUE(SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hop)));
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(Next(nullptr, TVGN_CARET), nullptr);  // the selection went with its item
    EXPECT_EQ(Children(TVI_ROOT), (std::vector<std::u16string>{u">> 10.0.0.2"}));

    // A stale handle names nothing, even once its slot holds a new item.
    const HTREEITEM reused = Insert(u"new");
    EXPECT_NE(reused, name);
    EXPECT_EQ(Text(name), u"<none>");
    EXPECT_FALSE(SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(name)));
    EXPECT_FALSE(SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hop)));
    EXPECT_FALSE(SendMessageW(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hop)));
    EXPECT_FALSE(SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hop)));
    EXPECT_EQ(Next(hop, TVGN_NEXT), nullptr);
    EXPECT_EQ(Insert(u"orphan", hop), nullptr);
    const HTREEITEM forged = reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(0x12345678));
    EXPECT_EQ(Text(forged), u"<none>");

    EXPECT_TRUE(SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)));
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Next(nullptr, TVGN_ROOT), nullptr);
    EXPECT_EQ(Text(other), u"<none>");
    // Only the selection by message notified; deleting tells nothing.
    EXPECT_EQ(recorder_.Take(), (std::vector<UINT>{TVN_SELCHANGINGW, TVN_SELCHANGEDW}));
}

TEST_F(TreeViewTest, TapOnAButtonExpandsAndCollapsesWithNotifications) {
    const HTREEITEM hop = Insert(u">> 10.0.0.1");
    Insert(u"router.example", hop);
    Insert(u">> 10.0.0.2");
    std::vector<std::pair<UINT, UINT>> seen;  // code, and the item's expanded bit then
    recorder_.onNotify = [&](const NMHDR& header) -> LRESULT {
        EXPECT_EQ(header.hwndFrom, tree_);
        EXPECT_EQ(header.idFrom, static_cast<UINT_PTR>(kTreeId));
        const auto& tv = reinterpret_cast<const NMTREEVIEWW&>(header);
        EXPECT_EQ(tv.itemNew.hItem, hop);
        EXPECT_EQ(tv.action, static_cast<UINT>(seen.size() < 2 ? TVE_EXPAND : TVE_COLLAPSE));
        seen.emplace_back(header.code, State(hop) & TVIS_EXPANDED);
        return 0;
    };
    TapAt(ButtonX(0), RowY(0));
    EXPECT_EQ(Children(TVI_ROOT).size(), 2u);
    EXPECT_EQ(State(hop) & TVIS_EXPANDED, static_cast<UINT>(TVIS_EXPANDED));
    TapAt(ButtonX(0), RowY(0));
    EXPECT_EQ(State(hop) & TVIS_EXPANDED, 0u);
    // Asked before the change, told after it; no click, no selection.
    EXPECT_EQ(seen, (std::vector<std::pair<UINT, UINT>>{{TVN_ITEMEXPANDINGW, 0},
                                                        {TVN_ITEMEXPANDEDW, TVIS_EXPANDED},
                                                        {TVN_ITEMEXPANDINGW, TVIS_EXPANDED},
                                                        {TVN_ITEMEXPANDEDW, 0}}));
    EXPECT_EQ(Next(nullptr, TVGN_CARET), nullptr);

    // The parent may refuse.
    recorder_.Take();
    recorder_.onNotify = [](const NMHDR& header) -> LRESULT {
        return header.code == TVN_ITEMEXPANDINGW;
    };
    TapAt(ButtonX(0), RowY(0));
    EXPECT_EQ(recorder_.Take(), (std::vector<UINT>{TVN_ITEMEXPANDINGW}));
    EXPECT_EQ(State(hop) & TVIS_EXPANDED, 0u);

    // An item without children has no button: a tap there changes nothing.
    recorder_.onNotify = nullptr;
    TapAt(ButtonX(0), RowY(1));
    EXPECT_EQ(recorder_.Take(), (std::vector<UINT>{NM_CLICK}));
}

TEST_F(TreeViewTest, TapOnALabelClicksThenSelects) {
    const HTREEITEM first = Insert(u"first");
    const HTREEITEM second = Insert(u"second");
    ASSERT_TRUE(SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(first)));
    recorder_.Take();
    std::vector<HTREEITEM> caretSeen;
    recorder_.onNotify = [&](const NMHDR& header) -> LRESULT {
        if (header.code == TVN_SELCHANGINGW || header.code == TVN_SELCHANGEDW) {
            const auto& tv = reinterpret_cast<const NMTREEVIEWW&>(header);
            EXPECT_EQ(tv.action, static_cast<UINT>(TVC_BYMOUSE));
            EXPECT_EQ(tv.itemOld.hItem, first);
            EXPECT_EQ(tv.itemNew.hItem, second);
        }
        caretSeen.push_back(Next(nullptr, TVGN_CARET));
        return 0;
    };
    TapAt(LabelX(0), RowY(1));
    EXPECT_EQ(recorder_.Take(), (std::vector<UINT>{NM_CLICK, TVN_SELCHANGINGW, TVN_SELCHANGEDW}));
    EXPECT_EQ(caretSeen, (std::vector<HTREEITEM>{first, first, second}));
    EXPECT_EQ(State(second) & TVIS_SELECTED, static_cast<UINT>(TVIS_SELECTED));
    EXPECT_EQ(GetFocus(), tree_);

    // A refusal at TVN_SELCHANGINGW keeps the selection.
    recorder_.onNotify = [](const NMHDR& header) -> LRESULT {
        return header.code == TVN_SELCHANGINGW;
    };
    TapAt(LabelX(0), RowY(0));
    EXPECT_EQ(recorder_.Take(), (std::vector<UINT>{NM_CLICK, TVN_SELCHANGINGW}));
    EXPECT_EQ(Next(nullptr, TVGN_CARET), second);
}

TEST_F(TreeViewTest, CollapsingMovesAHiddenSelectionUpToTheCollapsedItem) {
    const HTREEITEM hop = Insert(u"hop");
    const HTREEITEM name = Insert(u"name", hop);
    ASSERT_TRUE(SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(name)));
    EXPECT_EQ(State(hop) & TVIS_EXPANDED, static_cast<UINT>(TVIS_EXPANDED));  // made visible
    recorder_.Take();
    // A collapse by message tells nothing about expansion, only about the selection.
    EXPECT_TRUE(SendMessageW(tree_, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(hop)));
    EXPECT_EQ(recorder_.Take(), (std::vector<UINT>{TVN_SELCHANGINGW, TVN_SELCHANGEDW}));
    EXPECT_EQ(Next(nullptr, TVGN_CARET), hop);
    EXPECT_TRUE(SendMessageW(tree_, TVM_EXPAND, TVE_TOGGLE, reinterpret_cast<LPARAM>(hop)));
    EXPECT_EQ(State(hop) & TVIS_EXPANDED, static_cast<UINT>(TVIS_EXPANDED));
    EXPECT_FALSE(SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(name)));
}

TEST_F(TreeViewTest, EnsureVisibleExpandsAncestorsAndScrolls) {
    const int rowsPerPage = Client().bottom / kRowHeight;
    std::vector<HTREEITEM> hops;
    for (int i = 0; i < 3 * rowsPerPage; ++i) {
        hops.push_back(
            Insert((u"hop " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26))).c_str()));
    }
    const HTREEITEM deep = Insert(u"deep", Insert(u"name", hops.back()));
    EXPECT_EQ(Next(nullptr, TVGN_FIRSTVISIBLE), hops.front());

    // Expanding an ancestor makes the answer zero even though the view scrolled.
    EXPECT_FALSE(SendMessageW(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(deep)));
    EXPECT_EQ(State(hops.back()) & TVIS_EXPANDED, static_cast<UINT>(TVIS_EXPANDED));
    const int total = 3 * rowsPerPage + 2;
    // The deep item is now the last row, at the bottom of the view.
    const HTREEITEM top = Next(nullptr, TVGN_FIRSTVISIBLE);
    EXPECT_EQ(top, hops[total - rowsPerPage]);

    // Back to the first: scrolled, nothing expanded.
    EXPECT_TRUE(SendMessageW(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hops[0])));
    EXPECT_EQ(Next(nullptr, TVGN_FIRSTVISIBLE), hops[0]);
    // Already in view: nothing to do.
    EXPECT_FALSE(SendMessageW(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hops[1])));

    // The drawn scroll bar: its lower arrow scrolls by a row.
    const RECT client = Client();
    TapAt(client.right - 3, client.bottom - 3);
    EXPECT_EQ(Next(nullptr, TVGN_FIRSTVISIBLE), hops[1]);
    // Keys move the selection and keep it in view.
    SetFocus(tree_);
    SendMessageW(tree_, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(Next(nullptr, TVGN_CARET), deep);
    EXPECT_EQ(Next(nullptr, TVGN_FIRSTVISIBLE), hops[total - rowsPerPage]);
}

TEST_F(TreeViewTest, ButtonsShowPlusWhenCollapsedAndMinusWhenExpanded) {
    const HTREEITEM collapsed = Insert(u"collapsed");
    Insert(u"child", collapsed);
    const HTREEITEM expanded = Insert(u"expanded");
    Insert(u"child", expanded);
    Insert(u"leaf");
    SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(expanded));
    UpdateWindow(recorder_.parent());
    UpdateWindow(tree_);
    auto pixel = [&](int x, int y) { return ClientPixel(tree_, {x, y}); };
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF paper = GetSysColor(COLOR_WINDOW);
    const int x = ButtonX(0);
    // The centre of a row's 9-pixel button box.
    auto centre = [](int row) { return row * kRowHeight + (kRowHeight - 9) / 2 + 4; };
    // Rows: collapsed, expanded, its child, leaf. Both buttons carry the bar of the minus;
    // only the collapsed one has the upright of the plus.
    EXPECT_EQ(pixel(x - 2, centre(0)), ink);
    EXPECT_EQ(pixel(x, centre(0) - 2), ink);
    EXPECT_EQ(pixel(x - 2, centre(1)), ink);
    EXPECT_EQ(pixel(x, centre(1) - 2), paper);
    // The leaf has no button, only the dotted elbow of its line.
    EXPECT_EQ(pixel(x - 2, centre(3)), paper);
    EXPECT_TRUE(pixel(x + 2, RowY(3)) != paper || pixel(x + 3, RowY(3)) != paper);
}

TEST_F(TreeViewTest, DumpShowsItemsChildrenExpansionAndSelection) {
    const HTREEITEM hop = Insert(u">> 10.0.0.1");
    Insert(u"router.example", hop);
    const HTREEITEM end = Insert(u"TraceRt Complete");
    SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(end));
    const nlohmann::json content = DumpContent(tree_);
    EXPECT_EQ(content["selected"], "TraceRt Complete");
    ASSERT_EQ(content["items"].size(), 2u);
    EXPECT_EQ(content["items"][0]["text"], ">> 10.0.0.1");
    EXPECT_EQ(content["items"][0]["expanded"], false);
    EXPECT_EQ(content["items"][0]["children"][0]["text"], "router.example");
    EXPECT_TRUE(content["items"][1]["children"].empty());
}

}  // namespace
}  // namespace tessalink::test
