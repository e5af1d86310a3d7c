// The message map: the rows a window class writes between BEGIN_MSG_MAP and END_MSG_MAP
// expand to one function, ProcessWindowMessage, that tries them in the order written.
// The first row whose message and condition match handles the message; a map returns
// false when no row did, and the window then falls back to its base behaviour.
//
//   BEGIN_MSG_MAP()
//       MESSAGE_HANDLER(WM_SIZE, OnSize)              // LRESULT OnSize(WPARAM, LPARAM)
//       COMMAND_ID_HANDLER(IDOK, OnOk)                // LRESULT OnOk(WORD id, WORD code, HWND
//       control) NOTIFY_HANDLER(IDC_TABS, TCN_SELCHANGE, OnTab) // LRESULT OnTab(int id, UINT code,
//       NMHDR*) CHAIN_MSG_MAP(BaseClass)
//   END_MSG_MAP()
#pragma once

#include <windows.h>

#define BEGIN_MSG_MAP()                                                                       \
  public:                                                                                     \
    bool ProcessWindowMessage([[maybe_unused]] HWND hwnd, [[maybe_unused]] UINT message,      \
                              [[maybe_unused]] WPARAM wParam, [[maybe_unused]] LPARAM lParam, \
                              [[maybe_unused]] LRESULT& result) override {
// Any message with this number.
#define MESSAGE_HANDLER(msg, handler)     \
    if (message == (msg)) {               \
        result = handler(wParam, lParam); \
        return true;                      \
    }

// A message with this number while `condition` holds; otherwise the rows below get it.
#define MESSAGE_HANDLER_IF(msg, condition, handler) \
    if (message == (msg) && (condition)) {          \
        result = handler(wParam, lParam);           \
        return true;                                \
    }

// A command from this id, matched on the low word of wParam whatever the notification
// code; the handler gets the code to tell clicks from other notifications.
#define COMMAND_ID_HANDLER(id, handler)                                                   \
    if (message == WM_COMMAND && LOWORD(wParam) == (id)) {                                \
        result = handler(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); \
        return true;                                                                      \
    }

// A notification with this sender id and code.
#define NOTIFY_HANDLER(id, notifyCode, handler)                                          \
    if (message == WM_NOTIFY && lParam &&                                                \
        reinterpret_cast<const NMHDR*>(lParam)->idFrom == static_cast<UINT_PTR>(id) &&   \
        reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(notifyCode)) { \
        result = handler(static_cast<int>(id), static_cast<UINT>(notifyCode),            \
                         reinterpret_cast<NMHDR*>(lParam));                              \
        return true;                                                                     \
    }

// Hands the message to another class's map (usually the base's) at this point of the
// order.
#define CHAIN_MSG_MAP(theClass)                                                  \
    if (theClass::ProcessWindowMessage(hwnd, message, wParam, lParam, result)) { \
        return true;                                                             \
    }

#define END_MSG_MAP() \
    return false;     \
    }
