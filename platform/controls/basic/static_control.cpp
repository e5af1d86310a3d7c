#include "controls/basic/static_control.h"

#include <string>

#include "controls/control_parent.h"
#include "controls/control_window.h"

namespace platform::controls {

namespace {

// A dialog template names a static's image by resource id; the dialog manager hands
// that id over as the window text 0xFFFF followed by the id.
LPCWSTR ImageName(LPCWSTR text) {
    if (text != nullptr && !IS_INTRESOURCE(text) && text[0] == 0xFFFF) {
        return MAKEINTRESOURCEW(text[1]);
    }
    return text;
}

}  // namespace

void RegisterStaticClass() {
    ControlWindow<StaticControl>::Register(u"Static");
}

StaticControl::StaticControl(HWND hwnd, const CREATESTRUCTW& /*create*/) : hwnd_(hwnd) {}

DWORD StaticControl::Style() const {
    return static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE));
}

StaticControl::~StaticControl() {
    if (ownsImage_) {
        if (ImageType() == IMAGE_ICON) {
            DestroyIcon(static_cast<HICON>(image_));
        } else {
            DeleteObject(image_);
        }
    }
}

LRESULT StaticControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            return OnNcCreate(*reinterpret_cast<const CREATESTRUCTW*>(lParam));
        case WM_LBUTTONDOWN:
            OnLButtonDown();
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(hwnd_, message, wParam, lParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return result;
        }
        case STM_SETIMAGE:
            return reinterpret_cast<LRESULT>(
                SetImage(static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam)));
        case STM_GETIMAGE:
            return reinterpret_cast<LRESULT>(GetImage(static_cast<UINT>(wParam)));
        default:
            return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

bool StaticControl::ShowsImage() const {
    const DWORD type = Style() & SS_TYPEMASK;
    return type == SS_BITMAP || type == SS_ICON;
}

UINT StaticControl::ImageType() const {
    return (Style() & SS_TYPEMASK) == SS_ICON ? IMAGE_ICON : IMAGE_BITMAP;
}

LRESULT StaticControl::OnNcCreate(const CREATESTRUCTW& create) {
    if (!ShowsImage()) {
        return DefWindowProcW(hwnd_, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create));
    }
    // The text of an image static names its resource; it is not shown, so the window
    // keeps an empty text rather than the raw id.
    if (const LPCWSTR name = ImageName(create.lpszName);
        name != nullptr && (IS_INTRESOURCE(name) || name[0] != 0)) {
        image_ = LoadImageW(create.hInstance, name, ImageType(), 0, 0, 0);
        ownsImage_ = image_ != nullptr;
    }
    CREATESTRUCTW unnamed = create;
    unnamed.lpszName = u"";
    return DefWindowProcW(hwnd_, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&unnamed));
}

void StaticControl::OnLButtonDown() {
    if (Style() & SS_NOTIFY) {
        NotifyParent(hwnd_, STN_CLICKED);
    }
}

HANDLE StaticControl::SetImage(UINT type, HANDLE image) {
    if (!ShowsImage() || type != ImageType()) {
        return nullptr;
    }
    // The handle going back is the caller's to free, even one the static loaded itself.
    HANDLE previous = image_;
    image_ = image;
    ownsImage_ = false;
    InvalidateRect(hwnd_, nullptr, TRUE);
    return previous;
}

HANDLE StaticControl::GetImage(UINT type) const {
    return ShowsImage() && type == ImageType() ? image_ : nullptr;
}

void StaticControl::Paint(HDC dc, const RECT& client) {
    FillRect(dc, &client, ParentBrush(hwnd_, WM_CTLCOLORSTATIC, dc));
    if (ShowsImage()) {
        PaintImage(dc);
    } else {
        PaintText(dc, client);
    }
}

void StaticControl::PaintText(HDC dc, const RECT& client) const {
    const int length = GetWindowTextLengthW(hwnd_);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
    if (text.empty()) {
        return;
    }
    UINT format = DT_EXPANDTABS | DT_WORDBREAK;
    switch (Style() & SS_TYPEMASK) {
        case SS_CENTER:
            format |= DT_CENTER;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT;
            break;
        case SS_LEFTNOWORDWRAP:
            format = DT_EXPANDTABS | DT_SINGLELINE;
            break;
        default:
            break;
    }
    if (Style() & SS_NOPREFIX) {
        format |= DT_NOPREFIX;
    }
    if (!IsWindowEnabled(hwnd_)) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    RECT area = client;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
}

void StaticControl::PaintImage(HDC dc) const {
    if (image_ == nullptr) {
        return;
    }
    if (ImageType() == IMAGE_ICON) {
        DrawIconEx(dc, 0, 0, static_cast<HICON>(image_), 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    BITMAP bitmap{};
    if (GetObjectW(image_, sizeof(bitmap), &bitmap) == 0) {
        return;
    }
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ previous = SelectObject(source, image_);
    BitBlt(dc, 0, 0, bitmap.bmWidth, bitmap.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

void StaticControl::Dump(nlohmann::json& content) const {
    if (ShowsImage()) {
        content["image"] = ImageType() == IMAGE_ICON ? "icon" : "bitmap";
        content["hasImage"] = image_ != nullptr;
    }
}

}  // namespace platform::controls
