#include "common/AdapterCombo.h"

void AdapterCombo::Fill(const AdapterSnapshot& snapshot) {
    // Only the number is read across the refill: the old records may be gone already.
    const std::optional<DWORD> reselect = currentInterfaceIndex_;
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    LRESULT selection = 0;
    for (int position = 0; position < snapshot.AdapterCount(); ++position) {
        AdapterRecord* record = snapshot.AdapterAt(position);
        const LPCWSTR name = record->displayName[0] ? record->displayName : record->adapterName;
        const LRESULT item = SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        if (item < 0) {
            continue;
        }
        SendMessageW(combo_, CB_SETITEMDATA, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(record));
        if (reselect && record->interfaceIndex == *reselect) {
            selection = item;
        }
    }
    SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
    TakeSelection();
}

void AdapterCombo::TakeSelection() {
    current_ = ItemRecord(SendMessageW(combo_, CB_GETCURSEL, 0, 0));
    currentInterfaceIndex_ =
        current_ ? std::optional<DWORD>(current_->interfaceIndex) : std::nullopt;
}

void AdapterCombo::Follow(LPARAM record) {
    const LRESULT count = SendMessageW(combo_, CB_GETCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item) {
        if (reinterpret_cast<LPARAM>(ItemRecord(item)) == record) {
            SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
            break;
        }
    }
    TakeSelection();
}

AdapterRecord* AdapterCombo::ItemRecord(LRESULT item) const {
    if (item == CB_ERR) {
        return nullptr;
    }
    // An item whose data was never set carries 0, which is no record either.
    const LRESULT data = SendMessageW(combo_, CB_GETITEMDATA, static_cast<WPARAM>(item), 0);
    return data == CB_ERR ? nullptr : reinterpret_cast<AdapterRecord*>(data);
}
