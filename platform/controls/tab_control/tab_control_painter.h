// The tab strip in the Pocket PC look: grey tabs along the bottom of the screen, the
// selected one white and open at its top, so that it reads as part of the page above.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace platform::controls {

class TabControlPainter {
  public:
    struct Tab {
        RECT rect{};
        std::u16string_view text;
        bool selected = false;
    };

    static void Paint(HDC dc, const RECT& client, HFONT font, const std::vector<Tab>& tabs);

  private:
    static void PaintSelectedTab(HDC dc, const Tab& tab, int top);
    static void PaintLabel(HDC dc, const Tab& tab);
};

}  // namespace platform::controls
