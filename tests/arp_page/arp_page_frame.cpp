#include "arp_page_frame.h"

#include <commctrl.h>

#include "resources/resource.h"

namespace tessalink::test {

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

void ArpPageFrame::TapRow(int row) {
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    ASSERT_TRUE(
        SendMessageW(Item(IDC_ARP_LIST), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect)));
    TapAt(Item(IDC_ARP_LIST), {rect.left + 2, (rect.top + rect.bottom) / 2});
}

}  // namespace tessalink::test
