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

std::vector<DWORD> pauses;

void CountedPause(DWORD milliseconds) {
    pauses.push_back(milliseconds);
}

// A DHCP adapter with a valid lease, whose server answers as `server` says; `more` adds
// top-level keys.
std::string Cradle(const std::string& server, const std::string& more = "") {
    return R"({"adapters": [{"name": "NE20001", "index": 2,
        "addresses": [{"address": "192.168.1.20", "mask": "255.255.255.0"}],
        "dhcp": {"server": "192.168.1.1", "leaseObtained": "2026-12-05T08:00:00Z",
                 "leaseExpires": "2036-12-06T08:00:00Z"}}],
      "dhcpServers": [{"adapter": 2, )" +
           server + "}]" + more + "}";
}

class DhcpLeaseTest : public ::testing::Test {
  protected:
    AdapterRecord& Start(const std::string& scenario) {
        pauses.clear();
        StageScenario(scenario);
        EXPECT_TRUE(snapshot_.ReadAdapters());
        return *snapshot_.AdapterAt(0);
    }
    void TearDown() override { ClearScenario(); }
    static std::u16string Address(const AdapterRecord& record) {
        return record.ipAddresses[0].address;
    }

    AdapterSnapshot snapshot_;
};

TEST_F(DhcpLeaseTest, ARenewReturnsAtTheFirstReReadThatShowsAnAddress) {
    // Even a server that never answers: the lease still held is an address.
    AdapterRecord& record = Start(Cradle(R"("answer": "never")"));
    EXPECT_TRUE(RenewLease(snapshot_, record, CountedPause));
    EXPECT_TRUE(pauses.empty());
    EXPECT_EQ(Address(record), u"192.168.1.20");
}

TEST_F(DhcpLeaseTest, ARenewThatNoServerAnswersEndsAfterAMinuteOfReReads) {
    AdapterRecord& record = Start(Cradle(R"("answer": "never")"));
    ASSERT_TRUE(ReleaseLease(snapshot_, record, CountedPause));
    EXPECT_TRUE(pauses.empty()) << "the release showed at the first re-read";
    EXPECT_FALSE(RenewLease(snapshot_, record, CountedPause));
    EXPECT_EQ(pauses, std::vector<DWORD>(120, 500));
    EXPECT_EQ(Address(record), u"0.0.0.0");
}

TEST_F(DhcpLeaseTest, AReleaseOfAnAdapterThatVanishedEndsAfterItsBoundedWait) {
    // Gone after the snapshot's two queries and the first re-read's size probe: the
    // request still finds it, but the record can no longer change, so the release
    // would wait forever without its bound.
    AdapterRecord& record =
        Start(Cradle(R"("answer": "atOnce")",
                     R"(, "faults": [{"kind": "vanish", "adapter": 2, "afterQueries": 3}])"));
    EXPECT_FALSE(ReleaseLease(snapshot_, record, CountedPause));
    EXPECT_EQ(pauses, std::vector<DWORD>(20, 500));
    EXPECT_EQ(Address(record), u"192.168.1.20");
}

TEST_F(DhcpLeaseTest, ARefusedRequestLeavesTheRecordUnread) {
    std::string scenario = Cradle(R"("answer": "atOnce")");
    scenario.replace(scenario.find(R"("dhcp": {)"), 9, R"("dhcp": {"enabled": false, )");
    AdapterRecord& record = Start(scenario);
    record.dhcpEnabled = TRUE;
    lstrcpyW(record.ipAddresses[0].address, u"10.9.9.9");
    EXPECT_FALSE(ReleaseLease(snapshot_, record, CountedPause));
    EXPECT_EQ(Address(record), u"10.9.9.9");
}

}  // namespace
}  // namespace tessalink::test
