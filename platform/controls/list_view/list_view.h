// The list view's state and behaviour in report view: columns, rows, the selection,
// scrolling, and the notifications a tap or a key sends the parent. ControlWindow keeps
// one ListView per window in the window's extra bytes; HandleMessage
// (list_view_window.cpp) only unpacks parameters for it; the painting is
// ListViewPainter's.
//
// Every list is shown as a report view, the only view the program uses. The headings
// are never buttons, so a list with LVS_NOSORTHEADER looks and acts like one without.
#pragma once

#include <commctrl.h>
#include <windows.h>

#include <nlohmann/json.hpp>
#include <vector>

#include "controls/control_window.h"
#include "controls/list_view/list_view_column.h"
#include "controls/list_view/list_view_layout.h"
#include "controls/list_view/list_view_rows.h"
#include "controls/vertical_scroll_bar.h"

namespace platform::controls {

// Registers "SysListView32". Registering twice is harmless.
void RegisterListViewClass();

class ListView final : public ControlBase {
  public:
    ListView(HWND window, const CREATESTRUCTW& create);
    // Destroys the small image list, unless the style shares image lists.
    ~ListView();
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Columns.
    int InsertColumn(int index, const LVCOLUMNW* column);
    bool SetColumnWidth(int index, int width);
    int ColumnWidth(int index) const;

    // Items. The Get functions fill what the structure's mask asks for.
    int InsertItem(const LVITEMW* item);
    bool SetItem(const LVITEMW* item);
    bool GetItem(LVITEMW* item) const;
    bool SetItemText(int index, const LVITEMW* item);
    int GetItemText(int index, LVITEMW* item) const;
    bool DeleteItem(int index);
    bool DeleteAllItems();
    int ItemCount() const { return rows_.Count(); }
    int NextItem(int start, UINT flags) const;
    // Index -1 changes every row.
    bool SetItemState(int index, const LVITEMW* item);
    UINT ItemState(int index, UINT mask) const;
    int SelectedCount() const { return rows_.CountWith(LVIS_SELECTED); }
    bool GetItemRect(int index, RECT* rect) const;

    // Scrolling.
    bool EnsureVisible(int index);
    int TopIndex() const { return layout_.TopIndex(); }
    int CountPerPage() const { return layout_.CountPerPage(); }

    // Returns the list held before; LVSIL_SMALL is the only kind a report view draws.
    HIMAGELIST SetImageList(int kind, HIMAGELIST list);
    HIMAGELIST ImageList(int kind) const;

    void OnSize();
    void OnFocusChanged();
    void OnLButtonDown(POINT point);
    void OnMouseMove(POINT point);
    void OnLButtonUp(POINT point);
    void OnCaptureLost();
    // Returns whether the key was one the list handles.
    bool OnKeyDown(UINT key);
    void Paint(HDC dc, const RECT& client) override;
    void Dump(nlohmann::json& content) const;

  private:
    // What the stylus is doing between going down and coming up.
    enum class Track { None, Tap, DragRows, Thumb, ScrollBarButton };

    void UpdateMetrics();
    void OnFontChanged() override { UpdateMetrics(); }
    void SyncRowCount();
    void InvalidateFrom(int index);
    void InvalidateRow(int index);
    void InvalidateAll();
    VerticalScrollBar ScrollBar() const;
    void ScrollTo(int top_index);
    int ColumnAt(int x) const;

    // Changes one row's state bits under `mask`, asking the parent first with
    // LVN_ITEMCHANGING and telling it after with LVN_ITEMCHANGED. Returns false when
    // the parent refused or the row went away meanwhile.
    bool ChangeState(int index, UINT state, UINT mask, POINT action = {});
    // Makes `index` the one selected and focused row (-1: no row selected), deselecting
    // the others first, as a tap or an arrow key does.
    void SelectOnly(int index, POINT action = {});
    LRESULT Notify(UINT code, NMHDR& header) const;
    void NotifyClick(POINT point);
    void MoveSelection(int target);
    void ScrollByPart(ScrollBarPart part);

    HWND window_ = nullptr;
    DWORD style_ = 0;
    HIMAGELIST small_images_ = nullptr;
    std::vector<ListViewColumn> columns_;
    ListViewRows rows_;
    ListViewLayout layout_;

    Track track_ = Track::None;
    POINT track_start_{};
    int track_start_top_ = 0;
    ScrollBarPart pressed_part_ = ScrollBarPart::None;
    int thumb_grab_offset_ = 0;
};

}  // namespace platform::controls
