// The "Summary" page: a network adapter's addresses, DNS and DHCP state, its detail
// list, and the DHCP release and renew buttons.
#pragma once

#include "framework/MessageMap.h"
#include "resources/resource.h"
#include "shell/Page.h"

class AdaptersPage : public Page {
  public:
    AdaptersPage() : Page(IDD_ADAPTERS) {}

    // FIXME: the page's controls are filled when the adapter views are built; until then
    // it shows its template as it stands.
    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    END_MSG_MAP()

  private:
    LRESULT OnInitDialog(WPARAM, LPARAM) { return TRUE; }
};
