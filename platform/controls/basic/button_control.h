// The button control ("Button"): push and default push buttons, check boxes (manual and
// automatic) and group boxes, with and without a caption. A tap released inside the
// button, or the Space key while it has the focus, clicks it: an automatic check box
// toggles, then the parent hears BN_CLICKED.
#pragma once

#include <windows.h>

#include <nlohmann/json.hpp>
#include <string>

#include "controls/control_window.h"

namespace platform::controls {

void RegisterButtonClass();

class ButtonControl final : public ControlBase {
  public:
    ButtonControl(HWND hwnd, const CREATESTRUCTW& create);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Dump(nlohmann::json& content) const;

  private:
    enum class Kind { PushButton, DefaultPushButton, CheckBox, AutoCheckBox, GroupBox };

    // The kind comes from the style at each use, so BM_SETSTYLE and a program's
    // SetWindowLongW(GWL_STYLE) take effect at once.
    Kind ButtonKind() const;
    bool IsCheckBox() const;
    UINT DialogCode() const;

    void OnLButtonDown();
    void OnMouseMove(POINT point);
    void OnLButtonUp(POINT point);
    void OnKeyDown(WPARAM key);
    void OnKeyUp(WPARAM key);
    void OnCaptureChanged();
    void OnSetFocus();
    void OnKillFocus();
    // The end of a press, by stylus or key: the click happens only when the button was
    // still pushed (the stylus came up inside it).
    void EndPress();
    void SetCheck(WPARAM state);
    void SetPushed(bool pushed);
    void SetStyle(DWORD kind, bool redraw);
    LRESULT State() const;

    void Paint(HDC dc, const RECT& client) override;
    void PaintPushButton(HDC dc, const RECT& client) const;
    void PaintCheckBox(HDC dc, const RECT& client) const;
    void PaintGroupBox(HDC dc, const RECT& client) const;
    std::u16string Text() const;

    HWND hwnd_;
    WPARAM check_ = BST_UNCHECKED;
    bool pushed_ = false;
    bool focused_ = false;
    // A press is under way (stylus down with the capture, or Space held).
    bool pressing_ = false;
};

}  // namespace platform::controls
