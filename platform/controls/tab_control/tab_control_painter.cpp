#include "controls/tab_control/tab_control_painter.h"

#include "gdi/pocket_pc_painter.h"

namespace platform::controls {

using gdi::PocketPcPainter;

namespace {

// The separator between two unselected tabs stops this far short of their edges.
constexpr int kSeparatorInset = 3;

}  // namespace

void TabControlPainter::Paint(HDC dc, const RECT& client, HFONT font,
                              const std::vector<Tab>& tabs) {
    PocketPcPainter::FillSolid(dc, client, GetSysColor(COLOR_BTNFACE));
    // The page's lower edge runs along the top of the strip; the selected tab breaks it.
    PocketPcPainter::FillSolid(dc, RECT{client.left, client.top, client.right, client.top + 1},
                               GetSysColor(COLOR_WINDOWFRAME));
    const HGDIOBJ previousFont = SelectObject(dc, font);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    for (const Tab& tab : tabs) {
        if (tab.selected) {
            PaintSelectedTab(dc, tab, client.top);
        } else {
            PocketPcPainter::FillSolid(dc,
                                       RECT{tab.rect.right - 1, tab.rect.top + kSeparatorInset,
                                            tab.rect.right, tab.rect.bottom - kSeparatorInset},
                                       GetSysColor(COLOR_BTNSHADOW));
        }
        PaintLabel(dc, tab);
    }
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

void TabControlPainter::PaintSelectedTab(HDC dc, const Tab& tab, int top) {
    const RECT& r = tab.rect;
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    PocketPcPainter::FillSolid(dc, RECT{r.left, top, r.right, r.bottom}, GetSysColor(COLOR_WINDOW));
    PocketPcPainter::FillSolid(dc, RECT{r.left, top, r.left + 1, r.bottom}, frame);
    PocketPcPainter::FillSolid(dc, RECT{r.right - 1, top, r.right, r.bottom}, frame);
    PocketPcPainter::FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, frame);
}

void TabControlPainter::PaintLabel(HDC dc, const Tab& tab) {
    SetTextColor(dc, GetSysColor(tab.selected ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    RECT label = tab.rect;
    DrawTextW(dc, tab.text.data(), static_cast<int>(tab.text.size()), &label,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace platform::controls
