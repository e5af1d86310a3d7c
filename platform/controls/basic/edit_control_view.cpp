// What of an edit control's text shows where: the format rectangle inside the client
// area, the lines in it, scrolling, and painting text, selection and caret.
#include <algorithm>

#include "controls/basic/edit_control.h"
#include "controls/control_parent.h"
#include "controls/text_measure.h"
#include "gdi/pocket_pc_painter.h"

namespace platform::controls {

namespace {

// Blank space between the client edge and the text, left and right.
constexpr int kHorizontalMargin = 2;
constexpr int kVerticalMargin = 1;

}  // namespace

RECT EditControl::FormatRect() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    RECT format{client.left + kHorizontalMargin, client.top, client.right - kHorizontalMargin,
                client.bottom};
    if (IsMultiLine()) {
        format.top += kVerticalMargin;
    }
    format.right = std::max(format.right, format.left + 1);
    format.bottom = std::max(format.bottom, format.top + 1);
    return format;
}

int EditControl::VisibleLineCount(const TextMeasure& measure) const {
    const RECT format = FormatRect();
    return std::max(1, static_cast<int>(format.bottom - format.top) / measure.LineHeight());
}

int EditControl::LineTop(std::size_t line, const TextMeasure& measure) const {
    const RECT format = FormatRect();
    if (!IsMultiLine()) {
        // One line sits in the middle of the control's height.
        return format.top +
               std::max(0,
                        (static_cast<int>(format.bottom - format.top) - measure.LineHeight()) / 2);
    }
    return format.top +
           (static_cast<int>(line) - static_cast<int>(firstLine_)) * measure.LineHeight();
}

void EditControl::InvalidateLayout() {
    layoutValid_ = false;
}

void EditControl::EnsureLayout(TextMeasure& measure) {
    if (layoutValid_) {
        return;
    }
    const RECT format = FormatRect();
    const bool wraps = IsMultiLine() && !(Style() & ES_AUTOHSCROLL);
    layout_.Build(buffer_.Text(), IsMultiLine(), wraps ? format.right - format.left : 0,
                  [&measure](std::u16string_view text) { return measure.Width(text); });
    layoutValid_ = true;
}

void EditControl::ScrollToCaret() {
    TextMeasure measure(font_);
    EnsureLayout(measure);
    const auto width = [&measure](std::u16string_view text) { return measure.Width(text); };
    const std::size_t caret = buffer_.Caret();
    const std::size_t line = layout_.LineOf(caret);
    if (IsMultiLine()) {
        const auto visible = static_cast<std::size_t>(VisibleLineCount(measure));
        if (line < firstLine_) {
            firstLine_ = line;
        } else if (line >= firstLine_ + visible) {
            firstLine_ = line - visible + 1;
        }
        // Text that became shorter pulls the view back so it stays filled.
        const std::size_t count = layout_.LineCount();
        firstLine_ = std::min(firstLine_, count > visible ? count - visible : 0);
    }
    const RECT format = FormatRect();
    const int formatWidth = format.right - format.left;
    const int x = layout_.XOf(caret, width);
    const EditLine& current = layout_.Line(line);
    const std::u16string_view lineText =
        std::u16string_view(buffer_.Text()).substr(current.start, current.length);
    if (width(lineText) < formatWidth) {
        xOffset_ = 0;
    } else if (x < xOffset_) {
        // Jump a quarter of the width past the caret, so that moving on does not
        // scroll at every character.
        xOffset_ = std::max(0, x - formatWidth / 4);
    } else if (x >= xOffset_ + formatWidth) {
        xOffset_ = x - formatWidth * 3 / 4;
    }
}

std::size_t EditControl::PositionAtPoint(POINT point) {
    TextMeasure measure(font_);
    EnsureLayout(measure);
    const RECT format = FormatRect();
    std::size_t line = 0;
    if (IsMultiLine()) {
        // Rows above the first visible line (a drag past the top) count as negative.
        const int offset = static_cast<int>(point.y - format.top);
        const int height = measure.LineHeight();
        const int row = offset >= 0 ? offset / height : -((height - 1 - offset) / height);
        const auto last = static_cast<int>(layout_.LineCount()) - 1;
        line = static_cast<std::size_t>(std::clamp(static_cast<int>(firstLine_) + row, 0, last));
    }
    const int x = static_cast<int>(point.x - format.left) + xOffset_;
    return layout_.PositionAt(line, x,
                              [&measure](std::u16string_view text) { return measure.Width(text); });
}

void EditControl::Paint(HDC dc, const RECT& client) {
    const bool enabled = IsWindowEnabled(hwnd_) != FALSE;
    // A read-only or disabled edit is coloured as static text is.
    const UINT colorMessage = IsReadOnly() || !enabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    FillRect(dc, &client, ParentBrush(hwnd_, colorMessage, dc));
    if (!enabled) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    TextMeasure measure(font_);
    EnsureLayout(measure);
    SetBkMode(dc, TRANSPARENT);
    const RECT format = FormatRect();
    const std::size_t first = IsMultiLine() ? firstLine_ : 0;
    for (std::size_t line = first; line < layout_.LineCount(); ++line) {
        const int top = LineTop(line, measure);
        if (top >= format.bottom) {
            break;
        }
        PaintLine(dc, line, top, format, measure);
    }
    if (focused_) {
        const std::size_t line = layout_.LineOf(buffer_.Caret());
        const int x = format.left - xOffset_ +
                      layout_.XOf(buffer_.Caret(), [&measure](std::u16string_view text) {
                          return measure.Width(text);
                      });
        const int top = LineTop(line, measure);
        if (line >= first && top < format.bottom && x >= client.left && x < client.right) {
            gdi::PocketPcPainter::FillSolid(
                dc, RECT{x, top, x + 1, std::min<LONG>(top + measure.LineHeight(), client.bottom)},
                GetSysColor(COLOR_WINDOWTEXT));
        }
    }
}

void EditControl::PaintLine(HDC dc, std::size_t line, int top, const RECT& format,
                            const TextMeasure& measure) const {
    const EditLine& shown = layout_.Line(line);
    const std::u16string_view text =
        std::u16string_view(buffer_.Text()).substr(shown.start, shown.length);
    // The selection's part of this line, as offsets into it; shown only while the
    // control has the focus, unless ES_NOHIDESEL keeps it.
    std::size_t selectedFrom = text.size();
    std::size_t selectedTo = text.size();
    if ((focused_ || (Style() & ES_NOHIDESEL)) && buffer_.HasSelection()) {
        const auto clampToLine = [&](std::size_t position) {
            return std::clamp(position, shown.start, shown.start + shown.length) - shown.start;
        };
        selectedFrom = clampToLine(buffer_.SelectionStart());
        selectedTo = clampToLine(buffer_.SelectionEnd());
    }
    const int left = format.left - xOffset_;
    const auto draw = [&](std::size_t from, std::size_t to, bool selected) {
        if (from >= to) {
            return;
        }
        const int x = left + measure.Width(text.substr(0, from));
        const std::u16string_view piece = text.substr(from, to - from);
        if (!selected) {
            ExtTextOutW(dc, x, top, ETO_CLIPPED, &format, piece.data(),
                        static_cast<UINT>(piece.size()), nullptr);
            return;
        }
        RECT band{x, top, x + measure.Width(piece), top + measure.LineHeight()};
        IntersectRect(&band, &band, &format);
        const COLORREF ink = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        const COLORREF background = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        ExtTextOutW(dc, x, top, ETO_CLIPPED | ETO_OPAQUE, &band, piece.data(),
                    static_cast<UINT>(piece.size()), nullptr);
        SetBkColor(dc, background);
        SetTextColor(dc, ink);
    };
    draw(0, selectedFrom, false);
    draw(selectedFrom, selectedTo, true);
    draw(selectedTo, text.size(), false);
}

}  // namespace platform::controls
