// The navigation bar over the top of the screen: the start glyph, the title of the active
// top-level window, the clock, and an "ok" button while the active window is a dialog
// that asked for one (WS_EX_CAPTIONOKBTN, or SHInitDialog with SHIDIF_DONEBUTTON). A tap
// on "ok" posts WM_COMMAND with IDOK to that dialog.
#pragma once

#include <windows.h>

#include <string>

#include "shell/shell_window.h"

namespace platform::shell {

class NavigationBar final : public ShellWindow {
  public:
    // Makes the bar, shown without taking the activation; null with the error set.
    static HWND Create();

    NavigationBar(HWND window, const CREATESTRUCTW& create);
    ~NavigationBar() override;

  private:
    void Paint(HDC dc) override;
    void OnStylusDown(POINT point) override;
    void OnStylusUp(POINT point) override;
    void DescribeContent(nlohmann::json& content) override;
    std::optional<LRESULT> OnClassMessage(UINT message, WPARAM wParam) override;

    void OnClockTimer();
    void OnFollowActiveWindow();

    RECT ClockRect() const;
    // Reads the device clock and arms the timer for the start of the next minute.
    void ReadClock();

    HFONT titleFont_ = nullptr;
    std::u16string title_;
    std::u16string clock_;
    // The dialog the "ok" button is for; null while the button is not shown.
    HWND okTarget_ = nullptr;
    bool okPressed_ = false;
};

}  // namespace platform::shell
