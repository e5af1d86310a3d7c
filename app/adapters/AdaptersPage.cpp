#include "adapters/AdaptersPage.h"

#include <aygshell.h>
#include <commctrl.h>

#include "framework/Module.h"

namespace {

// The settings list's strip: 16-pixel images side by side, white where transparent.
constexpr int kSettingImageWidth = 16;
constexpr COLORREF kSettingImageMask = RGB(255, 255, 255);

// The summary's controls, from the group box to the last button: the detail view hides
// all of them and the summary shows them again.
constexpr int kFirstSummaryControl = IDC_SUMMARY_GROUP;
constexpr int kLastSummaryControl = IDC_RENEW_DHCP;

void InsertColumn(HWND list, int column, LPCWSTR header, int width) {
    LVCOLUMNW description{};
    description.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    description.fmt = LVCFMT_LEFT;
    description.cx = width;
    description.pszText = const_cast<LPWSTR>(header);
    SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&description));
}

}  // namespace

LRESULT AdaptersPage::OnInitDialog(WPARAM, LPARAM) {
    adapters_.AttachTo(GetDlgItem(Handle(), IDC_ADAPTER_COMBO));
    settingsList_ = GetDlgItem(Handle(), IDC_SETTINGS_LIST);
    refreshLink_.AttachTo(GetDlgItem(Handle(), IDC_REFRESH_LIST));
    adapters_.Fill(snapshot_);
    ShowAdapter();
    PrepareSettingsList();
    return 0;
}

void AdaptersPage::PrepareSettingsList() {
    RECT area{};
    GetWindowRect(GetDlgItem(Handle(), IDC_SUMMARY_GROUP), &area);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
    MoveWindow(settingsList_, area.left, area.top, area.right - area.left, area.bottom - area.top,
               TRUE);

    // The columns share the width less a margin for the vertical scroll bar; ShowAdapter
    // fits them to their contents once there are rows.
    const int width = (area.right - 14) - area.left;
    const int settingWidth = static_cast<int>(width * 0.5);
    InsertColumn(settingsList_, 0, u"Setting", settingWidth);
    InsertColumn(settingsList_, 1, u"Value", static_cast<int>(width - width * 0.5 - 1));

    // The list destroys its image list when it goes.
    const HIMAGELIST images =
        ImageList_LoadImageW(Module::Process().ResourceInstance(), MAKEINTRESOURCEW(IDB_SETTINGS),
                             kSettingImageWidth, 1, kSettingImageMask, IMAGE_BITMAP, 0);
    SendMessageW(settingsList_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

LRESULT AdaptersPage::OnShown(WPARAM, LPARAM) {
    SHSipPreference(Handle(), SIP_FORCEDOWN);
    return 0;
}

LRESULT AdaptersPage::OnAdapterChosen(WPARAM, LPARAM) {
    adapters_.TakeSelection();
    ShowAdapter();
    // Sent, not posted, so the other pages follow before the user can act again.
    SendMessageW(GetParent(Handle()), WM_ADAPTER_SELECTED, reinterpret_cast<WPARAM>(Handle()),
                 reinterpret_cast<LPARAM>(adapters_.Current()));
    return 0;
}

LRESULT AdaptersPage::OnViewSwitched(WPARAM, LPARAM) {
    const bool details =
        SendMessageW(GetDlgItem(Handle(), IDC_DETAIL_VIEW), BM_GETCHECK, 0, 0) == BST_CHECKED;
    ShowWindow(settingsList_, details ? SW_SHOW : SW_HIDE);
    for (int id = kFirstSummaryControl; id <= kLastSummaryControl; ++id) {
        ShowWindow(GetDlgItem(Handle(), id), details ? SW_HIDE : SW_SHOW);
    }
    ShowAdapter();
    return 0;
}

LRESULT AdaptersPage::OnRefreshList(WPARAM, LPARAM) {
    // A failed read leaves an empty snapshot, shown as no adapters; the next tap retries.
    snapshot_.ReadAdapters();
    adapters_.Fill(snapshot_);
    ShowAdapter();
    // Posted, so the other pages refill only once this one has finished.
    PostMessageW(GetParent(Handle()), WM_ADAPTERS_REFRESHED, reinterpret_cast<WPARAM>(Handle()), 0);
    return 0;
}

LRESULT AdaptersPage::OnReleaseDhcp(WPARAM, LPARAM) {
    ChangeLease(&ReleaseLease);
    return 0;
}

LRESULT AdaptersPage::OnRenewDhcp(WPARAM, LPARAM) {
    ChangeLease(&RenewLease);
    return 0;
}

void AdaptersPage::ChangeLease(bool (*change)(AdapterSnapshot&, AdapterRecord&, LeasePause)) {
    // The buttons are disabled for such adapters; this only guards a stray command.
    AdapterRecord* adapter = adapters_.Current();
    if (!adapter || !adapter->dhcpEnabled) {
        return;
    }
    // The request blocks the interface thread, up to a minute for a renew.
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    // The result is not shown: the redraw shows what the adapter now reports.
    change(snapshot_, *adapter, Sleep);
    ShowAdapter();
    SetCursor(previous);
}
