#include "dialog_trace.h"

#include <winuser.h>

#include <utility>

#include "user/message_log.h"

namespace tessalink::test {

namespace {

INT_PTR initDialogAnswer = TRUE;

const std::map<UINT, const char*>& TracedMessages() {
    static const std::map<UINT, const char*> kNames{
        {WM_CREATE, "WM_CREATE"},
        {WM_SETFONT, "WM_SETFONT"},
        {WM_INITDIALOG, "WM_INITDIALOG"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_COMMAND, "WM_COMMAND"},
        {WM_TIMER, "WM_TIMER"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_CHAR, "WM_CHAR"},
        {BM_SETSTYLE, "BM_SETSTYLE"},
        {BM_SETCHECK, "BM_SETCHECK"},
        {BM_GETCHECK, "BM_GETCHECK"},
        {EM_SETSEL, "EM_SETSEL"},
    };
    return kNames;
}

LRESULT ButtonMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    switch (message) {
        case WM_GETDLGCODE:
            switch (style & 0xF) {
                case BS_DEFPUSHBUTTON:
                    return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
                case BS_PUSHBUTTON:
                    return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
                default:
                    return DLGC_BUTTON;
            }
        case BM_SETSTYLE:
            SetWindowLongW(hwnd, GWL_STYLE, static_cast<LONG>((style & ~0xFu) | wParam));
            return 0;
        case BM_SETCHECK:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
            return 0;
        case BM_GETCHECK:
            return GetWindowLongPtrW(hwnd, GWLP_USERDATA);
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK TestButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogTrace::Instance().Record(hwnd, message, wParam, lParam);
    return ButtonMessage(hwnd, message, wParam, lParam);
}

// A recording control that answers WM_GETDLGCODE with `kCode`.
template <LRESULT kCode>
LRESULT CALLBACK RecordingControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogTrace::Instance().Record(hwnd, message, wParam, lParam);
    return message == WM_GETDLGCODE ? kCode : DefWindowProcW(hwnd, message, wParam, lParam);
}

constexpr LRESULT kEditCode = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;

}  // namespace

DialogTrace& DialogTrace::Instance() {
    static DialogTrace trace;
    return trace;
}

void DialogTrace::Name(int id, std::string name) {
    std::scoped_lock lock{mutex_};
    names_[id] = std::move(name);
}

std::string DialogTrace::Line(const std::string& who, UINT message, WPARAM wParam) const {
    std::string line = who + " " + TracedMessages().at(message);
    if (message == WM_COMMAND) {
        line += " " + std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam));
    } else if (message == BM_SETSTYLE || message == BM_SETCHECK || message == WM_SHOWWINDOW) {
        line += " " + std::to_string(wParam);
    }
    return line;
}

void DialogTrace::Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    if (!TracedMessages().contains(message)) {
        return;
    }
    const int id = GetDlgCtrlID(hwnd);
    std::scoped_lock lock{mutex_};
    const auto name = names_.find(id);
    lines_.push_back(
        Line(name == names_.end() ? "#" + std::to_string(id) : name->second, message, wParam));
}

void DialogTrace::RecordDialog(UINT message, WPARAM wParam, LPARAM) {
    if (!TracedMessages().contains(message)) {
        return;
    }
    std::scoped_lock lock{mutex_};
    lines_.push_back(Line("dlg", message, wParam));
}

std::vector<std::string> DialogTrace::Take() {
    std::scoped_lock lock{mutex_};
    return std::exchange(lines_, {});
}

void DialogTrace::Clear() {
    std::scoped_lock lock{mutex_};
    lines_.clear();
}

void RegisterTestControls() {
    RegisterWindowClass(kTestButton, TestButtonProc);
    RegisterWindowClass(kTestEdit, RecordingControlProc<kEditCode>);
    RegisterWindowClass(kTestTabEdit, RecordingControlProc<kEditCode | DLGC_WANTTAB>);
    RegisterWindowClass(kTestStatic, RecordingControlProc<DLGC_STATIC>);
}

INT_PTR CALLBACK RecordingDialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogTrace::Instance().RecordDialog(message, wParam, lParam);
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

}  // namespace tessalink::test
