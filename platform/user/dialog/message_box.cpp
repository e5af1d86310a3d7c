// MessageBoxW: a small modal dialog with the caption as its title, the text, and an OK
// button, centred on the screen. Only the OK box is offered; it is the one a program of
// this platform shows.
#include <windows.h>
#include <winuser.h>

#include "user/dialog/modal_dialog.h"

namespace {

using platform::user::DialogItemTemplate;
using platform::user::DialogTemplate;

// Item classes by their template ordinals.
constexpr std::uint16_t kButtonClass = 0x0080;
constexpr std::uint16_t kStaticClass = 0x0082;
// The box in dialog units: three lines of text above the button, on most of the
// screen's width.
constexpr int kWidth = 150;
constexpr int kTextHeight = 26;
constexpr int kMargin = 6;
constexpr int kButtonWidth = 40;
constexpr int kButtonHeight = 14;

DialogItemTemplate Item(DWORD style, int id, std::uint16_t windowClass, const WCHAR* text,
                        platform::user::TemplateRect rect) {
    DialogItemTemplate item;
    item.style = WS_CHILD | WS_VISIBLE | style;
    item.id = static_cast<DWORD>(id) & 0xFFFF;
    item.rect = rect;
    item.windowClass.ordinal = windowClass;
    item.windowClass.isOrdinal = true;
    item.title.text = text ? text : u"";
    return item;
}

DialogTemplate MessageBoxTemplate(LPCWSTR text, LPCWSTR caption) {
    DialogTemplate box;
    box.style = WS_POPUP | WS_CAPTION | WS_BORDER | DS_MODALFRAME | DS_CENTER | DS_SETFONT;
    box.title = caption ? caption : u"Error";
    box.font.emplace();
    box.font->pointSize = 8;
    box.font->faceName = u"MS Sans Serif";
    box.rect = {0, 0, kWidth, kMargin + kTextHeight + kMargin + kButtonHeight + kMargin};
    box.items.push_back(Item(SS_LEFT | SS_NOPREFIX, -1, kStaticClass, text,
                             {kMargin, kMargin, kWidth - 2 * kMargin, kTextHeight}));
    box.items.push_back(Item(BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, kButtonClass, u"OK",
                             {(kWidth - kButtonWidth) / 2, kMargin + kTextHeight + kMargin,
                              kButtonWidth, kButtonHeight}));
    return box;
}

INT_PTR CALLBACK MessageBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        // Escape and the close both answer as the only button does.
        EndDialog(box, IDOK);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

extern "C" int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
    // FIXME: only the OK box is made; a request for other buttons is refused rather than
    // shown with buttons that could not answer as asked.
    if ((uType & MB_TYPEMASK) != MB_OK) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return 0;
    }
    const INT_PTR result =
        platform::user::RunModalDialog(MessageBoxTemplate(lpText, lpCaption),
                                       GetModuleHandleW(nullptr), hWnd, MessageBoxProcedure, 0);
    return result < 0 ? 0 : static_cast<int>(result);
}
