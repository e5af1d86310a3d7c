// The text of an edit control with its selection and length limit, apart from any
// window: what typing, deleting and replacing do to the characters. A line break is
// the pair "\r\n"; the caret never stands between its two halves, and one step over
// it (an arrow key, Backspace, Delete) takes both.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::controls {

class EditBuffer {
  public:
    // The limit a new edit control starts with, in characters.
    static constexpr std::size_t kDefaultLimit = 32767;
    // What EM_LIMITTEXT with 0 means: as much as the control can hold.
    static constexpr std::size_t kLargestLimit = 0x7FFFFFFE;

    struct Replacement {
        bool changed = false;  // the text is different afterwards
        bool cut = false;      // the limit kept part of the new text out
    };

    const std::u16string& Text() const { return text_; }
    std::size_t Length() const { return text_.size(); }
    // The selection runs from the anchor to the caret, in either order.
    std::size_t Anchor() const { return anchor_; }
    std::size_t Caret() const { return caret_; }
    std::size_t SelectionStart() const;
    std::size_t SelectionEnd() const;
    bool HasSelection() const { return anchor_ != caret_; }
    std::size_t Limit() const { return limit_; }
    void SetLimit(std::size_t limit) { limit_ = limit; }

    // Replaces the whole text, whatever the limit; the caret goes to the start.
    void SetText(std::u16string_view text);
    // Positions past the end go to the end; a position inside a line break moves
    // back before it.
    void Select(std::size_t anchor, std::size_t caret);
    // Moves the caret; with `extend` the anchor stays, so the selection grows or
    // shrinks, otherwise the selection collapses at the caret.
    void MoveCaret(std::size_t position, bool extend);

    // Puts `text` in place of the selection, as much of it as the limit allows, and
    // leaves the caret after it.
    Replacement ReplaceSelection(std::u16string_view text, bool honourLimit);
    // Backspace and Delete: the selection, or else one character (or line break)
    // before or after the caret. False when there was nothing to delete.
    bool DeleteBackward();
    bool DeleteForward();

    // The caret positions one step before and after `position`.
    std::size_t PreviousPosition(std::size_t position) const;
    std::size_t NextPosition(std::size_t position) const;

  private:
    std::size_t Valid(std::size_t position) const;

    std::u16string text_;
    std::size_t anchor_ = 0;
    std::size_t caret_ = 0;
    std::size_t limit_ = kDefaultLimit;
};

}  // namespace platform::controls
