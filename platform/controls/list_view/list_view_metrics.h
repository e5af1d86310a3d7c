// Spacing of the list view's cells, shared by its painting and its column sizing so
// that a column sized to its texts shows them whole.
#pragma once

namespace platform::controls {

// Left and right of a cell's text.
inline constexpr int kListViewTextMargin = 4;
// Left and right of a column heading.
inline constexpr int kListViewHeaderMargin = 6;
// Left of a row's small image.
inline constexpr int kListViewImageMargin = 2;
// Added to the taller of text and image for a row, and to the text for the header.
inline constexpr int kListViewRowPadding = 2;
inline constexpr int kListViewHeaderPadding = 6;

}  // namespace platform::controls
