// A window as a C++ object. The object is bound to its window from WM_NCCREATE on (the
// creation parameter carries it) and kept in the window's user data; messages before
// that, and whatever the map leaves, go to DefWindowProcW.
#pragma once

#include <windows.h>

#include "framework/MessageTarget.h"

class Window : public MessageTarget {
  public:
    Window() : MessageTarget(GWLP_USERDATA) {}

    // Creates the window of a class registered with StartProcedure, bound to this
    // object. nullptr on failure, with the error CreateWindowExW left.
    HWND Create(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y,
                int width, int height, HWND parent, HMENU menu);

    // The window procedure of every class whose windows are made by Create. Windows of
    // such a class must be made through Create: it reads their creation parameter as
    // the object.
    static LRESULT CALLBACK StartProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  protected:
    LRESULT Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool handled,
                   LRESULT result) override;
};
