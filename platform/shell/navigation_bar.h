// The navigation bar over the top of the screen: the start glyph, the title of the active
// top-level window, the clock, and an "ok" button while the active window is a dialog
// that asked for one (WS_EX_CAPTIONOKBTN, or SHInitDialog with SHIDIF_DONEBUTTON). A tap
// on "ok" posts WM_COMMAND with IDOK to that dialog.
#pragma once

#include <windows.h>

#include <string>

namespace platform::shell {

class NavigationBar {
  public:
    // Makes the bar, shown without taking the activation; null with the error set.
    static HWND Create();

    NavigationBar(HWND window, const CREATESTRUCTW& create);
    ~NavigationBar();
    NavigationBar(const NavigationBar&) = delete;
    NavigationBar& operator=(const NavigationBar&) = delete;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void OnPaint();
    void OnClockTimer();
    void OnFollowActiveWindow();
    void OnStylusDown(POINT point);
    void OnStylusUp(POINT point);
    LRESULT OnDumpContent(LPARAM content);

    RECT ClockRect() const;
    // Reads the device clock and arms the timer for the start of the next minute.
    void ReadClock();

    HWND window_ = nullptr;
    HFONT titleFont_ = nullptr;
    std::u16string title_;
    std::u16string clock_;
    // The dialog the "ok" button is for; null while the button is not shown.
    HWND okTarget_ = nullptr;
    bool okPressed_ = false;
};

}  // namespace platform::shell
