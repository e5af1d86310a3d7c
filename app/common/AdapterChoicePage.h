// A page that shows one adapter, chosen in its adapter combo, and keeps the same
// adapter list and choice as the other such pages: it follows the notifications the
// frame relays when another page refilled its list from a new snapshot or chose an
// adapter. A page chains this map after its own rows.
#pragma once

#include <windows.h>

#include "common/AdapterCombo.h"
#include "framework/MessageMap.h"
#include "framework/Page.h"
#include "framework/PageMessages.h"

class AdapterChoicePage : public Page {
  public:
    using Page::Page;

    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_ADAPTERS_REFRESHED, OnAdaptersRefreshed)
    MESSAGE_HANDLER_IF(WM_ADAPTER_SELECTED, lParam != 0, OnAdapterSelected)
    END_MSG_MAP()

  protected:
    // Puts the current adapter on the page, in whatever view the page has of it.
    virtual void ShowCurrentAdapter() = 0;

    AdapterCombo adapters_;

  private:
    LRESULT OnAdaptersRefreshed(WPARAM, LPARAM);
    LRESULT OnAdapterSelected(WPARAM, LPARAM record);
};
