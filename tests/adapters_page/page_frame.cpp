#include "adapters_page/page_frame.h"

#include "common/AdapterRecord.h"
#include "resources/resource.h"
#include "user/posted_input.h"

namespace tessalink::test {

std::u16string PageFrame::ItemText(int id) const {
    WCHAR text[256]{};
    GetDlgItemTextW(PageUnderTest(), id, text, 256);
    return text;
}

std::vector<std::u16string> PageFrame::ComboTexts() const {
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

int PageFrame::ComboSelection() const {
    return static_cast<int>(SendMessageW(Item(IDC_ADAPTER_COMBO), CB_GETCURSEL, 0, 0));
}

void PageFrame::ChooseAdapter(int item) {
    const HWND combo = Item(IDC_ADAPTER_COMBO);
    SendMessageW(combo, CB_SETCURSEL, item, 0);
    SendMessageW(PageUnderTest(), WM_COMMAND, MAKEWPARAM(IDC_ADAPTER_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void PageFrame::ChooseInterface(DWORD interfaceIndex) {
    const HWND combo = Item(IDC_ADAPTER_COMBO);
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int item = 0; item < count; ++item) {
        const auto* record =
            reinterpret_cast<const AdapterRecord*>(SendMessageW(combo, CB_GETITEMDATA, item, 0));
        if (record->interfaceIndex == interfaceIndex) {
            ChooseAdapter(item);
        }
    }
}

void PageFrame::TapItem(int id) {
    RECT rect{};
    GetClientRect(Item(id), &rect);
    TapAt(Item(id), {rect.right / 2, rect.bottom / 2});
}

void PageFrame::TapAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    PostTap(client);
    Pump();
}

}  // namespace tessalink::test
