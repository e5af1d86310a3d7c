// The ARP page in the running frame, over simulated networks: what it lists for the
// chosen adapter, a tapped row's details, and the timer's refresh.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "arp/ArpPage.h"
#include "support/program_frame.h"
#include "support/scenario_stager.h"
#include "user/posted_input.h"

namespace tessalink::test {
namespace {

using nlohmann::json;

// The first adapter's rows have every type, with hardware addresses of six, eight and no
// bytes; the second adapter has none.
const json kArpAdapters = json::parse(R"({
  "adapters": [{"name": "eth0", "index": 2, "description": "Ethernet A"},
               {"name": "wlan0", "index": 3}],
  "arp": [{"interface": 2, "address": "10.0.0.1", "mac": "00-0a-95-9d-68-16", "type": "dynamic"},
          {"interface": 2, "address": "10.0.0.3", "type": 7},
          {"interface": 2, "address": "10.0.0.4", "mac": "01-02-03-04-05-06-07-08", "type": "static"},
          {"interface": 2, "address": "10.0.0.5", "type": "other"},
          {"interface": 2, "address": "10.0.0.6", "type": "invalid"}]})");

class ArpPageTest : public ProgramFrame {
  protected:
    void Start(const json& scenario = kArpAdapters) { StartFrame(scenario.dump(), kArpTab); }
    Lines Rows() const { return ListTexts(IDC_ARP_LIST); }
    std::u16string Details() const { return ItemText(IDC_ARP_DETAILS); }
    void Tick(UINT_PTR timer) const { SendMessageW(Page(), WM_TIMER, timer, 0); }
};

const Lines kEthernetArpRows = {u"10.0.0.1", u"10.0.0.3", u"10.0.0.4", u"10.0.0.5", u"10.0.0.6"};

TEST_F(ArpPageTest, ATappedRowShowsItsDetailsUntilAnotherRowIsTapped) {
    Start();
    const struct {
        const char16_t* mac;
        const char16_t* type;
    } rows[] = {{u"00-0a-95-9d-68-16", u"Dynamic"},
                {u"", u"Unknown"},
                {u"01-02-03-04-05-06-07-08", u"Static"},
                {u"", u"Other"},
                {u"", u"Invalid"}};
    for (int row = 0; row < 5; ++row) {
        TapRow(IDC_ARP_LIST, row);
        EXPECT_EQ(Details(), u"Mac Address : " + std::u16string(rows[row].mac) +
                                 u"\r\n   IP Address : " + kEthernetArpRows[row] +
                                 u"\r\n            Type : " + rows[row].type);
    }
    // The keyboard moves the selection without a tap: the details stay.
    const std::u16string shown = Details();
    SetFocus(Item(IDC_ARP_LIST));
    PostKeyPress(VK_UP);
    Pump();
    EXPECT_EQ(
        SendMessageW(Item(IDC_ARP_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED),
        3);
    EXPECT_EQ(Details(), shown);

    // An adapter without rows lists "None", which shows nothing when tapped; a refill
    // keeps the details.
    ChooseAdapter(1);
    EXPECT_EQ(Rows(), (Lines{u"None"}));
    TapRow(IDC_ARP_LIST, 0);
    EXPECT_EQ(Details(), shown);
}

TEST_F(ArpPageTest, OnlyTheRefreshTimerReReadsTheTable) {
    // The table grows between the size probe and the read: the first read fails, and
    // the next one gets every row.
    json growing = kArpAdapters;
    growing["faults"] = json::parse(R"([{"kind": "grow", "table": "arp",
        "add": [{"interface": 2, "address": "10.0.0.9", "mac": "01-02-03-04-05-06"}]}])");
    Start(growing);
    EXPECT_EQ(Rows(), (Lines{u"None"}));
    Tick(ArpPage::kRefreshTimerId + 1);
    EXPECT_EQ(Rows(), (Lines{u"None"})) << "another timer";
    Tick(ArpPage::kRefreshTimerId);
    Lines grown = kEthernetArpRows;
    grown.push_back(u"10.0.0.9");
    EXPECT_EQ(Rows(), grown);

    // An unreadable table lists none.
    growing["faults"] = json::parse(R"([{"kind": "fail", "query": "GetIpNetTable", "error": 31}])");
    StageScenario(growing.dump());
    Tick(ArpPage::kRefreshTimerId);
    EXPECT_EQ(Rows(), (Lines{u"None"}));
    EXPECT_TRUE(KillTimer(Page(), ArpPage::kRefreshTimerId)) << "the page started its timer";
}

TEST_F(ArpPageTest, WithoutAdaptersEveryRowIsListed) {
    json scenario = kArpAdapters;
    scenario.erase("adapters");
    scenario["arp"].push_back(json::parse(R"({"interface": 3, "address": "10.0.0.2"})"));
    Start(scenario);
    EXPECT_TRUE(ComboTexts().empty());
    EXPECT_EQ(ComboSelection(), CB_ERR);
    Lines all = kEthernetArpRows;
    all.insert(all.begin() + 1, u"10.0.0.2");
    EXPECT_EQ(Rows(), all);
}

}  // namespace
}  // namespace tessalink::test
