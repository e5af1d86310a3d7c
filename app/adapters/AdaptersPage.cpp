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
    adapterCombo_ = GetDlgItem(Handle(), IDC_ADAPTER_COMBO);
    settingsList_ = GetDlgItem(Handle(), IDC_SETTINGS_LIST);
    refreshLink_.AttachTo(GetDlgItem(Handle(), IDC_REFRESH_LIST));
    FillAdapterCombo();
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

void AdaptersPage::FillAdapterCombo() {
    // Only the index is read here: the records it was taken from may be gone already.
    const std::optional<DWORD> reselect = currentInterfaceIndex_;
    SendMessageW(adapterCombo_, CB_RESETCONTENT, 0, 0);
    int selection = 0;
    for (int position = 0; position < snapshot_.AdapterCount(); ++position) {
        AdapterRecord* record = snapshot_.AdapterAt(position);
        const LPCWSTR name = record->displayName[0] ? record->displayName : record->adapterName;
        const LRESULT item =
            SendMessageW(adapterCombo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        if (item != CB_ERR && item != CB_ERRSPACE) {
            SendMessageW(adapterCombo_, CB_SETITEMDATA, item, reinterpret_cast<LPARAM>(record));
        }
        if (reselect && record->interfaceIndex == *reselect) {
            selection = position;
        }
    }
    SendMessageW(adapterCombo_, CB_SETCURSEL, selection, 0);
    TakeSelectedAdapter();
}

void AdaptersPage::TakeSelectedAdapter() {
    const LRESULT selection = SendMessageW(adapterCombo_, CB_GETCURSEL, 0, 0);
    const LRESULT data =
        selection == CB_ERR ? CB_ERR : SendMessageW(adapterCombo_, CB_GETITEMDATA, selection, 0);
    if (data == CB_ERR || data == 0) {
        currentAdapter_ = nullptr;
        currentInterfaceIndex_.reset();
        return;
    }
    currentAdapter_ = reinterpret_cast<AdapterRecord*>(data);
    currentInterfaceIndex_ = currentAdapter_->interfaceIndex;
}

LRESULT AdaptersPage::OnAdaptersRefreshed(WPARAM, LPARAM) {
    FillAdapterCombo();
    ShowAdapter();
    return 0;
}

LRESULT AdaptersPage::OnAdapterSelected(WPARAM, LPARAM lParam) {
    // Compared by identity: the other page chose from the same snapshot's records.
    const LRESULT count = SendMessageW(adapterCombo_, CB_GETCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item) {
        if (SendMessageW(adapterCombo_, CB_GETITEMDATA, item, 0) == lParam) {
            SendMessageW(adapterCombo_, CB_SETCURSEL, item, 0);
            break;
        }
    }
    TakeSelectedAdapter();
    ShowAdapter();
    return 0;
}

LRESULT AdaptersPage::OnShown(WPARAM, LPARAM) {
    SHSipPreference(Handle(), SIP_FORCEDOWN);
    return 0;
}

LRESULT AdaptersPage::OnAdapterChosen(WPARAM, LPARAM) {
    TakeSelectedAdapter();
    ShowAdapter();
    // Sent, not posted, so the other pages follow before the user can act again.
    SendMessageW(GetParent(Handle()), WM_ADAPTER_SELECTED, reinterpret_cast<WPARAM>(Handle()),
                 reinterpret_cast<LPARAM>(currentAdapter_));
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
    FillAdapterCombo();
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
    if (!currentAdapter_ || !currentAdapter_->dhcpEnabled) {
        return;
    }
    // The request blocks the interface thread, up to a minute for a renew.
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    // The result is not shown: the redraw shows what the adapter now reports.
    change(snapshot_, *currentAdapter_, Sleep);
    ShowAdapter();
    SetCursor(previous);
}
