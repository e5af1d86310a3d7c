#include "user/menu/menu_popup.h"

#include <wingdi.h>
#include <winuser.h>

#include <algorithm>
#include <mutex>

#include "gdi/pocket_pc_painter.h"
#include "kernel/text/utf8.h"
#include "user/window_dump.h"

namespace platform::user {

namespace {

// The class Win32 gives its menu windows; automation finds an open menu by it.
constexpr const WCHAR* kMenuClassName = u"#32768";
// Room at the left for the check mark and at the right after the text.
constexpr int kCheckColumn = 18;
constexpr int kRightMargin = 12;
constexpr int kItemPadding = 6;
constexpr int kSeparatorHeight = 7;
constexpr int kMinimumWidth = 60;

MenuPopup* PopupOf(HWND hwnd) {
    return reinterpret_cast<MenuPopup*>(GetWindowLongPtrW(hwnd, 0));
}

}  // namespace

MenuPopup::~MenuPopup() {
    if (window_ && IsWindow(window_)) {
        DestroyWindow(window_);
    }
}

void MenuPopup::RegisterClassOnce() {
    static std::once_flag registered;
    std::call_once(registered, [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.cbWndExtra = sizeof(MenuPopup*);
        windowClass.lpszClassName = kMenuClassName;
        RegisterClassW(&windowClass);
    });
}

bool MenuPopup::Create(POINT at, UINT flags, HWND owner, const RECT* exclude) {
    RegisterClassOnce();
    window_ =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kMenuClassName, u"", WS_POPUP | WS_BORDER,
                        at.x, at.y, 0, 0, owner, nullptr, nullptr, this);
    if (!window_) {
        return false;
    }
    const SIZE client = Layout();
    // The frame of WS_BORDER adds one pixel on each side.
    const int width = client.cx + 2;
    const int height = client.cy + 2;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int left = at.x - ((flags & TPM_RIGHTALIGN)    ? width
                       : (flags & TPM_CENTERALIGN) ? width / 2
                                                   : 0);
    int top = at.y - ((flags & TPM_BOTTOMALIGN)    ? height
                      : (flags & TPM_VCENTERALIGN) ? height / 2
                                                   : 0);
    if (top + height > screenHeight) {
        const int above = (exclude ? exclude->top : at.y) - height;
        top = above >= 0 ? above : screenHeight - height;
    }
    // FIXME: a menu taller than the screen is cut off at the bottom; none of ours is.
    left = std::clamp(left, 0, std::max(0, screenWidth - width));
    top = std::clamp(top, 0, std::max(0, screenHeight - height));
    SetWindowPos(window_, HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE);
    return true;
}

void MenuPopup::Show() {
    ShowWindow(window_, SW_SHOWNA);
    UpdateWindow(window_);
}

SIZE MenuPopup::Layout() {
    HDC dc = GetDC(window_);
    HGDIOBJ previousFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int itemHeight = metrics.tmHeight + kItemPadding;
    int width = kMinimumWidth;
    int y = 0;
    itemRects_.clear();
    for (const MenuItem& item : menu_.items) {
        const int height = item.IsSeparator() ? kSeparatorHeight : itemHeight;
        if (!item.IsSeparator()) {
            SIZE extent{};
            GetTextExtentPoint32W(dc, item.text.c_str(), static_cast<int>(item.text.size()),
                                  &extent);
            width = std::max<int>(width, kCheckColumn + extent.cx + kRightMargin);
        }
        itemRects_.push_back(RECT{0, y, 0, y + height});
        y += height;
    }
    for (RECT& rect : itemRects_) {
        rect.right = width;
    }
    SelectObject(dc, previousFont);
    ReleaseDC(window_, dc);
    return SIZE{width, y};
}

int MenuPopup::ItemAt(POINT screen) const {
    POINT client = screen;
    ScreenToClient(window_, &client);
    for (std::size_t i = 0; i < itemRects_.size(); ++i) {
        if (PtInRect(&itemRects_[i], client)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool MenuPopup::Contains(POINT screen) const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return PtInRect(&rect, screen);
}

const MenuItem* MenuPopup::Item(int index) const {
    if (index < 0 || index >= static_cast<int>(menu_.items.size())) {
        return nullptr;
    }
    return &menu_.items[static_cast<std::size_t>(index)];
}

void MenuPopup::SetHighlight(int index) {
    const MenuItem* item = Item(index);
    const int highlight = item && !item->IsSeparator() ? index : -1;
    if (highlight == highlight_) {
        return;
    }
    for (int changed : {highlight_, highlight}) {
        if (changed >= 0) {
            InvalidateRect(window_, &itemRects_[static_cast<std::size_t>(changed)], TRUE);
        }
    }
    highlight_ = highlight;
}

void MenuPopup::MoveHighlight(int step) {
    const int count = static_cast<int>(menu_.items.size());
    int index = highlight_;
    for (int tried = 0; tried < count; ++tried) {
        index = index < 0 ? (step > 0 ? 0 : count - 1) : (index + step + count) % count;
        if (menu_.items[static_cast<std::size_t>(index)].IsChoosable()) {
            SetHighlight(index);
            return;
        }
    }
}

void MenuPopup::Paint(HDC dc) const {
    HGDIOBJ previousFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    for (std::size_t i = 0; i < itemRects_.size(); ++i) {
        PaintItem(dc, static_cast<int>(i));
    }
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

void MenuPopup::PaintItem(HDC dc, int index) const {
    using gdi::PocketPcPainter;
    const MenuItem& item = menu_.items[static_cast<std::size_t>(index)];
    const RECT& rect = itemRects_[static_cast<std::size_t>(index)];
    const bool highlighted = index == highlight_;
    PocketPcPainter::FillSolid(dc, rect, GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item.IsSeparator()) {
        const int middle = (rect.top + rect.bottom) / 2;
        PocketPcPainter::FillSolid(dc, RECT{rect.left + 2, middle, rect.right - 2, middle + 1},
                                   GetSysColor(COLOR_BTNSHADOW));
        return;
    }
    const COLORREF ink = !item.IsEnabled() ? GetSysColor(COLOR_GRAYTEXT)
                         : highlighted     ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                           : GetSysColor(COLOR_MENUTEXT);
    if (item.IsChecked()) {
        PocketPcPainter::DrawCheckMark(
            dc, RECT{rect.left + 2, rect.top, rect.left + kCheckColumn - 2, rect.bottom}, ink);
    }
    const COLORREF previousColor = SetTextColor(dc, ink);
    RECT textRect{rect.left + kCheckColumn, rect.top, rect.right - kRightMargin / 2, rect.bottom};
    DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, previousColor);
}

void MenuPopup::Dump(nlohmann::json& content) const {
    auto items = nlohmann::json::array();
    for (const MenuItem& item : menu_.items) {
        nlohmann::json entry = nlohmann::json::object();
        if (item.IsSeparator()) {
            entry["separator"] = true;
        } else {
            entry["text"] = kernel::EncodeUtf8(item.text).text;
            entry["id"] = item.command;
            entry["checked"] = item.IsChecked();
            entry["enabled"] = item.IsEnabled();
            entry["subMenu"] = item.subMenu != nullptr;
        }
        items.push_back(std::move(entry));
    }
    content["items"] = std::move(items);
    content["highlight"] = highlight_;
}

LRESULT CALLBACK MenuPopup::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    MenuPopup* popup = PopupOf(hwnd);
    if (!popup) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(hwnd, &paint);
            popup->Paint(dc);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_CAPTURECHANGED:
            popup->captureLost_ = reinterpret_cast<HWND>(lParam) != hwnd;
            return 0;
        case kDumpContentMessage:
            popup->Dump(*reinterpret_cast<nlohmann::json*>(lParam));
            return 1;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, 0, 0);
            popup->window_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace platform::user
