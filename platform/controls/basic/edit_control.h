// The edit control ("Edit"): one line or many (ES_MULTILINE), read-only or not, with a
// caret it draws itself and scrolling that keeps the caret in view. Lines break at
// "\r\n"; a multi-line control without ES_AUTOHSCROLL also wraps at the width. Typing
// arrives as WM_CHAR, caret movement as WM_KEYDOWN, and a tap places the caret (a drag
// selects). The parent hears EN_SETFOCUS, EN_KILLFOCUS, EN_UPDATE and EN_CHANGE (and
// EN_MAXTEXT when the limit or the width refuses text) when Windows would send them.
// A combo box may use one as its child like any other window.
#pragma once

#include <windows.h>

#include <nlohmann/json.hpp>
#include <string_view>

#include "controls/basic/edit_buffer.h"
#include "controls/basic/edit_layout.h"
#include "controls/control_window.h"

namespace platform::controls {

class TextMeasure;

void RegisterEditClass();

class EditControl final : public ControlBase {
  public:
    EditControl(HWND hwnd, const CREATESTRUCTW& create);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Dump(nlohmann::json& content) const;

  private:
    DWORD Style() const;
    bool IsMultiLine() const { return (Style() & ES_MULTILINE) != 0; }
    bool IsReadOnly() const { return (Style() & ES_READONLY) != 0; }
    // The edit box of a combo box, which tells its parent nothing of text the combo
    // box itself sets.
    bool IsInComboBox() const;
    UINT DialogCode(const MSG* message) const;

    // Text in and out.
    LRESULT OnSetText(LPCWSTR text);
    LRESULT OnGetText(LPWSTR buffer, int capacity) const;
    LRESULT GetSelection(DWORD* start, DWORD* end) const;
    void SetSelection(UINT start, UINT end);
    void SetLimit(std::size_t limit);
    void SetReadOnly(bool readOnly);
    LRESULT LineFromChar(INT_PTR position);
    LRESULT LineIndex(WPARAM line);
    LRESULT FirstVisibleLine();

    // Input.
    void OnChar(WCHAR character);
    void OnKeyDown(WPARAM key);
    void OnLButtonDown(POINT point, bool extend);
    void OnMouseMove(POINT point);
    void OnLButtonUp();
    void OnSetFocus();
    void OnKillFocus();

    // Changes: a user's edit (typing, EM_REPLACESEL) goes through Replace, which the
    // limit and, without automatic scrolling, the visible area may refuse.
    void Replace(std::u16string_view text);
    void Delete(bool forward);
    void TextChanged(bool notify);
    bool FitsWithoutScrolling(TextMeasure& measure);
    void SyncWindowText();
    void MoveCaretTo(std::size_t position, bool extend);

    // Layout and scrolling.
    RECT FormatRect() const;
    int VisibleLineCount(const TextMeasure& measure) const;
    int LineTop(std::size_t line, const TextMeasure& measure) const;
    void EnsureLayout(TextMeasure& measure);
    void ScrollToCaret();
    std::size_t PositionAtPoint(POINT point);
    void InvalidateLayout();
    void OnFontChanged() override;

    void Paint(HDC dc, const RECT& client) override;
    void PaintLine(HDC dc, std::size_t line, int top, const RECT& format,
                   const TextMeasure& measure) const;

    HWND hwnd_;
    EditBuffer buffer_;
    EditLayout layout_;
    bool layoutValid_ = false;
    bool focused_ = false;
    // The stylus is down in the control and drags the selection.
    bool selecting_ = false;
    int xOffset_ = 0;
    std::size_t firstLine_ = 0;
};

}  // namespace platform::controls
