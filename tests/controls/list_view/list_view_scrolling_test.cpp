// Scrolling by EnsureVisible, the stylus, the scroll bar and the keys, and what a paint
// puts on the screen.
#include "controls/list_view/list_view_fixture.h"
#include "user/screen_pixel.h"

namespace tessalink::test {
namespace {

class ListViewScrollingTest : public ListViewTest {
  protected:
    void SetUp() override {
        ListViewTest::SetUp();
        CreateList(LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
        AddColumn(0, u"Result", 150);
        AddRows(100);
        per_page_ = static_cast<int>(Send(LVM_GETCOUNTPERPAGE));
        ASSERT_GT(per_page_, 2);
        notifications.clear();
    }

    int Top() { return static_cast<int>(Send(LVM_GETTOPINDEX)); }
    int RowHeight() {
        RECT rect{LVIR_BOUNDS, 0, 0, 0};
        Send(LVM_GETITEMRECT, Top(), &rect);
        return rect.bottom - rect.top;
    }
    // The scroll bar's column, in client coordinates.
    int ScrollBarX() {
        RECT client{};
        GetClientRect(list_, &client);
        return client.right - GetSystemMetrics(SM_CXVSCROLL) / 2;
    }
    int ClientBottom() {
        RECT client{};
        GetClientRect(list_, &client);
        return client.bottom;
    }

    void Drag(POINT from, POINT to) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        Send(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    }

    int per_page_ = 0;
};

TEST_F(ListViewScrollingTest, EnsureVisibleScrollsOnlyAsFarAsNeeded) {
    EXPECT_EQ(Top(), 0);
    ASSERT_TRUE(Send(LVM_ENSUREVISIBLE, 50, FALSE));
    EXPECT_EQ(Top(), 50 - per_page_ + 1) << "the row comes in at the bottom";
    ASSERT_TRUE(Send(LVM_ENSUREVISIBLE, 45, FALSE));
    EXPECT_EQ(Top(), 50 - per_page_ + 1) << "already in view";
    ASSERT_TRUE(Send(LVM_ENSUREVISIBLE, 10, FALSE));
    EXPECT_EQ(Top(), 10) << "the row comes in at the top";
    ASSERT_TRUE(Send(LVM_ENSUREVISIBLE, 99, FALSE));
    EXPECT_EQ(Top(), 100 - per_page_);
    EXPECT_FALSE(Send(LVM_ENSUREVISIBLE, 100, FALSE));

    // Deleting rows never leaves empty space under a scrolled list.
    for (int i = 0; i < 10; ++i) {
        Send(LVM_DELETEITEM, 0);
    }
    EXPECT_EQ(Top(), 90 - per_page_);
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
    Tap(POINT{ScrollBarX(), ClientBottom() - 2});
    EXPECT_EQ(Top(), 1) << "down arrow";
    Tap(POINT{ScrollBarX(), 2});
    EXPECT_EQ(Top(), 0) << "up arrow";
    Tap(POINT{ScrollBarX(), ClientBottom() - GetSystemMetrics(SM_CXVSCROLL) - 2});
    EXPECT_EQ(Top(), per_page_) << "track below the thumb: a page";
    // Dragging the thumb, just below the up arrow at the top, to the bottom shows the
    // last rows.
    Send(LVM_ENSUREVISIBLE, 0, FALSE);
    const int thumb_top = GetSystemMetrics(SM_CXVSCROLL) + 1;
    Drag(POINT{ScrollBarX(), thumb_top}, POINT{ScrollBarX(), ClientBottom()});
    EXPECT_EQ(Top(), 100 - per_page_);
    EXPECT_TRUE(notifications.empty()) << "the scroll bar selects nothing";
}

TEST_F(ListViewScrollingTest, ArrowKeysMoveTheSelectionIntoView) {
    Send(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(notifications, (std::vector<std::string>{"changing 0 0->3", "changed 0 0->3"}));
    Send(WM_KEYDOWN, VK_END);
    EXPECT_EQ(Selected(), 99);
    EXPECT_EQ(Top(), 100 - per_page_);
    Send(WM_KEYDOWN, VK_HOME);
    Send(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(Top(), 0);
    for (int i = 0; i < per_page_; ++i) {
        Send(WM_KEYDOWN, VK_DOWN);
    }
    EXPECT_EQ(Selected(), per_page_);
    EXPECT_EQ(Top(), 1);
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 1);
}

TEST_F(ListViewScrollingTest, PaintShowsHeaderSelectionAndImages) {
    // A 16 x 16 red image whose magenta top-left pixel is transparent.
    std::vector<DWORD> pixels(16 * 16, 0xFF0000);
    pixels[0] = 0xFF00FF;
    HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, pixels.data());
    const HIMAGELIST images = ImageList_Create(16, 16, ILC_MASK, 1, 1);
    ImageList_AddMasked(images, bitmap, RGB(255, 0, 255));
    DeleteObject(bitmap);
    Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    Tap(RowCenter(1));
    UpdateWindow(list_);

    RECT row0{LVIR_BOUNDS, 0, 0, 0};
    Send(LVM_GETITEMRECT, 0, &row0);
    EXPECT_GE(row0.bottom - row0.top, 16) << "rows grow to hold their image";
    EXPECT_EQ(ClientPixel(list_, POINT{4, row0.top - 5}), GetSysColor(COLOR_BTNFACE))
        << "header above the rows";
    const int image_top = row0.top + (row0.bottom - row0.top - 16) / 2;
    EXPECT_EQ(ClientPixel(list_, POINT{3, image_top + 5}), RGB(255, 0, 0));
    EXPECT_EQ(ClientPixel(list_, POINT{2, image_top}), GetSysColor(COLOR_WINDOW));
    const POINT label{row0.left + 20, RowCenter(1).y};
    EXPECT_EQ(ClientPixel(list_, label), GetSysColor(COLOR_HIGHLIGHT)) << "focused selection";
    EXPECT_EQ(ClientPixel(list_, POINT{label.x, RowCenter(2).y - 5}), GetSysColor(COLOR_WINDOW));

    // Without the focus, a list that always shows its selection greys it.
    SetFocus(recorder_.parent());
    UpdateWindow(list_);
    EXPECT_EQ(ClientPixel(list_, label), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace tessalink::test
