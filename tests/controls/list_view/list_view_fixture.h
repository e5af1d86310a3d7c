// A list view on the recording parent, its notifications kept each as one line of text
// ("changed 3 0->3", "click 3"), so a failing sequence reads plainly.
#pragma once

#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/notification_recorder.h"

namespace tessalink::test {

inline std::string Describe(const NMHDR& header) {
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

class ListViewTest : public ::testing::Test {
  protected:
    static constexpr int kListId = 1029;
    static constexpr UINT kSelectedFocused = LVIS_SELECTED | LVIS_FOCUSED;

    void SetUp() override {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&init));
        recorder_.onNotify = [this](const NMHDR& header) -> LRESULT {
            notifications.push_back(Describe(header));
            return header.code == LVN_ITEMCHANGING ? refuse_changes : 0;
        };
    }

    HWND CreateList(DWORD style, int width = 200, int height = 150) {
        list_ =
            recorder_.CreateChild(WC_LISTVIEWW, WS_BORDER | style, {0, 0, width, height}, kListId);
        return list_;
    }

    template <class T>
    LRESULT Send(UINT message, WPARAM wParam, T* lParam) {
        return SendMessageW(list_, message, wParam, reinterpret_cast<LPARAM>(lParam));
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(list_, message, wParam, lParam);
    }

    void AddColumn(int index, const char16_t* heading, int width) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.cx = width;
        column.pszText = const_cast<LPWSTR>(heading);
        ASSERT_EQ(Send(LVM_INSERTCOLUMNW, index, &column), index);
    }

    int AddRow(std::u16string text, LPARAM param = 0) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(Send(LVM_GETITEMCOUNT));
        item.pszText = text.data();
        item.lParam = param;
        return static_cast<int>(Send(LVM_INSERTITEMW, 0, &item));
    }

    void AddRows(int count) {
        for (int i = 0; i < count; ++i) {
            AddRow(u"row " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
        }
    }

    std::u16string Text(int index, int sub_item) {
        WCHAR buffer[64] = {};
        LVITEMW item{};
        item.iSubItem = sub_item;
        item.pszText = buffer;
        item.cchTextMax = 64;
        Send(LVM_GETITEMTEXTW, index, &item);
        return buffer;
    }

    POINT RowCenter(int index) {
        RECT rect{LVIR_BOUNDS, 0, 0, 0};
        EXPECT_TRUE(Send(LVM_GETITEMRECT, index, &rect));
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    void Tap(POINT point) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        Send(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }

    // LVM_SETITEMSTATE on row `index` (-1 for every row).
    LRESULT SetState(int index, UINT state, UINT mask) {
        LVITEMW item{};
        item.state = state;
        item.stateMask = mask;
        return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), &item);
    }

    int Selected(int after = -1) {
        return static_cast<int>(Send(LVM_GETNEXTITEM, after, MAKELPARAM(LVNI_SELECTED, 0)));
    }

    NotificationRecorder recorder_;
    // Each notification as a line of text, oldest first.
    std::vector<std::string> notifications;
    // What the parent answers to LVN_ITEMCHANGING: nonzero refuses the change.
    LRESULT refuse_changes = 0;
    HWND list_ = nullptr;
};

}  // namespace tessalink::test
