// The "ARP" page: the addresses in the ARP table for the chosen adapter, refreshed every
// five seconds, with a tapped row's details.
#pragma once

#include "arp/ArpTable.h"
#include "framework/MessageMap.h"
#include "resources/resource.h"
#include "shell/Page.h"

class ArpPage : public Page {
  public:
    // The table is read here, with the frame, before any window exists.
    ArpPage() : Page(IDD_ARP) {}

    // FIXME: the list and the details are filled when the ARP views are built; until then
    // the page shows its template as it stands.
    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    END_MSG_MAP()

  private:
    LRESULT OnInitDialog(WPARAM, LPARAM) { return TRUE; }

    ArpTable table_;
};
