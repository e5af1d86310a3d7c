#include "arp_page_frame.h"

#include <commctrl.h>

#include "user/posted_input.h"

namespace tessalink::test {

namespace {

std::u16string WindowText(HWND window) {
    WCHAR text[256]{};
    GetWindowTextW(window, text, 256);
    return text;
}

}  // namespace

void ArpPageFrame::StartFrame() {
    ProgramFrameTest::StartFrame();
    ChooseTab(kArpTab);
    ASSERT_TRUE(IsWindowVisible(ArpPage()));
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
