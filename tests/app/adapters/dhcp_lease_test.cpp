// The waits of release and renew, which the Summary page would spend in real time: the
// pause between re-reads is the test's own, so a minute of them costs nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/DhcpLease.h"
#include "common/AdapterSnapshot.h"
#include "support/scenario_stager.h"

namespace tessalink::test {
namespace {

std::vector<DWORD> leasePauses;
constexpr LeasePause CountedLeasePause = [](DWORD milliseconds) {
    leasePauses.push_back(milliseconds);
};

class DhcpLeaseTest : public ::testing::Test {
  protected:
    void TearDown() override { ClearScenario(); }
    // A DHCP adapter with a valid lease, whose server answers as `server` says; `more`
    // adds to the adapter's "dhcp" and to the top level.
    AdapterRecord& Start(const std::string& server, const std::string& dhcp = "",
                         const std::string& more = "") {
        StageScenario(R"({"adapters": [{"name": "NE20001", "index": 2,
            "addresses": [{"address": "192.168.1.20", "mask": "255.255.255.0"}],
            "dhcp": {)" +
                      dhcp + R"("server": "192.168.1.1", "leaseExpires": "2036-12-06T08:00:00Z"}}],
            "dhcpServers": [{"adapter": 2, "answer": ")" +
                      server + "\"}]" + more + "}");
        EXPECT_TRUE(snapshot_.ReadAdapters());
        leasePauses.clear();
        return *snapshot_.AdapterAt(0);
    }
    static std::u16string Address(const AdapterRecord& record) {
        return record.ipAddresses[0].address;
    }

    AdapterSnapshot snapshot_;
};

TEST_F(DhcpLeaseTest, ARenewEndsAtTheFirstReReadThatShowsAnAddressOrAfterAMinute) {
    // Even a server that never answers: the lease still held is an address.
    AdapterRecord& record = Start("never");
    EXPECT_TRUE(RenewLease(snapshot_, record, CountedLeasePause));
    EXPECT_TRUE(leasePauses.empty());

    ASSERT_TRUE(ReleaseLease(snapshot_, record, CountedLeasePause));
    EXPECT_TRUE(leasePauses.empty()) << "the release showed at the first re-read";
    EXPECT_FALSE(RenewLease(snapshot_, record, CountedLeasePause));
    EXPECT_EQ(leasePauses, std::vector<DWORD>(120, 500));
    EXPECT_EQ(Address(record), u"0.0.0.0");
}

TEST_F(DhcpLeaseTest, AReleaseOfAnAdapterThatVanishedEndsAfterItsBoundedWait) {
    // Gone after the snapshot's two queries and the first re-read's size probe: the
    // request still finds it, but the record can no longer change, so the release
    // would wait forever without its bound.
    AdapterRecord& record =
        Start("atOnce", "", R"(, "faults": [{"kind": "vanish", "adapter": 2, "afterQueries": 3}])");
    EXPECT_FALSE(ReleaseLease(snapshot_, record, CountedLeasePause));
    EXPECT_EQ(leasePauses, std::vector<DWORD>(20, 500));
    EXPECT_EQ(Address(record), u"192.168.1.20");
}

TEST_F(DhcpLeaseTest, ARefusedRequestLeavesTheRecordUnread) {
    AdapterRecord& record = Start("atOnce", R"("enabled": false, )");
    record.dhcpEnabled = TRUE;
    lstrcpyW(record.ipAddresses[0].address, u"10.9.9.9");
    EXPECT_FALSE(ReleaseLease(snapshot_, record, CountedLeasePause));
    EXPECT_EQ(Address(record), u"10.9.9.9");
}

}  // namespace
}  // namespace tessalink::test
