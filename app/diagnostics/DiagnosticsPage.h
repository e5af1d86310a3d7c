// The "Ping" page: an address with its history, the Action button that pings, traces
// the route to or resolves it, and the list, tree and text that show the results.
#pragma once

#include "framework/MessageMap.h"
#include "resources/resource.h"
#include "shell/Page.h"

class DiagnosticsPage : public Page {
  public:
    DiagnosticsPage() : Page(IDD_DIAGNOSTICS) {}

    // FIXME: the page's actions come with the diagnostics engine; until then it shows its
    // template as it stands.
    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    END_MSG_MAP()

  private:
    LRESULT OnInitDialog(WPARAM, LPARAM) { return TRUE; }
};
