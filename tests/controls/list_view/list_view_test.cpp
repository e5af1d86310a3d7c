// The list view's items, columns and selection, checked by what it tells its parent.
#include "controls/list_view/list_view_fixture.h"
#include "user/dump_content.h"

#include <nlohmann/json.hpp>

namespace tessalink::test {
namespace {

using Sequence = std::vector<std::string>;

TEST_F(ListViewTest, TapMovesTheSelectionAndNotifiesInWindowsOrder) {
    CreateList(LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    AddColumn(0, u"Parameter", 100);
    AddRows(5);
    ASSERT_TRUE(SetState(1, kSelectedFocused, kSelectedFocused));
    EXPECT_EQ(notifications, (Sequence{"changing 1 0->3", "changed 1 0->3"}));
    notifications.clear();

    Tap(RowCenter(3));
    EXPECT_EQ(notifications, (Sequence{"changing 1 3->0", "changed 1 3->0", "changing 3 0->3",
                                       "changed 3 0->3", "click 3 column 0"}));
    EXPECT_EQ(Selected(), 3);
    EXPECT_EQ(Selected(3), -1);
    EXPECT_EQ(Send(LVM_GETNEXTITEM, -1, MAKELPARAM(LVNI_FOCUSED, 0)), 3);
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 1);
    EXPECT_EQ(GetFocus(), list_);

    // Tapping the selected row again changes nothing but still reports the click.
    notifications.clear();
    Tap(RowCenter(3));
    EXPECT_EQ(notifications, Sequence{"click 3 column 0"});

    // Empty space below the rows clears the selection; the focus stays on its row.
    notifications.clear();
    Tap(POINT{20, 140});
    EXPECT_EQ(notifications, (Sequence{"changing 3 3->1", "changed 3 3->1", "click -1 column 0"}));
    EXPECT_EQ(Selected(), -1);
}

TEST_F(ListViewTest, ParentCanRefuseAChangeOfState) {
    CreateList(LVS_REPORT | LVS_SINGLESEL);
    AddColumn(0, u"Parameter", 100);
    AddRows(3);
    refuse_changes = TRUE;
    Tap(RowCenter(2));
    EXPECT_EQ(notifications, (Sequence{"changing 2 0->3", "click 2 column 0"}));
    EXPECT_EQ(Selected(), -1);
}

TEST_F(ListViewTest, SingleSelectionKeepsOneSelectedRowWhateverSetsIt) {
    CreateList(LVS_REPORT | LVS_SINGLESEL);
    AddColumn(0, u"Parameter", 100);
    AddRows(4);
    SetState(0, LVIS_SELECTED, LVIS_SELECTED);
    SetState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 1);
    // Index -1 applies to every row.
    EXPECT_TRUE(SetState(-1, 0, LVIS_SELECTED));
    EXPECT_EQ(Selected(), -1);
    EXPECT_FALSE(SetState(9, 0, LVIS_SELECTED));
}

TEST_F(ListViewTest, LastColumnSizedByHeaderFillsTheRemainingWidth) {
    CreateList(LVS_REPORT, 200, 150);
    RECT client{};
    GetClientRect(list_, &client);
    AddColumn(0, u"Setting", 40);
    AddColumn(1, u"Value", 40);
    AddRow(u"Interface Speed");
    AddRow(u"Host");

    ASSERT_TRUE(Send(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(LVSCW_AUTOSIZE, 0)));
    const int first = static_cast<int>(Send(LVM_GETCOLUMNWIDTH, 0));
    EXPECT_GT(first, 40) << "wide enough for \"Interface Speed\"";
    EXPECT_LT(first, client.right / 2);
    ASSERT_TRUE(Send(LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(LVSCW_AUTOSIZE_USEHEADER, 0)));
    EXPECT_EQ(first + Send(LVM_GETCOLUMNWIDTH, 1), client.right);

    // Not the last column: as wide as its heading only.
    ASSERT_TRUE(Send(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(LVSCW_AUTOSIZE_USEHEADER, 0)));
    EXPECT_LT(Send(LVM_GETCOLUMNWIDTH, 0), first);

    // With more rows than fit, the scroll bar takes its share of the width.
    AddRows(40);
    ASSERT_TRUE(Send(LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(LVSCW_AUTOSIZE_USEHEADER, 0)));
    EXPECT_EQ(Send(LVM_GETCOLUMNWIDTH, 0) + Send(LVM_GETCOLUMNWIDTH, 1),
              client.right - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_FALSE(Send(LVM_SETCOLUMNWIDTH, 2, 10));
}

TEST_F(ListViewTest, SubItemsAreSetAndReadBackPerColumn) {
    CreateList(LVS_REPORT);
    AddColumn(0, u"Setting", 80);
    AddColumn(1, u"Value", 80);
    WCHAR label[] = u"IP Address";
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = 0;
    item.pszText = label;
    item.iImage = 4;
    ASSERT_EQ(Send(LVM_INSERTITEMW, 0, &item), 0);
    WCHAR value[] = u"192.168.1.20";
    item.mask = LVIF_TEXT;
    item.iSubItem = 1;
    item.pszText = value;
    ASSERT_TRUE(Send(LVM_SETITEMW, 0, &item));
    EXPECT_EQ(Text(0, 0), u"IP Address");
    EXPECT_EQ(Text(0, 1), u"192.168.1.20");

    LVITEMW read{};
    read.mask = LVIF_IMAGE | LVIF_PARAM;
    read.iItem = 0;
    ASSERT_TRUE(Send(LVM_GETITEMW, 0, &read));
    EXPECT_EQ(read.iImage, 4);
    EXPECT_EQ(read.lParam, 0);

    // A short buffer gets the text cut and terminated.
    WCHAR small[5] = {u'x', u'x', u'x', u'x', u'x'};
    read = LVITEMW{};
    read.mask = LVIF_TEXT;
    read.iSubItem = 1;
    read.pszText = small;
    read.cchTextMax = 5;
    ASSERT_TRUE(Send(LVM_GETITEMW, 0, &read));
    EXPECT_EQ(std::u16string(small), u"192.");

    WCHAR changed[] = u"10.0.0.1";
    LVITEMW text{};
    text.iSubItem = 1;
    text.pszText = changed;
    ASSERT_TRUE(Send(LVM_SETITEMTEXTW, 0, &text));
    EXPECT_EQ(Text(0, 1), u"10.0.0.1");
    EXPECT_EQ(Send(LVM_GETITEMTEXTW, 0, &read), 4);

    // No third column, no third sub-item; no such row either.
    text.iSubItem = 2;
    EXPECT_FALSE(Send(LVM_SETITEMTEXTW, 0, &text));
    text.iSubItem = 1;
    EXPECT_FALSE(Send(LVM_SETITEMTEXTW, 1, &text));

    // A column inserted in front moves the texts one column on.
    AddColumn(0, u"New", 30);
    EXPECT_EQ(Text(0, 0), u"");
    EXPECT_EQ(Text(0, 1), u"IP Address");
    EXPECT_EQ(Text(0, 2), u"10.0.0.1");
}

TEST_F(ListViewTest, DeletingRowsShiftsTheRestAndDeleteAllTellsTheParent) {
    CreateList(LVS_REPORT | LVS_SINGLESEL);
    AddColumn(0, u"Result", 100);
    AddRow(u"first", 11);
    AddRow(u"second", 22);
    AddRow(u"third", 33);
    // Inserting past the end appends; inserting at 0 puts the row first.
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    WCHAR zeroth[] = u"zeroth";
    item.pszText = zeroth;
    EXPECT_EQ(Send(LVM_INSERTITEMW, 0, &item), 0);
    item.iItem = 99;
    EXPECT_EQ(Send(LVM_INSERTITEMW, 0, &item), 4);

    ASSERT_TRUE(Send(LVM_DELETEITEM, 2));
    EXPECT_EQ(Send(LVM_GETITEMCOUNT), 4);
    EXPECT_EQ(Text(2, 0), u"third");
    LVITEMW read{};
    read.mask = LVIF_PARAM;
    read.iItem = 2;
    Send(LVM_GETITEMW, 0, &read);
    EXPECT_EQ(read.lParam, 33);
    EXPECT_FALSE(Send(LVM_DELETEITEM, 4));
    EXPECT_FALSE(Send(LVM_DELETEITEM, static_cast<WPARAM>(-1)));

    notifications.clear();
    ASSERT_TRUE(Send(LVM_DELETEALLITEMS));
    EXPECT_EQ(notifications, Sequence{"delete all -1"});
    EXPECT_EQ(Send(LVM_GETITEMCOUNT), 0);
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_ALL), -1);
}

TEST_F(ListViewTest, DumpListsColumnsAndEveryRow) {
    CreateList(LVS_REPORT | LVS_SINGLESEL);
    AddColumn(0, u"Result", 120);
    for (int i = 0; i < 10000; ++i) {
        AddRow(u"Ping Response");
    }
    AddRow(u"Ping Complete");
    SetState(10000, LVIS_SELECTED, LVIS_SELECTED);

    const nlohmann::json content = DumpContent(list_);
    ASSERT_EQ(content["columns"].size(), 1u);
    EXPECT_EQ(content["columns"][0]["text"], "Result");
    EXPECT_EQ(content["columns"][0]["width"], 120);
    ASSERT_EQ(content["rows"].size(), 10001u);
    const auto& last = content["rows"][10000];
    EXPECT_EQ(last["cells"][0], "Ping Complete");
    EXPECT_EQ(last["selected"], true);
    EXPECT_EQ(last["image"], 0);
    EXPECT_EQ(content["rows"][0]["selected"], false);
}

TEST_F(ListViewTest, OwnedImageListGoesWithTheListUnlessShared) {
    const HIMAGELIST owned = ImageList_Create(16, 16, ILC_MASK, 1, 1);
    const HIMAGELIST shared = ImageList_Create(16, 16, ILC_MASK, 1, 1);
    CreateList(LVS_REPORT);
    EXPECT_EQ(Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(owned)), 0);
    EXPECT_EQ(Send(LVM_GETIMAGELIST, LVSIL_SMALL), reinterpret_cast<LRESULT>(owned));
    DestroyWindow(list_);
    EXPECT_FALSE(ImageList_Destroy(owned)) << "destroyed with its list";

    CreateList(LVS_REPORT | LVS_SHAREIMAGELISTS);
    Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(shared));
    DestroyWindow(list_);
    EXPECT_TRUE(ImageList_Destroy(shared)) << "a shared list stays with its owner";
}

}  // namespace
}  // namespace tessalink::test
