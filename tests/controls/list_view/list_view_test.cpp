// The report-view list: items, columns and selection checked by what it tells its
// parent, each notification kept as one line of text ("changed 3 0->3", "click 3") so a
// failing sequence reads plainly; scrolling by message, stylus, scroll bar and keys; and
// what a paint puts on the screen.
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "controls/basic/control_test.h"
#include "user/dump_content.h"
#include "user/screen_pixel.h"

namespace tessalink::test {
namespace {

using Sequence = std::vector<std::string>;

std::string DescribeListNotification(const NMHDR& header) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    const std::string item = std::to_string(change.iItem);
    const std::string states =
        " " + std::to_string(change.uOldState) + "->" + std::to_string(change.uNewState);
    switch (header.code) {
        case LVN_ITEMCHANGING:
            return "changing " + item + states;
        case LVN_ITEMCHANGED:
            return "changed " + item + states;
        case LVN_DELETEALLITEMS:
            return "delete all " + item;
        case NM_CLICK:
            return "click " + item + " column " +
                   std::to_string(reinterpret_cast<const NMITEMACTIVATE&>(header).iSubItem);
        default:
            return "code " + std::to_string(static_cast<int>(header.code));
    }
}

class ListViewTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        onNotify = [this](const NMHDR& header) -> LRESULT {
            notifications.push_back(DescribeListNotification(header));
            return 0;
        };
    }

    // A report list of one column, or of `columns` ("heading", width) pairs, with `rows`
    // rows "row 0", "row 1"...
    HWND CreateList(DWORD style, int rows = 0,
                    std::initializer_list<std::pair<const char16_t*, int>> columns = {
                        {u"Result", 150}}) {
        list_ = Child(WC_LISTVIEWW, u"", WS_BORDER | LVS_REPORT | style, {0, 0, 200, 150}, 1029);
        int index = 0;
        for (const auto& [heading, width] : columns) {
            AddColumn(index++, heading, width);
        }
        for (int i = 0; i < rows; ++i) {
            AddRow(u"row " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
        }
        notifications.clear();
        return list_;
    }
    template <class T = LPARAM>
    LRESULT Send(UINT message, WPARAM wParam = 0, T lParam = 0) {
        return ControlTest::Send(list_, message, wParam, lParam);
    }
    void AddColumn(int index, const char16_t* heading, int width) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.cx = width;
        column.pszText = const_cast<LPWSTR>(heading);
        ASSERT_EQ(Send(LVM_INSERTCOLUMNW, index, &column), index);
    }
    int AddRow(std::u16string text, int at = -1) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = at < 0 ? static_cast<int>(Send(LVM_GETITEMCOUNT)) : at;
        item.pszText = text.data();
        return static_cast<int>(Send(LVM_INSERTITEMW, 0, &item));
    }
    // The text of one cell, read with room for `room` characters.
    std::u16string Text(int index, int sub_item, int room = 64) {
        WCHAR buffer[64] = {};
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.iSubItem = sub_item;
        item.pszText = buffer;
        item.cchTextMax = room;
        Send(LVM_GETITEMW, 0, &item);
        return buffer;
    }
    RECT RowRect(int index) {
        RECT rect{LVIR_BOUNDS, 0, 0, 0};
        EXPECT_TRUE(Send(LVM_GETITEMRECT, index, &rect));
        return rect;
    }
    POINT RowCenter(int index) {
        const RECT rect = RowRect(index);
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    void Drag(POINT from, POINT to) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        Send(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    }
    void Tap(POINT point) { Drag(point, point); }
    int Selected(int after = -1) {
        return static_cast<int>(Send(LVM_GETNEXTITEM, after, MAKELPARAM(LVNI_SELECTED, 0)));
    }
    int Top() { return static_cast<int>(Send(LVM_GETTOPINDEX)); }
    RECT Client() {
        RECT client{};
        GetClientRect(list_, &client);
        return client;
    }

    // Each notification as a line of text, oldest first.
    std::vector<std::string> notifications;
    HWND list_ = nullptr;
};

TEST_F(ListViewTest, TapMovesTheSelectionNotifiesInWindowsOrderAndPaintsIt) {
    CreateList(LVS_SINGLESEL | LVS_SHOWSELALWAYS, 5);
    Tap(RowCenter(1));
    EXPECT_EQ(notifications, (Sequence{"changing 1 0->3", "changed 1 0->3", "click 1 column 0"}));
    notifications.clear();
    Tap(RowCenter(3));
    EXPECT_EQ(notifications, (Sequence{"changing 1 3->0", "changed 1 3->0", "changing 3 0->3",
                                       "changed 3 0->3", "click 3 column 0"}));
    EXPECT_EQ(Selected(), 3);
    EXPECT_EQ(GetFocus(), list_);

    // Tapping the selected row again changes nothing but still reports the click.
    notifications.clear();
    Tap(RowCenter(3));
    EXPECT_EQ(notifications, Sequence{"click 3 column 0"});
    // The selection is painted, greyed while another window has the focus. (The header,
    // the images and the rows' height are seen in the golden screens.)
    const POINT label{RowRect(3).left + 1, RowCenter(3).y};  // the label's margin
    UpdateWindow(list_);
    EXPECT_EQ(ClientPixel(list_, label), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ClientPixel(list_, RowCenter(2)), GetSysColor(COLOR_WINDOW));
    SetFocus(parent_);
    UpdateWindow(list_);
    EXPECT_EQ(ClientPixel(list_, label), GetSysColor(COLOR_BTNFACE));
    // Empty space below the rows clears the selection; the focus stays on its row.
    notifications.clear();
    Tap(POINT{20, 140});
    EXPECT_EQ(notifications, (Sequence{"changing 3 3->1", "changed 3 3->1", "click -1 column 0"}));
    EXPECT_EQ(Selected(), -1);
}

TEST_F(ListViewTest, RowsKeepTheirCellsAndGoAllAtOnce) {
    CreateList(0, 0, {{u"Setting", 80}, {u"Value", 80}});
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.pszText = const_cast<LPWSTR>(u"IP");
    item.iImage = 4;
    item.lParam = 33;
    ASSERT_EQ(Send(LVM_INSERTITEMW, 0, &item), 0);
    item.mask = LVIF_TEXT;
    item.iSubItem = 1;
    item.pszText = const_cast<LPWSTR>(u"192.168.1.20");
    ASSERT_TRUE(Send(LVM_SETITEMW, 0, &item));
    EXPECT_EQ(Text(0, 0), u"IP");
    EXPECT_EQ(Text(0, 1), u"192.168.1.20");
    EXPECT_EQ(Text(0, 1, 5), u"192.") << "a short buffer gets the text cut and terminated";
    LVITEMW read{};
    read.mask = LVIF_IMAGE | LVIF_PARAM;
    ASSERT_TRUE(Send(LVM_GETITEMW, 0, &read));
    EXPECT_EQ(read.iImage, 4);
    EXPECT_EQ(read.lParam, 33);

    EXPECT_EQ(AddRow(u"first", 0), 0);
    EXPECT_EQ(AddRow(u"last", 99), 2) << "inserting past the end appends";
    EXPECT_EQ(Text(1, 0), u"IP");
    ASSERT_TRUE(Send(LVM_DELETEALLITEMS));
    EXPECT_EQ(notifications, Sequence{"delete all -1"});
    EXPECT_EQ(Send(LVM_GETITEMCOUNT), 0);
    EXPECT_EQ(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_ALL), -1);
}

TEST_F(ListViewTest, DumpListsColumnsAndEveryRowNotOnlyThoseShown) {
    CreateList(LVS_SINGLESEL, 30, {{u"Result", 120}});
    Send(WM_KEYDOWN, VK_END);
    const nlohmann::json content = DumpContent(list_);
    EXPECT_EQ(content["columns"][0], (nlohmann::json{{"text", "Result"}, {"width", 120}}));
    ASSERT_EQ(content["rows"].size(), 30u);
    EXPECT_EQ(content["rows"][29]["cells"][0], "row 9");
    EXPECT_EQ(content["rows"][29]["selected"], true);
    EXPECT_EQ(content["rows"][0]["selected"], false);
}

TEST_F(ListViewTest, ItsImageListGoesWithTheList) {
    const HIMAGELIST images = ImageList_Create(16, 16, ILC_MASK, 1, 1);
    CreateList(0);
    EXPECT_EQ(Send(LVM_SETIMAGELIST, LVSIL_SMALL, images), 0);
    EXPECT_EQ(Send(LVM_GETIMAGELIST, LVSIL_SMALL), reinterpret_cast<LRESULT>(images));
    DestroyWindow(list_);
    EXPECT_FALSE(ImageList_Destroy(images)) << "already destroyed with the control";
}

// A hundred rows in a list that shows a few.
class ListViewScrollingTest : public ListViewTest {
  protected:
    void SetUp() override {
        ListViewTest::SetUp();
        CreateList(LVS_SINGLESEL | LVS_SHOWSELALWAYS, 100);
        per_page_ = static_cast<int>(Send(LVM_GETCOUNTPERPAGE));
        ASSERT_GT(per_page_, 2);
    }
    int RowHeight() { return RowRect(Top()).bottom - RowRect(Top()).top; }
    // Client x of the scroll bar's column.
    int ScrollBarX() { return Client().right - GetSystemMetrics(SM_CXVSCROLL) / 2; }

    int per_page_ = 0;
};

TEST_F(ListViewScrollingTest, EnsureVisibleScrollsOnlyAsFarAsNeeded) {
    const auto ensure = [&](int row) {
        EXPECT_TRUE(Send(LVM_ENSUREVISIBLE, row, FALSE));
        return Top();
    };
    EXPECT_EQ(ensure(per_page_), 1) << "just below the last row shown";
    EXPECT_EQ(ensure(50), 50 - per_page_ + 1) << "the row comes in at the bottom";
    EXPECT_EQ(ensure(45), 50 - per_page_ + 1) << "already in view";
    EXPECT_EQ(ensure(10), 10) << "the row comes in at the top";
    EXPECT_EQ(ensure(99), 100 - per_page_);
    EXPECT_FALSE(Send(LVM_ENSUREVISIBLE, 100, FALSE));
    EXPECT_TRUE(notifications.empty());
}

TEST_F(ListViewScrollingTest, StylusDragScrollsWithoutSelecting) {
    const POINT start = RowCenter(per_page_ - 1);
    Drag(start, POINT{start.x, start.y - 3 * RowHeight()});
    EXPECT_EQ(Top(), 3);
    Drag(RowCenter(3), POINT{start.x, RowCenter(3).y + 10 * RowHeight()});
    EXPECT_EQ(Top(), 0) << "never above the first row";
    EXPECT_TRUE(notifications.empty());
    EXPECT_EQ(Selected(), -1);
    // A small wobble is still a tap.
    const POINT row = RowCenter(2);
    Drag(row, POINT{row.x, row.y + 2});
    EXPECT_EQ(Selected(), 2);
}

TEST_F(ListViewScrollingTest, ScrollBarArrowsTrackAndThumbMoveTheRows) {
    const int arrow = GetSystemMetrics(SM_CXVSCROLL);
    const int bottom = Client().bottom;
    Tap(POINT{ScrollBarX(), bottom - 2});
    EXPECT_EQ(Top(), 1) << "down arrow";
    Tap(POINT{ScrollBarX(), 2});
    EXPECT_EQ(Top(), 0) << "up arrow";
    Tap(POINT{ScrollBarX(), bottom - arrow - 2});
    EXPECT_EQ(Top(), per_page_) << "track below the thumb: a page";
    // The thumb, dragged from just below the up arrow to the bottom, shows the last rows.
    Send(LVM_ENSUREVISIBLE, 0, FALSE);
    Drag(POINT{ScrollBarX(), arrow + 1}, POINT{ScrollBarX(), bottom});
    EXPECT_EQ(Top(), 100 - per_page_);
    EXPECT_TRUE(notifications.empty()) << "the scroll bar selects nothing";
}

TEST_F(ListViewScrollingTest, ArrowKeysMoveTheSelectionIntoView) {
    Send(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(notifications, (Sequence{"changing 0 0->3", "changed 0 0->3"}));
    Send(WM_KEYDOWN, VK_END);
    EXPECT_EQ(Selected(), 99);
    EXPECT_EQ(Top(), 100 - per_page_);
    Send(WM_KEYDOWN, VK_HOME);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Top(), 0);
    for (int i = 0; i < per_page_; ++i) {
        Send(WM_KEYDOWN, VK_DOWN);
    }
    EXPECT_EQ(Selected(), per_page_);
    EXPECT_EQ(Top(), 1);
}

}  // namespace
}  // namespace tessalink::test
