#include "arp_page_frame.h"

#include <commctrl.h>

#include "adapters/AdapterSnapshot.h"
#include "controls/control_classes.h"
#include "framework/Module.h"
#include "shell/shell_start.h"
#include "user/posted_input.h"

namespace tessalink::test {

namespace {

constexpr int kTabControlId = 101;

std::u16string WindowText(HWND window) {
    WCHAR text[256]{};
    GetWindowTextW(window, text, 256);
    return text;
}

}  // namespace

void ArpPageFrame::SetUpTestSuite() {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    Module::Process().Initialize(module);
    LoadStringW(module, IDR_MAINFRAME, MainFrame::ClassName(), MainFrame::kClassNameCapacity);
    platform::controls::RegisterSystemControlClasses();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
}

void ArpPageFrame::StartFrame() {
    ASSERT_TRUE(platform::shell::StartShell());
    WindowTest::SetUp();
    AdapterSnapshot::Instance().ReadAdapters();
    ASSERT_TRUE(Module::Process().AddMessageLoop(&loop_));
    frame_ = std::make_unique<MainFrame>();
    frameWindow_ = frame_->CreateFrame();
    ASSERT_NE(frameWindow_, nullptr);
    ShowWindow(frameWindow_, SW_SHOW);
    tabs_ = GetDlgItem(frameWindow_, kTabControlId);
    ASSERT_NE(tabs_, nullptr);
    SendMessageW(tabs_, TCM_SETCURSEL, kArpTab, 0);
    NMHDR selection{tabs_, kTabControlId, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(frameWindow_, WM_NOTIFY, kTabControlId, reinterpret_cast<LPARAM>(&selection));
    ASSERT_TRUE(IsWindowVisible(ArpPage()));
    Pump();
}

void ArpPageFrame::TearDown() {
    if (frame_) {
        frame_.reset();
        Module::Process().RemoveMessageLoop();
    }
    WindowTest::TearDown();
}

void ArpPageFrame::Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT && !frame_->PreTranslateMessage(&message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

HWND ArpPageFrame::PageWindow(int tab) const {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    SendMessageW(tabs_, TCM_GETITEMW, tab, reinterpret_cast<LPARAM>(&item));
    return reinterpret_cast<HWND>(item.lParam);
}

std::vector<std::u16string> ArpPageFrame::ListTexts() const {
    const HWND list = Item(IDC_ARP_LIST);
    std::vector<std::u16string> texts;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        WCHAR text[64]{};
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        texts.emplace_back(text);
    }
    return texts;
}

std::vector<std::u16string> ArpPageFrame::ComboTexts() const {
    const HWND combo = Item(IDC_ADAPTER_COMBO);
    std::vector<std::u16string> texts;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int item = 0; item < count; ++item) {
        WCHAR text[256]{};
        SendMessageW(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
        texts.emplace_back(text);
    }
    return texts;
}

int ArpPageFrame::ComboSelection() const {
    return static_cast<int>(SendMessageW(Item(IDC_ADAPTER_COMBO), CB_GETCURSEL, 0, 0));
}

std::u16string ArpPageFrame::Details() const {
    return WindowText(Item(IDC_ARP_DETAILS));
}

void ArpPageFrame::TapRow(int row) {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    ASSERT_TRUE(
        SendMessageW(Item(IDC_ARP_LIST), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect)));
    TapAt(Item(IDC_ARP_LIST), {rect.left + 2, (rect.top + rect.bottom) / 2});
}

void ArpPageFrame::TapLink() {
    RECT rect{};
    GetClientRect(Item(IDC_REFRESH_LIST), &rect);
    TapAt(Item(IDC_REFRESH_LIST), {rect.right / 2, rect.bottom / 2});
}

void ArpPageFrame::TapAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    PostTap(client);
    Pump();
}

void ArpPageFrame::ChooseAdapter(int item) {
    const HWND combo = Item(IDC_ADAPTER_COMBO);
    SendMessageW(combo, CB_SETCURSEL, item, 0);
    SendMessageW(ArpPage(), WM_COMMAND, MAKEWPARAM(IDC_ADAPTER_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

}  // namespace tessalink::test
