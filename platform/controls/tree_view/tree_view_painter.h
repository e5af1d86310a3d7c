// Draws the tree view's rows in the Pocket PC look: dotted grey lines that join items to
// their parents and siblings, small boxed plus and minus buttons, and the selected
// label on the highlight colour.
#pragma once

#include <windows.h>

#include "controls/tree_view/tree_view_items.h"
#include "controls/tree_view/tree_view_layout.h"

namespace platform::controls {

class TreeViewPainter {
  public:
    struct Options {
        bool lines = false;
        bool buttons = false;
        // Highlight the selected item (it has the focus, or TVS_SHOWSELALWAYS).
        bool showSelection = false;
        std::optional<TreeViewItems::Slot> selection;
    };

    TreeViewPainter(HDC dc, const TreeViewItems& items, const TreeViewLayout& layout,
                    const Options& options)
        : dc_(dc), items_(items), layout_(layout), options_(options) {}

    // Paints the rows from `firstRow` down, each `layout.rowHeight` high, from y = 0.
    void PaintRows(int firstRow, int rowCount);

  private:
    void PaintLines(const TreeViewItems::Row& row, int top);
    void PaintButton(const TreeViewItems::Row& row, int top);
    void PaintLabel(const TreeViewItems::Row& row, int top);
    void DottedVertical(int x, int top, int bottom);
    void DottedHorizontal(int left, int right, int y);

    HDC dc_;
    const TreeViewItems& items_;
    const TreeViewLayout& layout_;
    const Options& options_;
};

}  // namespace platform::controls
