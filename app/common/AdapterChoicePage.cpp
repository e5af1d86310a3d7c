#include "common/AdapterChoicePage.h"

LRESULT AdapterChoicePage::OnAdaptersRefreshed(WPARAM, LPARAM) {
    adapters_.Fill(AdapterSnapshot::Instance());
    ShowCurrentAdapter();
    return 0;
}

LRESULT AdapterChoicePage::OnAdapterSelected(WPARAM, LPARAM record) {
    adapters_.Follow(record);
    ShowCurrentAdapter();
    return 0;
}
