#include "controls/basic/edit_buffer.h"

#include <algorithm>

namespace platform::controls {

namespace {

bool IsBreakAt(const std::u16string& text, std::size_t position) {
    return position + 1 < text.size() && text[position] == u'\r' && text[position + 1] == u'\n';
}

}  // namespace

std::size_t EditBuffer::SelectionStart() const {
    return std::min(anchor_, caret_);
}

std::size_t EditBuffer::SelectionEnd() const {
    return std::max(anchor_, caret_);
}

void EditBuffer::SetText(std::u16string_view text) {
    text_ = text;
    anchor_ = 0;
    caret_ = 0;
}

std::size_t EditBuffer::Valid(std::size_t position) const {
    position = std::min(position, text_.size());
    if (position > 0 && IsBreakAt(text_, position - 1)) {
        --position;
    }
    return position;
}

void EditBuffer::Select(std::size_t anchor, std::size_t caret) {
    anchor_ = Valid(anchor);
    caret_ = Valid(caret);
}

void EditBuffer::MoveCaret(std::size_t position, bool extend) {
    caret_ = Valid(position);
    if (!extend) {
        anchor_ = caret_;
    }
}

EditBuffer::Replacement EditBuffer::ReplaceSelection(std::u16string_view text, bool honourLimit) {
    const std::size_t start = SelectionStart();
    const std::size_t removed = SelectionEnd() - start;
    const std::size_t kept = text_.size() - removed;
    Replacement result;
    if (honourLimit && kept + text.size() > limit_) {
        const std::size_t room = limit_ > kept ? limit_ - kept : 0;
        text = text.substr(0, room);
        // Half a line break would show as a stray character.
        if (!text.empty() && text.back() == u'\r') {
            text.remove_suffix(1);
        }
        result.cut = true;
    }
    result.changed = removed > 0 || !text.empty();
    text_.replace(start, removed, text);
    anchor_ = caret_ = start + text.size();
    return result;
}

bool EditBuffer::DeleteBackward() {
    if (!HasSelection()) {
        if (caret_ == 0) {
            return false;
        }
        anchor_ = PreviousPosition(caret_);
    }
    return ReplaceSelection({}, false).changed;
}

bool EditBuffer::DeleteForward() {
    if (!HasSelection()) {
        if (caret_ == text_.size()) {
            return false;
        }
        anchor_ = NextPosition(caret_);
    }
    return ReplaceSelection({}, false).changed;
}

std::size_t EditBuffer::PreviousPosition(std::size_t position) const {
    if (position == 0) {
        return 0;
    }
    return position >= 2 && IsBreakAt(text_, position - 2) ? position - 2 : position - 1;
}

std::size_t EditBuffer::NextPosition(std::size_t position) const {
    if (position >= text_.size()) {
        return text_.size();
    }
    return IsBreakAt(text_, position) ? position + 2 : position + 1;
}

}  // namespace platform::controls
