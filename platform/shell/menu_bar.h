// The menu bar at the bottom of the screen, made by SHCreateMenuBar: its buttons from
// the left (text, or an image from the bitmap strip), the input panel button at the
// right. A tap on an enabled button posts WM_COMMAND with the button's command to the
// window the bar was made for. The bar is a top-level window owned by that window, so it
// goes when the window goes, and it shows only while that window is active.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "shell/shell_window.h"

namespace platform::shell {

struct MenuBarItem {
    WORD command = 0;
    std::u16string text;
    // Index into the bitmap strip, for an image button.
    std::optional<int> image;
    bool enabled = true;
};

// What SHCreateMenuBar hands the bar through CreateWindowExW's creation parameter.
struct MenuBarContents {
    HWND parent = nullptr;
    std::vector<MenuBarItem> items;
    // The strip the images come from, owned by the bar from then on; null without images.
    HBITMAP images = nullptr;
    int imageCount = 0;
};

class MenuBar final : public ShellWindow {
  public:
    // Makes the bar; null with the error set (the strip is then deleted too).
    static HWND Create(MenuBarContents contents);

    MenuBar(HWND window, const CREATESTRUCTW& create);
    ~MenuBar() override;

  private:
    // The input panel button, in the pressed index.
    static constexpr int kInputPanelButton = -2;
    static constexpr int kNone = -1;

    void Paint(HDC dc) override;
    void OnStylusDown(POINT point) override;
    void OnStylusUp(POINT point) override;
    void DescribeContent(nlohmann::json& content) override;
    std::optional<LRESULT> OnClassMessage(UINT message, WPARAM wParam) override;

    void Layout();
    void OnFollowActiveWindow();

    int ButtonAt(POINT point) const;
    RECT ButtonRect(int index) const;
    void DrawImage(HDC dc, const RECT& rect, int image) const;

    // Where commands go, and the top-level window whose activation shows the bar.
    HWND parent_ = nullptr;
    HWND owner_ = nullptr;
    std::vector<MenuBarItem> items_;
    std::vector<RECT> itemRects_;
    HBITMAP images_ = nullptr;
    SIZE imageSize_{};
    int pressed_ = kNone;
};

}  // namespace platform::shell
