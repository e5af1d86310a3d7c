// A small program for driving the device end to end: a frame titled from its own
// resources holding one pad (control id 100) that shows its text in Tahoma, says where
// it was tapped and appends the characters typed into it. Its command line may be
// "exit=N": WinMain then returns N when its loop ends.
#include <windows.h>

#include <string>

namespace {

constexpr int kPadId = 100;
constexpr UINT kTitleString = 1;

std::u16string TextOf(HWND window) {
    WCHAR buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

void SetText(HWND pad, const std::u16string& text) {
    SetWindowTextW(pad, text.c_str());
    InvalidateRect(pad, nullptr, TRUE);
}

void PaintPad(HWND pad) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(pad, &paint);
    HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                             0, u"Tahoma");
    HGDIOBJ previous = SelectObject(dc, font);
    RECT client{};
    GetClientRect(pad, &client);
    DrawTextW(dc, TextOf(pad).c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, previous);
    DeleteObject(font);
    EndPaint(pad, &paint);
}

LRESULT CALLBACK PadProcedure(HWND pad, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintPad(pad);
            return 0;
        case WM_LBUTTONDOWN: {
            SetFocus(pad);
            WCHAR text[32];
            wsprintfW(text, u"Tapped at %d,%d", LOWORD(lParam), HIWORD(lParam));
            SetText(pad, text);
            return 0;
        }
        case WM_CHAR:
            SetText(pad, TextOf(pad) + static_cast<char16_t>(wParam));
            return 0;
        case WM_DESTROY:
            // The pad goes only with its frame, so the program ends with it.
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(pad, message, wParam, lParam);
    }
}

bool RegisterWindowClass(HINSTANCE instance, LPCWSTR name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int show) {
    WCHAR title[64] = {};
    if (LoadStringW(instance, kTitleString, title, 64) == 0 ||
        !RegisterWindowClass(instance, u"TapPadFrame", DefWindowProcW) ||
        !RegisterWindowClass(instance, u"TapPad", PadProcedure)) {
        return 1;
    }
    HWND frame =
        CreateWindowExW(0, u"TapPadFrame", title, WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    HWND pad = CreateWindowExW(WS_EX_CLIENTEDGE, u"TapPad", u"Hello", WS_CHILD | WS_VISIBLE, 20, 40,
                               200, 60, frame, reinterpret_cast<HMENU>(kPadId), instance, nullptr);
    if (!frame || !pad) {
        return 1;
    }
    ShowWindow(frame, show);
    UpdateWindow(frame);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    const std::u16string arguments = commandLine;
    if (arguments.starts_with(u"exit=")) {
        return std::stoi(std::string(arguments.begin() + 5, arguments.end()));
    }
    return static_cast<int>(message.wParam);
}
