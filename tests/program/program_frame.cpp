#include "program/program_frame.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "common/AdapterSnapshot.h"
#include "controls/control_classes.h"
#include "framework/Module.h"
#include "shell/shell_start.h"

namespace tessalink::test {
namespace {

struct RecordedWindow {
    WNDPROC previous = nullptr;
    std::vector<UINT> messages;
};
std::map<HWND, RecordedWindow> recordedWindows;

LRESULT CALLBACK RecordingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const RecordedWindow& recorded = recordedWindows[hwnd];
    if (std::find(recorded.messages.begin(), recorded.messages.end(), message) !=
        recorded.messages.end()) {
        ProgramFrameTest::Recorded().push_back({hwnd, message, wParam, lParam});
    }
    return CallWindowProcW(recorded.previous, hwnd, message, wParam, lParam);
}

}  // namespace

void ProgramFrameTest::Record(HWND window, std::vector<UINT> messages) {
    recordedWindows[window].messages = std::move(messages);
    recordedWindows[window].previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProcedure)));
}

std::vector<ReceivedMessage>& ProgramFrameTest::Recorded() {
    static std::vector<ReceivedMessage> recorded;
    return recorded;
}

std::vector<UINT> ProgramFrameTest::Relays() {
    return {WM_ADAPTERS_REFRESHED, WM_ADAPTER_SELECTED};
}

void ProgramFrameTest::SetUpTestSuite() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    Module::Process().Initialize(module);
    LoadStringW(module, IDR_MAINFRAME, MainFrame::ClassName(), MainFrame::kClassNameCapacity);
    platform::controls::RegisterSystemControlClasses();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
}

void ProgramFrameTest::StartFrame() {
    Recorded().clear();
    recordedWindows.clear();
    ASSERT_TRUE(platform::shell::StartShell());
    WindowTest::SetUp();
    AdapterSnapshot::Instance().ReadAdapters();
    ASSERT_TRUE(Module::Process().AddMessageLoop(&loop_));
    frame_ = std::make_unique<MainFrame>();
    frameWindow_ = frame_->CreateFrame();
    ASSERT_NE(frameWindow_, nullptr);
    frame_->SetAccelerators(
        LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    ShowWindow(frameWindow_, SW_SHOW);
    tabs_ = GetDlgItem(frameWindow_, kTabControlId);
    ASSERT_NE(tabs_, nullptr);
    Pump();
}

void ProgramFrameTest::TearDown() {
    if (frame_) {
        frame_.reset();
        Module::Process().RemoveMessageLoop();
    }
    WindowTest::TearDown();
}

std::optional<WPARAM> ProgramFrameTest::Pump() {
    std::optional<WPARAM> quit;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = message.wParam;
        } else if (!frame_->PreTranslateMessage(&message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return quit;
}

void ProgramFrameTest::ChooseTab(int tab) {
    SendMessageW(tabs_, TCM_SETCURSEL, tab, 0);
    NMHDR selection{tabs_, kTabControlId, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(frameWindow_, WM_NOTIFY, kTabControlId, reinterpret_cast<LPARAM>(&selection));
    Pump();
}

HWND ProgramFrameTest::PageWindow(int tab) const {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    SendMessageW(tabs_, TCM_GETITEMW, tab, reinterpret_cast<LPARAM>(&item));
    return reinterpret_cast<HWND>(item.lParam);
}

}  // namespace tessalink::test
