#include "arp/ArpTable.h"

#include <cstddef>
#include <new>

#include "common/QueryBuffer.h"

ArpTable::ArpTable() {
    Refresh();
}

void ArpTable::Clear() {
    // The view points into the entries, so it goes first.
    viewCount_ = 0;
    entryCount_ = 0;
}

bool ArpTable::Reserve(int count) {
    if (count <= capacity_) {
        return true;
    }
    entries_.reset(new (std::nothrow) ArpEntry[count]);
    view_.reset(new (std::nothrow) const ArpEntry*[count]);
    capacity_ = entries_ != nullptr && view_ != nullptr ? count : 0;
    return capacity_ != 0;
}

bool ArpTable::Refresh() {
    Clear();
    ULONG size = 0;
    // Only the size matters here: the probe's result code says nothing more.
    GetIpNetTable(nullptr, &size, TRUE);
    if (size == 0) {
        return false;
    }
    QueryBuffer buffer;
    // A table that grew since the probe fails here; the next refresh reads again.
    if (!buffer.Allocate(size) ||
        GetIpNetTable(buffer.As<MIB_IPNETTABLE>(), &size, TRUE) != NO_ERROR) {
        return false;
    }
    const MIB_IPNETTABLE& table = *buffer.As<MIB_IPNETTABLE>();
    const LONG reported = static_cast<LONG>(table.dwNumEntries);
    if (reported <= 0) {
        return true;
    }
    // Never read rows past the buffer, whatever the header claims.
    const ULONG rowBytes =
        size > offsetof(MIB_IPNETTABLE, table) ? size - offsetof(MIB_IPNETTABLE, table) : 0;
    const LONG fitting = static_cast<LONG>(rowBytes / sizeof(MIB_IPNETROW));
    const int count = reported < fitting ? reported : fitting;
    if (!Reserve(count)) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const MIB_IPNETROW& row = table.table[i];
        // Storage reused from an earlier read starts over all-zero, as a new entry would.
        ArpEntry& entry = entries_[i] = ArpEntry{};
        entry.interfaceIndex = row.dwIndex;
        entry.ipAddress = row.dwAddr;
        entry.type = row.dwType;
        // The row holds at most MAXLEN_PHYSADDR bytes; a longer claimed length is
        // clamped so that the length never promises bytes the entry does not have.
        const DWORD length =
            row.dwPhysAddrLen < MAXLEN_PHYSADDR ? row.dwPhysAddrLen : MAXLEN_PHYSADDR;
        for (DWORD b = 0; b < length; ++b) {
            entry.physicalAddress[b] = row.bPhysAddr[b];
        }
        entry.physicalAddressLength = length;
    }
    entryCount_ = count;
    return true;
}

void ArpTable::FilterByAdapter(std::optional<DWORD> interfaceIndex) {
    if (entryCount_ == 0) {
        return;
    }
    viewCount_ = 0;
    for (int i = 0; i < entryCount_; ++i) {
        if (!interfaceIndex || entries_[i].interfaceIndex == *interfaceIndex) {
            view_[viewCount_++] = &entries_[i];
        }
    }
}

const ArpEntry* ArpTable::ViewAt(int position) const {
    if (position < 0 || position >= viewCount_) {
        return nullptr;
    }
    return view_[position];
}
