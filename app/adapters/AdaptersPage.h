// The "Summary" page: a network adapter's addresses, DNS and DHCP state, its detail
// list, and the DHCP release and renew buttons.
#pragma once

#include "adapters/DhcpLease.h"
#include "common/AdapterChoicePage.h"
#include "common/AdapterSnapshot.h"
#include "controls/LinkLabel.h"
#include "framework/MessageMap.h"
#include "resources/resource.h"

class AdaptersPage : public AdapterChoicePage {
  public:
    AdaptersPage() : AdapterChoicePage(IDD_ADAPTERS) {}

    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER_IF(WM_SHOWWINDOW, wParam == TRUE, OnShown)
    MESSAGE_HANDLER_IF(WM_COMMAND, wParam == MAKEWPARAM(IDC_ADAPTER_COMBO, CBN_SELCHANGE),
                       OnAdapterChosen)
    MESSAGE_HANDLER_IF(WM_COMMAND, wParam == MAKEWPARAM(IDC_DETAIL_VIEW, BN_CLICKED),
                       OnViewSwitched)
    MESSAGE_HANDLER_IF(WM_COMMAND, wParam == MAKEWPARAM(IDC_REFRESH_LIST, LinkLabel::kTapped),
                       OnRefreshList)
    MESSAGE_HANDLER_IF(WM_COMMAND, wParam == MAKEWPARAM(IDC_RELEASE_DHCP, BN_CLICKED),
                       OnReleaseDhcp)
    MESSAGE_HANDLER_IF(WM_COMMAND, wParam == MAKEWPARAM(IDC_RENEW_DHCP, BN_CLICKED), OnRenewDhcp)
    CHAIN_MSG_MAP(AdapterChoicePage)
    END_MSG_MAP()

  private:
    LRESULT OnInitDialog(WPARAM, LPARAM);
    LRESULT OnShown(WPARAM, LPARAM);
    LRESULT OnAdapterChosen(WPARAM, LPARAM);
    LRESULT OnViewSwitched(WPARAM, LPARAM);
    LRESULT OnRefreshList(WPARAM, LPARAM);
    LRESULT OnReleaseDhcp(WPARAM, LPARAM);
    LRESULT OnRenewDhcp(WPARAM, LPARAM);

    // Lays the settings list over the summary's group box and gives it its two columns
    // and its image strip.
    void PrepareSettingsList();
    void ShowCurrentAdapter() override { ShowAdapter(); }
    // Puts the current adapter in whichever view the "Detail View" box chooses.
    void ShowAdapter();
    void ShowSummary(const AdapterRecord& adapter);
    void ShowDetails(const AdapterRecord& adapter);
    void ShowNoAdapter();
    // Runs a release or renew on the current adapter under the wait cursor, then redraws.
    void ChangeLease(bool (*change)(AdapterSnapshot&, AdapterRecord&, LeasePause));

    AdapterSnapshot& snapshot_ = AdapterSnapshot::Instance();
    HWND settingsList_ = nullptr;
    LinkLabel refreshLink_;
};
