// The "ARP" page: the addresses in the ARP table for the chosen adapter, refreshed every
// five seconds, with a tapped row's details. It keeps the same adapter list and chosen
// adapter as the other pages through the frame's relayed notifications.
#pragma once

#include <commctrl.h>
#include <windows.h>

#include "arp/ArpTable.h"
#include "common/AdapterChoicePage.h"
#include "controls/LinkLabel.h"
#include "framework/MessageMap.h"
#include "resources/resource.h"

class ArpPage : public AdapterChoicePage {
  public:
    // Re-reads the table and refills the list; it runs from the page's creation to its
    // end, shown or hidden, so the list is current whenever the tab is chosen.
    static constexpr UINT_PTR kRefreshTimerId = 1000;
    static constexpr UINT kRefreshPeriodMs = 5000;

    // The table is read here, with the frame, before any window exists.
    ArpPage() : AdapterChoicePage(IDD_ARP) {}

    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER_IF(WM_TIMER, wParam == kRefreshTimerId, OnRefreshTimer)
    COMMAND_ID_HANDLER(IDC_ADAPTER_COMBO, OnAdapterCombo)
    COMMAND_ID_HANDLER(IDC_REFRESH_LIST, OnRefreshList)
    NOTIFY_HANDLER(IDC_ARP_LIST, NM_CLICK, OnListClick)
    CHAIN_MSG_MAP(AdapterChoicePage)
    END_MSG_MAP()

  private:
    LRESULT OnInitDialog(WPARAM, LPARAM);
    LRESULT OnRefreshTimer(WPARAM, LPARAM);
    LRESULT OnAdapterCombo(WORD, WORD code, HWND);
    LRESULT OnRefreshList(WORD, WORD code, HWND);
    LRESULT OnListClick(int, UINT, NMHDR*);

    void ShowCurrentAdapter() override { FillArpList(); }
    // Lists the current adapter's rows of the table, or "None".
    void FillArpList();

    HWND list_ = nullptr;
    LinkLabel refreshLink_;
    ArpTable table_;
};
