#include "user/dialog/dialog_builder.h"

#include <wingdi.h>
#include <winuser.h>

#include <cmath>
#include <memory>

#include "user/dialog/dialog_class.h"
#include "user/dialog/dialog_focus.h"
#include "user/dialog/dialog_registry.h"
#include "user/dialog/dialog_window_words.h"
#include "user/screen_geometry.h"
#include "user/window_tree.h"

namespace platform::user {

namespace {

constexpr int kDotsPerInch = 96;

HFONT CreateTemplateFont(const DialogFont& font) {
    LOGFONTW description{};
    description.lfHeight = -static_cast<LONG>(std::lround(font.pointSize * kDotsPerInch / 72.0));
    description.lfWeight = font.weight;
    description.lfItalic = font.italic ? 1 : 0;
    description.lfCharSet = font.charSet;
    const std::size_t length = std::min<std::size_t>(font.faceName.size(), LF_FACESIZE - 1);
    font.faceName.copy(description.lfFaceName, length);
    return CreateFontIndirectW(&description);
}

// The window's size for a client area of the template's size: the window manager gives
// only a bordered window a non-client area.
SIZE WindowSizeFor(DWORD style, DWORD exStyle, const RECT& client) {
    Window probe;
    probe.style = style;
    probe.exStyle = exStyle;
    const int border = BorderWidth(probe);
    return SIZE{client.right - client.left + 2 * border, client.bottom - client.top + 2 * border};
}

// A child sits in its parent's client area; a pop-up is placed from its owner's client
// origin (the screen's with DS_ABSALIGN or no owner), or centred in the work area.
POINT DialogOrigin(const DialogTemplate& dialogTemplate, HWND parent, const RECT& pixels,
                   SIZE size) {
    POINT origin{pixels.left, pixels.top};
    if (dialogTemplate.style & WS_CHILD) {
        return origin;
    }
    if (dialogTemplate.style & DS_CENTER) {
        return POINT{kWorkArea.left + (kWorkArea.right - kWorkArea.left - size.cx) / 2,
                     kWorkArea.top + (kWorkArea.bottom - kWorkArea.top - size.cy) / 2};
    }
    if (parent && !(dialogTemplate.style & DS_ABSALIGN)) {
        ClientToScreen(parent, &origin);
    }
    return origin;
}

// An ordinal title (an icon's or bitmap's resource id) reaches the control as the text
// 0xFFFF followed by the id, as on Windows.
std::u16string ItemTitle(const TemplateName& title) {
    if (title.isOrdinal) {
        return std::u16string{char16_t{0xFFFF}, static_cast<char16_t>(title.ordinal)};
    }
    return title.text;
}

LPCWSTR DialogWindowClass(const DialogTemplate& dialogTemplate) {
    if (dialogTemplate.windowClass.isOrdinal) {
        return MAKEINTATOM(dialogTemplate.windowClass.ordinal);
    }
    return dialogTemplate.windowClass.text.empty() ? DialogClassName()
                                                   : dialogTemplate.windowClass.text.c_str();
}

class DialogBuilder {
  public:
    DialogBuilder(const DialogTemplate& dialogTemplate, const DialogRequest& request)
        : template_(dialogTemplate), request_(request) {}

    HWND Build() {
        if (!CreateDialogWindow()) {
            return nullptr;
        }
        if (state_->font) {
            SendMessageW(dialog_, WM_SETFONT, reinterpret_cast<WPARAM>(state_->font), FALSE);
        }
        for (const auto& item : template_.items) {
            if (!CreateControl(item) && !(template_.style & DS_NOFAILCREATE)) {
                const DWORD error = GetLastError();
                DestroyWindow(dialog_);
                SetLastError(error);
                return nullptr;
            }
        }
        if (!Initialize()) {
            return nullptr;
        }
        if ((template_.style & WS_VISIBLE) && !request_.modal) {
            ShowWindow(dialog_, SW_SHOWNORMAL);
        }
        return dialog_;
    }

  private:
    bool CreateDialogWindow() {
        state_ = std::make_shared<DialogState>();
        if (template_.font) {
            state_->font = CreateTemplateFont(*template_.font);
        }
        state_->baseUnits = MeasureBaseUnits(state_->font);
        const RECT client = TemplateRectToPixels(state_->baseUnits, template_.rect);
        const SIZE size = WindowSizeFor(template_.style, template_.exStyle, client);
        const POINT origin = DialogOrigin(template_, request_.parent, client, size);
        dialog_ = CreateWindowExW(template_.exStyle, DialogWindowClass(template_),
                                  template_.title.c_str(), template_.style & ~WS_VISIBLE, origin.x,
                                  origin.y, size.cx, size.cy, request_.parent, nullptr,
                                  request_.instance, nullptr);
        if (!dialog_) {
            if (state_->font) {
                DeleteObject(state_->font);
            }
            return false;
        }
        DialogRegistry::Instance().Add(dialog_, state_);
        WriteDialogWord(dialog_, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(request_.procedure));
        const HWND owner = GetWindow(dialog_, GW_OWNER);
        if (request_.modal && owner && IsWindowEnabled(owner)) {
            EnableWindow(owner, FALSE);
            state_->disabledOwner = owner;
        }
        return true;
    }

    bool CreateControl(const DialogItemTemplate& item) {
        const std::u16string className = ItemClassName(item.windowClass);
        if (className.empty()) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return false;
        }
        const std::u16string title = ItemTitle(item.title);
        const RECT rect = TemplateRectToPixels(state_->baseUnits, item.rect);
        void* creationData = item.creationData.empty()
                                 ? nullptr
                                 : const_cast<std::uint8_t*>(item.creationData.data());
        const HWND control =
            CreateWindowExW(item.exStyle | WS_EX_NOPARENTNOTIFY, className.c_str(), title.c_str(),
                            (item.style | WS_CHILD) & ~WS_POPUP, rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, dialog_,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)),
                            request_.instance, creationData);
        if (!control) {
            return false;
        }
        if (state_->font) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(state_->font), FALSE);
        }
        if (!state_->defaultId &&
            (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
            state_->defaultId = static_cast<int>(item.id);
        }
        return true;
    }

    // WM_INITDIALOG names the control that will get the focus; a nonzero answer asks the
    // dialog manager to give it the focus.
    bool Initialize() {
        const HWND first = GetNextDlgTabItem(dialog_, nullptr, FALSE);
        const LRESULT setFocus = SendMessageW(dialog_, WM_INITDIALOG,
                                              reinterpret_cast<WPARAM>(first), request_.initParam);
        if (!IsWindow(dialog_)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return false;
        }
        if (setFocus) {
            HWND focus = GetNextDlgTabItem(dialog_, nullptr, FALSE);
            if (!focus) {
                focus = GetNextDlgGroupItem(dialog_, nullptr, FALSE);
            }
            SetDialogFocus(dialog_, focus);
        }
        return true;
    }

    const DialogTemplate& template_;
    const DialogRequest& request_;
    std::shared_ptr<DialogState> state_;
    HWND dialog_ = nullptr;
};

}  // namespace

HWND BuildDialog(const DialogTemplate& dialogTemplate, const DialogRequest& request) {
    return DialogBuilder{dialogTemplate, request}.Build();
}

}  // namespace platform::user
