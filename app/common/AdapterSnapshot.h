// The program's one copy of what the IP Helper library reports about the adapters and
// the host's network parameters. Pages show only what it holds; a record reference is
// valid until the next ReadAdapters, so a page keeps an interface index across refreshes.
#pragma once

#include <iphlpapi.h>
#include <windows.h>

#include "common/AdapterRecord.h"
#include "common/LeaseTime.h"

constexpr int kHostTextLength = 150;
constexpr int kDnsServerCount = 3;

class AdapterSnapshot {
  public:
    // The process-wide snapshot that start-up fills and the pages share.
    static AdapterSnapshot& Instance();

    AdapterSnapshot() = default;
    AdapterSnapshot(const AdapterSnapshot&) = delete;
    AdapterSnapshot& operator=(const AdapterSnapshot&) = delete;
    virtual ~AdapterSnapshot();

    // Drops every record and takes the adapters and host parameters anew. False when
    // the adapter query failed; the list is then empty.
    bool ReadAdapters();
    // Re-reads one adapter in place, found by its interface index. True also when the
    // adapter has gone (the record is then unchanged); host parameters are not re-read.
    bool UpdateAdapter(AdapterRecord& record);

    int AdapterCount() const;
    // nullptr for a negative position or one beyond the list.
    AdapterRecord* AdapterAt(int position) const;

    LPCWSTR HostName() const { return hostName_; }
    LPCWSTR DomainName() const { return domainName_; }
    // Empty when the host names no current DNS server.
    LPCWSTR CurrentDnsServer() const { return currentDnsServer_; }
    // The first three configured DNS servers in list order; empty beyond the list.
    // nullptr for a position outside 0 to kDnsServerCount - 1.
    LPCWSTR DnsServer(int position) const;

  private:
    void ReleaseRecords();
    void BuildAdapterRecord(AdapterRecord& record, const IP_ADAPTER_INFO& info);
    void ReadNetworkParams();

    WCHAR hostName_[kHostTextLength] = {};
    WCHAR domainName_[kHostTextLength] = {};
    WCHAR currentDnsServer_[kAddressTextLength] = {};
    WCHAR dnsServers_[kDnsServerCount][kAddressTextLength] = {};
    AdapterRecord* head_ = nullptr;
    // Zone and epoch are fetched once for the snapshot's life, which is the run's.
    LeaseTime leaseTime_;
};
