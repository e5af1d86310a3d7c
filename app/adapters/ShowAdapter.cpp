// Putting the current adapter on the page: the summary's texts and DHCP buttons, or the
// settings list, whichever view the "Detail View" box chooses. Only what the snapshot
// holds is shown; nothing is queried here.
#include <commctrl.h>
#include <strsafe.h>

#include <string>

#include "adapters/AdaptersPage.h"
#include "adapters/AddSettingRow.h"
#include "adapters/FormatSiValue.h"

namespace {

// The summary's value texts, cleared together when there is no adapter to show.
constexpr int kSummaryValues[] = {IDC_MAC_ADDRESS, IDC_IP_ADDRESS,    IDC_DNS_SERVER,
                                  IDC_DHCP_SERVER, IDC_LEASE_EXPIRES, IDC_LEASE_OBTAINED};

// Entry 1 of a list takes the plain label, entry i from 2 on the numbered one, numbered
// by its place in the adapter's list rather than by the rows shown before it.
void AddListedRow(HWND list, LPCWSTR label, LPCWSTR numberedLabel, int position, LPCWSTR value,
                  int image) {
    if (position == 1) {
        AddSettingRow(list, label, value, image);
        return;
    }
    WCHAR text[kSettingTextLength] = {};
    StringCchPrintfW(text, kSettingTextLength, numberedLabel, position);
    AddSettingRow(list, text, value, image);
}

void EnableDhcpButtons(HWND page, bool enabled) {
    EnableWindow(GetDlgItem(page, IDC_RELEASE_DHCP), enabled);
    EnableWindow(GetDlgItem(page, IDC_RENEW_DHCP), enabled);
}

}  // namespace

void AdaptersPage::ShowAdapter() {
    const AdapterRecord* adapter = adapters_.Current();
    if (!adapter) {
        ShowNoAdapter();
    } else if (SendMessageW(GetDlgItem(Handle(), IDC_DETAIL_VIEW), BM_GETCHECK, 0, 0) ==
               BST_CHECKED) {
        ShowDetails(*adapter);
    } else {
        ShowSummary(*adapter);
    }
}

void AdaptersPage::ShowNoAdapter() {
    SendMessageW(settingsList_, LVM_DELETEALLITEMS, 0, 0);
    for (int id : kSummaryValues) {
        SetDlgItemTextW(Handle(), id, u"");
    }
    EnableDhcpButtons(Handle(), false);
}

void AdaptersPage::ShowSummary(const AdapterRecord& adapter) {
    const HWND page = Handle();
    SetDlgItemTextW(page, IDC_MAC_ADDRESS, adapter.macText);
    SetDlgItemTextW(page, IDC_IP_ADDRESS, adapter.ipAddresses[0].address);
    const LPCWSTR current = snapshot_.CurrentDnsServer();
    SetDlgItemTextW(page, IDC_DNS_SERVER, current[0] ? current : snapshot_.DnsServer(0));
    if (adapter.dhcpEnabled) {
        SetDlgItemTextW(page, IDC_DHCP_SERVER, adapter.dhcpServer);
        SetDlgItemTextW(page, IDC_LEASE_EXPIRES, adapter.leaseExpires);
        SetDlgItemTextW(page, IDC_LEASE_OBTAINED, adapter.leaseObtained);
    } else {
        SetDlgItemTextW(page, IDC_DHCP_SERVER, u"Disabled");
        SetDlgItemTextW(page, IDC_LEASE_EXPIRES, u"");
        SetDlgItemTextW(page, IDC_LEASE_OBTAINED, u"");
    }
    EnableDhcpButtons(page, adapter.dhcpEnabled);
}

void AdaptersPage::ShowDetails(const AdapterRecord& adapter) {
    const HWND list = settingsList_;
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);

    AddSettingRow(list, u"Host", snapshot_.HostName(), IMAGE_SETTING_HANDHELD);
    if (snapshot_.DomainName()[0]) {
        AddSettingRow(list, u"Domain", snapshot_.DomainName(), IMAGE_SETTING_NONE);
    }
    for (int i = 0; i < kAdapterAddressCount; ++i) {
        const AdapterAddress& entry = adapter.ipAddresses[i];
        if (entry.address[0]) {
            AddListedRow(list, u"IP Address", u"IP Address %d", i + 1, entry.address,
                         IMAGE_SETTING_NETWORK_LINE);
            AddListedRow(list, u"Subnet Mask", u"Subnet Mask %d", i + 1, entry.mask,
                         IMAGE_SETTING_NONE);
        }
    }
    if (adapter.dhcpEnabled) {
        AddSettingRow(list, u"DHCP Server", adapter.dhcpServer, IMAGE_SETTING_TWO_COMPUTERS);
        AddSettingRow(list, u"Lease Obtained", adapter.leaseObtained, IMAGE_SETTING_NONE);
        AddSettingRow(list, u"Lease Expires", adapter.leaseExpires, IMAGE_SETTING_NONE);
    } else {
        AddSettingRow(list, u"DHCP Server", u"Disabled", IMAGE_SETTING_TWO_COMPUTERS);
    }
    for (int i = 0; i < kAdapterGatewayCount; ++i) {
        if (adapter.gateways[i][0]) {
            AddListedRow(list, u"Gateway", u"Gateway %d", i + 1, adapter.gateways[i],
                         IMAGE_SETTING_GLOBE);
        }
    }
    for (int i = 0; i < kDnsServerCount; ++i) {
        const LPCWSTR server = snapshot_.DnsServer(i);
        if (server[0]) {
            AddListedRow(list, u"DNS Server", u"DNS Server %d", i + 1, server,
                         IMAGE_SETTING_THREE_COMPUTERS);
        }
    }
    if (adapter.hasWins && adapter.primaryWinsServer[0]) {
        AddSettingRow(list, u"Pri Wins", adapter.primaryWinsServer, IMAGE_SETTING_NONE);
    }
    if (adapter.hasWins && adapter.secondaryWinsServer[0]) {
        AddSettingRow(list, u"Sec Wins", adapter.secondaryWinsServer, IMAGE_SETTING_NONE);
    }
    const std::u16string speed =
        FormatSiValue(static_cast<double>(adapter.interfaceSpeed), u"b/s", false, 4, true);
    AddSettingRow(list, u"Interface Speed", speed.c_str(), IMAGE_SETTING_NONE);

    // The value column, the last, takes whatever width the labels leave.
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
}
