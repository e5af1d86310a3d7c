// One column of a report view. The column at position i shows sub-item i of every row.
#pragma once

#include <commctrl.h>

#include <string>

namespace platform::controls {

struct ListViewColumn {
    std::u16string text;
    int width = 0;
    // LVCFMT_LEFT, LVCFMT_RIGHT or LVCFMT_CENTER.
    int format = LVCFMT_LEFT;
};

}  // namespace platform::controls
