// SHCreateMenuBar, SHInitDialog and SHSipPreference: thin facades over the shell's
// windows. They fail as the handheld's do: FALSE, with the reason in GetLastError.
#include <aygshell.h>
#include <commctrl.h>
#include <winuser.h>

#include <cstddef>
#include <iostream>

#include "kernel/resources/resources.h"
#include "shell/menu_bar.h"
#include "shell/menu_bar_layout.h"
#include "shell/shell_messages.h"
#include "shell/shell_start.h"
#include "shell/shell_windows.h"
#include "user/screen_geometry.h"

namespace {

using platform::shell::MenuBarContents;
using platform::shell::MenuBarItem;

// The layout's bytes, or nullopt with the error set.
std::optional<std::span<const std::uint8_t>> MenuBarResource(HINSTANCE module, UINT id) {
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        return std::nullopt;
    }
    return std::span(static_cast<const std::uint8_t*>(bytes), SizeofResource(module, resource));
}

BOOL Fail(DWORD error, const std::string& why) {
    std::cerr << "tessalink: SHCreateMenuBar: " << why << "\n";
    SetLastError(error);
    return FALSE;
}

// The buttons' texts and images, checked against the module's strings and the strip.
BOOL FillContents(const SHMENUBARINFO& info, const platform::shell::MenuBarLayout& layout,
                  MenuBarContents& contents) {
    bool needsImages = false;
    for (const auto& button : layout.buttons) {
        if (button.subMenu != NOMENU) {
            // FIXME: buttons that open a pop-up from the layout's menu wait for the menus.
            return Fail(ERROR_NOT_SUPPORTED, "a button with a pop-up menu is not supported");
        }
        MenuBarItem item;
        item.command = button.command;
        item.image = button.image;
        item.enabled = (button.state & TBSTATE_ENABLED) != 0;
        if (button.textId != 0) {
            const auto text = platform::kernel::FindResourceString(info.hInstRes, button.textId);
            if (!text) {
                return Fail(ERROR_RESOURCE_NAME_NOT_FOUND,
                            "no string " + std::to_string(button.textId) + " for a button");
            }
            item.text = *text;
        }
        if (button.image && *button.image >= info.cBmpImages) {
            return Fail(ERROR_INVALID_DATA, "button image " + std::to_string(*button.image) +
                                                " is not in the bitmap's " +
                                                std::to_string(info.cBmpImages) + " images");
        }
        needsImages = needsImages || button.image.has_value();
        contents.items.push_back(std::move(item));
    }
    if (needsImages) {
        contents.images = LoadBitmapW(info.hInstRes, MAKEINTRESOURCEW(info.nBmpId));
        if (!contents.images) {
            return Fail(GetLastError(), "no bitmap " + std::to_string(info.nBmpId));
        }
        contents.imageCount = info.cBmpImages;
    }
    return TRUE;
}

}  // namespace

// Programs written for the handheld give the structure's size there: 36 bytes, with
// four-byte handles. Their code is the same and so is the structure they fill, so that
// size is as good as this platform's own.
constexpr DWORD kHandheldMenuBarInfoSize = 36;

extern "C" BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* pmbi) {
    if (!pmbi ||
        (pmbi->cbSize != kHandheldMenuBarInfoSize &&
         pmbi->cbSize < offsetof(SHMENUBARINFO, hwndMB) + sizeof(HWND)) ||
        pmbi->dwFlags != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!IsWindow(pmbi->hwndParent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const auto bytes = MenuBarResource(pmbi->hInstRes, pmbi->nToolBarId);
    if (!bytes) {
        return FALSE;
    }
    std::string error;
    const auto layout = platform::shell::ParseMenuBarLayout(*bytes, error);
    if (!layout) {
        return Fail(ERROR_INVALID_DATA, error);
    }
    MenuBarContents contents;
    contents.parent = pmbi->hwndParent;
    if (!FillContents(*pmbi, *layout, contents)) {
        if (contents.images) {
            DeleteObject(contents.images);
        }
        return FALSE;
    }
    platform::shell::FollowActivation();
    HWND bar = platform::shell::MenuBar::Create(std::move(contents));
    if (!bar) {
        return FALSE;
    }
    pmbi->hwndMB = bar;
    return TRUE;
}

extern "C" BOOL WINAPI SHInitDialog(PSHINITDLGINFO pshidi) {
    constexpr DWORD kKnownFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN;
    if (!pshidi || (pshidi->dwMask & ~DWORD{SHIDIM_FLAGS})) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!IsWindow(pshidi->hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const DWORD flags = (pshidi->dwMask & SHIDIM_FLAGS) ? pshidi->dwFlags : 0;
    if (flags & ~kKnownFlags) {
        SetLastError(ERROR_INVALID_FLAGS);
        return FALSE;
    }
    HWND dialog = pshidi->hDlg;
    auto& shell = platform::shell::ShellWindows::Instance();
    if (flags & SHIDIF_SIZEDLGFULLSCREEN) {
        // The work area, in the parent's client coordinates for a child dialog.
        RECT area = platform::user::kWorkArea;
        if (GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD) {
            MapWindowPoints(nullptr, GetParent(dialog), reinterpret_cast<POINT*>(&area), 2);
        }
        SetWindowPos(dialog, nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (flags & SHIDIF_SIPDOWN) {
        if (HWND panel = shell.InputPanel()) {
            SendMessageW(panel, platform::shell::kSipRequestMessage, SIP_FORCEDOWN, 0);
        }
    }
    if (flags & SHIDIF_DONEBUTTON) {
        shell.AskForDoneButton(dialog);
        shell.TellFollowers();
    }
    return TRUE;
}

extern "C" BOOL WINAPI SHSipPreference(HWND hwnd, SIPSTATE st) {
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (st != SIP_UP && st != SIP_DOWN && st != SIP_FORCEDOWN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HWND panel = platform::shell::ShellWindows::Instance().InputPanel();
    if (!IsWindow(panel)) {
        // The device starts the shell; without it there is no panel to move.
        SetLastError(ERROR_NOT_READY);
        return FALSE;
    }
    SendMessageW(panel, platform::shell::kSipRequestMessage, static_cast<WPARAM>(st), 0);
    return TRUE;
}
