#include "arp/ArpPage.h"

#include <strsafe.h>

#include <string>

#include "arp/ArpTexts.h"
#include "arp/ArpTypeName.h"
#include "common/AdapterSnapshot.h"
#include "common/IpAddressText.h"

namespace {

// The longest details text: eight address bytes ("xx-" each, less one), a dotted
// address, the longest type word and the format's own 53 characters come to 99.
constexpr int kDetailsLength = 128;

void AppendRow(HWND list, int position, LPWSTR text, const ArpEntry* entry) {
    // Text, image and entry go in with the one insertion: a refill of thousands of rows
    // runs on every tick, and a second message per row would only repeat the lookup.
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = position;
    item.pszText = text;
    item.iImage = 0;
    item.lParam = reinterpret_cast<LPARAM>(entry);
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

LRESULT ArpPage::OnInitDialog(WPARAM, LPARAM) {
    adapters_.AttachTo(GetDlgItem(Handle(), IDC_ADAPTER_COMBO));
    list_ = GetDlgItem(Handle(), IDC_ARP_LIST);
    // Should the link refuse to attach, the static still reports a tap with the same
    // code, since it has the notify style; it only keeps its plain look.
    refreshLink_.AttachTo(GetDlgItem(Handle(), IDC_REFRESH_LIST));

    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    // Every fill sets the width again to span the list; this is only a start.
    column.cx = 10;
    column.pszText = const_cast<LPWSTR>(u"Parameter");
    column.iSubItem = 0;
    SendMessageW(list_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));

    adapters_.Fill(AdapterSnapshot::Instance());
    FillArpList();
    SetTimer(Handle(), kRefreshTimerId, kRefreshPeriodMs, nullptr);
    // The page leaves the focus where the dialog manager puts it.
    return 0;
}

LRESULT ArpPage::OnRefreshTimer(WPARAM, LPARAM) {
    table_.Refresh();
    FillArpList();
    return 0;
}

LRESULT ArpPage::OnAdapterCombo(WORD, WORD code, HWND) {
    if (code != CBN_SELCHANGE) {
        return 0;
    }
    adapters_.TakeSelection();
    // Sent, not posted: the other pages follow before this list is refilled.
    SendMessageW(GetParent(Handle()), WM_ADAPTER_SELECTED, reinterpret_cast<WPARAM>(Handle()),
                 reinterpret_cast<LPARAM>(adapters_.Current()));
    FillArpList();
    return 0;
}

LRESULT ArpPage::OnRefreshList(WORD, WORD code, HWND) {
    if (code != LinkLabel::kTapped) {
        return 0;
    }
    AdapterSnapshot::Instance().ReadAdapters();
    table_.Refresh();
    adapters_.Fill(AdapterSnapshot::Instance());
    FillArpList();
    // Posted: the other pages refill from the new snapshot once this page is done.
    PostMessageW(GetParent(Handle()), WM_ADAPTERS_REFRESHED, reinterpret_cast<WPARAM>(Handle()), 0);
    return 0;
}

LRESULT ArpPage::OnListClick(int, UINT, NMHDR*) {
    const LRESULT selected =
        SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (selected < 0) {
        return 0;
    }
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(selected);
    if (!SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) || !item.lParam) {
        // The "None" row: the details keep what they showed.
        return 0;
    }
    const auto& entry = *reinterpret_cast<const ArpEntry*>(item.lParam);
    const std::u16string physical = PhysicalAddressText(entry);
    WCHAR address[kAddressTextLength]{};
    IpAddressToText(entry.ipAddress, address, kAddressTextLength);
    WCHAR details[kDetailsLength]{};
    StringCchPrintfW(details, kDetailsLength,
                     u"Mac Address : %s\r\n   IP Address : %s\r\n            Type : %s",
                     physical.c_str(), address, ArpTypeName(entry.type));
    SetDlgItemTextW(Handle(), IDC_ARP_DETAILS, details);
    return 0;
}

void ArpPage::FillArpList() {
    table_.FilterByAdapter(adapters_.CurrentInterfaceIndex());
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    if (table_.ViewCount() == 0) {
        WCHAR none[] = u"None";
        AppendRow(list_, 0, none, nullptr);
    }
    for (int position = 0; position < table_.ViewCount(); ++position) {
        const ArpEntry* entry = table_.ViewAt(position);
        WCHAR address[kAddressTextLength]{};
        IpAddressToText(entry->ipAddress, address, kAddressTextLength);
        AppendRow(list_, position, address, entry);
    }
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
}
