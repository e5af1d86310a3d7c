#include "dialog_fixture.h"

#include <winuser.h>

#include <map>
#include <set>
#include <utility>

namespace tessalink::test {

namespace {

INT_PTR initDialogAnswer = TRUE;
std::vector<std::string> trace;

void Trace(const std::string& who, UINT message, WPARAM wParam) {
    static const std::set<UINT> kTraced{WM_CREATE,    WM_SETFONT, WM_INITDIALOG, WM_SETFOCUS,
                                        WM_KILLFOCUS, WM_COMMAND, WM_SHOWWINDOW, WM_CHAR,
                                        BM_SETSTYLE,  EM_SETSEL};
    if (!kTraced.contains(message)) {
        return;
    }
    std::string line = who + " " + MessageName(message);
    if (message == WM_COMMAND) {
        line += " " + std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam));
    } else if (message == BM_SETSTYLE || message == WM_SHOWWINDOW) {
        line += " " + std::to_string(wParam);
    }
    trace.push_back(std::move(line));
}

void TraceControl(HWND hwnd, UINT message, WPARAM wParam) {
    static const std::map<int, std::string> kNames{
        {0xFFFF, "label"}, {10, "edit"}, {11, "one"},          {12, "two"},
        {13, "three"},     {IDOK, "ok"}, {IDCANCEL, "cancel"},
    };
    const auto name = kNames.find(GetDlgCtrlID(hwnd));
    Trace(name == kNames.end() ? "#" + std::to_string(GetDlgCtrlID(hwnd)) : name->second, message,
          wParam);
}

LRESULT CALLBACK TestButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TraceControl(hwnd, message, wParam);
    const auto style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    switch (message) {
        case WM_GETDLGCODE: {
            const DWORD type = style & 0xF;
            return DLGC_BUTTON | (type == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON
                                  : type == BS_PUSHBUTTON  ? DLGC_UNDEFPUSHBUTTON
                                                           : 0);
        }
        case BM_SETSTYLE:
            SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>((style & ~0xFu) | wParam));
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// A recording control that answers WM_GETDLGCODE with `kCode`.
template <LRESULT kCode>
LRESULT CALLBACK RecordingControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TraceControl(hwnd, message, wParam);
    return message == WM_GETDLGCODE ? kCode : DefWindowProcW(hwnd, message, wParam, lParam);
}

constexpr LRESULT kEditCode = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;

}  // namespace

std::vector<std::string> TakeTrace() {
    return std::exchange(trace, {});
}

INT_PTR CALLBACK RecordingDialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    Trace("dlg", message, wParam);
    return message == WM_INITDIALOG ? initDialogAnswer : FALSE;
}

void SetInitDialogAnswer(INT_PTR answer) {
    initDialogAnswer = answer;
}

void PumpDialog(HWND dialog) {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void DialogTest::SetUp() {
    WindowTest::SetUp();
    // The controls dialogs.rc names: a push button (BS_PUSHBUTTON or BS_DEFPUSHBUTTON, which
    // BM_SETSTYLE sets) or check box; an edit that wants characters and arrows, and one
    // that wants Tab as well, as a multi-line edit does; a static.
    RegisterWindowClass(u"TestButton", TestButtonProc);
    RegisterWindowClass(u"TestEdit", RecordingControlProc<kEditCode>);
    RegisterWindowClass(u"TestTabEdit", RecordingControlProc<kEditCode | DLGC_WANTTAB>);
    RegisterWindowClass(u"TestStatic", RecordingControlProc<DLGC_STATIC>);
    SetInitDialogAnswer(TRUE);
    TakeTrace();
}

void DialogTest::TearDown() {
    WindowTest::TearDown();
    TakeTrace();
}

HWND DialogTest::CreatePage(HWND parent, int templateId, DLGPROC procedure) {
    created_.push_back(
        CreateDialogParamW(nullptr, MAKEINTRESOURCEW(templateId), parent, procedure, 0));
    return created_.back();
}

HWND DialogTest::CreateIndirect(HWND parent, LPCDLGTEMPLATEW dialogTemplate) {
    created_.push_back(
        CreateDialogIndirectParamW(nullptr, dialogTemplate, parent, RecordingDialogProc, 0));
    return created_.back();
}

}  // namespace tessalink::test
