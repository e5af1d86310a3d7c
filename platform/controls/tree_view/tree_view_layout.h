// Where the parts of a tree view's row lie, shared by painting and hit-testing so that
// a tap lands on what was drawn. Each depth of the tree takes one column of `indent`
// pixels; an item's button and line joint sit in the column left of its label.
#pragma once

#include <windows.h>

namespace platform::controls {

struct TreeViewLayout {
    int rowHeight = 16;
    int indent = 16;
    // TVS_LINESATROOT: root items get a column of their own for their button and lines.
    bool linesAtRoot = false;

    static constexpr int kButtonSize = 9;
    static constexpr int kLabelGap = 2;

    // The column holding the item's label; the joint is the column before it.
    int LabelColumn(int depth) const { return depth + (linesAtRoot ? 1 : 0); }
    int LabelLeft(int depth) const { return LabelColumn(depth) * indent + kLabelGap; }
    // The centre of the joint (button, line elbow); none for root items without
    // TVS_LINESATROOT.
    bool HasJoint(int depth) const { return LabelColumn(depth) > 0; }
    int JointX(int depth) const { return (LabelColumn(depth) - 1) * indent + indent / 2; }
    RECT ButtonRect(int depth, int rowTop) const {
        const int left = JointX(depth) - kButtonSize / 2;
        const int top = rowTop + (rowHeight - kButtonSize) / 2;
        return RECT{left, top, left + kButtonSize, top + kButtonSize};
    }
};

}  // namespace platform::controls
