// The adapter choice the Summary and ARP pages keep in common, through the real frame:
// a choice made on one page reaches the others in tab order and never comes back, a
// choice made elsewhere is followed by the record's identity, and a refresh keeps the
// adapter by its interface index or falls back to the first.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <vector>

#include "common/AdapterSnapshot.h"
#include "support/message_log.h"
#include "support/program_frame.h"
#include "support/scenario_stager.h"

namespace tessalink::test {
namespace {

using nlohmann::json;

// Two adapters, the second named only by its adapter name; only the first has ARP rows.
const json kChoiceAdapters = json::parse(R"({
  "adapters": [
    {"name": "eth0", "index": 2, "description": "Ethernet A",
     "addresses": [{"address": "10.0.0.20", "mask": "255.255.255.0"}]},
    {"name": "wlan0", "index": 3, "addresses": [{"address": "10.0.1.30", "mask": "255.255.255.0"}]}],
  "arp": [{"interface": 2, "address": "10.0.0.1", "mac": "00-0a-95-9d-68-16"}]})");

// A page that keeps an adapter combo, and the control that shows the chosen adapter.
struct ChoicePage {
    const char* name;
    Tab tab;
    Tab other;
    int shownId;
    bool shownInList;
    std::u16string shownForFirst;
    std::u16string shownForSecond;
};

class AdapterChoiceTest : public ProgramFrame, public testing::WithParamInterface<ChoicePage> {
  protected:
    void SetUp() override {
        StartFrame(kChoiceAdapters.dump(), GetParam().tab);
        RecordRelays();
    }

    std::u16string Shown() const {
        return GetParam().shownInList ? ListTexts(GetParam().shownId).at(0)
                                      : ItemText(GetParam().shownId);
    }
    static LPARAM RecordAt(int position) {
        return reinterpret_cast<LPARAM>(AdapterSnapshot::Instance().AdapterAt(position));
    }
    // The pages that received `message`, in order; each was told `sender` sent it.
    static std::vector<HWND> Receivers(UINT message, HWND sender) {
        std::vector<HWND> receivers;
        for (const RecordedMessage& received : RecordedOf(message)) {
            EXPECT_EQ(received.wParam, reinterpret_cast<WPARAM>(sender));
            receivers.push_back(received.hwnd);
        }
        MessageLog::Instance().Clear();
        return receivers;
    }
    std::vector<HWND> PagesBut(Tab excluded) const {
        std::vector<HWND> pages{PageWindow(kSummaryTab), PageWindow(kPingTab), PageWindow(kArpTab)};
        std::erase(pages, PageWindow(excluded));
        return pages;
    }
};

TEST_P(AdapterChoiceTest, AChoiceReachesTheOtherPagesInTabOrderAndIsFollowedByIdentity) {
    ChooseAdapter(1);
    Pump();
    EXPECT_EQ(Shown(), GetParam().shownForSecond);
    for (const RecordedMessage& received : RecordedOf(WM_ADAPTER_SELECTED)) {
        EXPECT_EQ(received.lParam, RecordAt(1));
    }
    EXPECT_EQ(Receivers(WM_ADAPTER_SELECTED, Page()), PagesBut(GetParam().tab))
        << "never back to the page that chose";

    const HWND other = PageWindow(GetParam().other);
    SendMessageW(Frame(), WM_ADAPTER_SELECTED, reinterpret_cast<WPARAM>(other), RecordAt(0));
    EXPECT_EQ(ComboSelection(), 0);
    EXPECT_EQ(Shown(), GetParam().shownForFirst);
    EXPECT_EQ(Receivers(WM_ADAPTER_SELECTED, other), PagesBut(GetParam().other));
    // A copy of the second record is not the record: the selection stays.
    AdapterRecord copy = *AdapterSnapshot::Instance().AdapterAt(1);
    SendMessageW(Frame(), WM_ADAPTER_SELECTED, reinterpret_cast<WPARAM>(other),
                 reinterpret_cast<LPARAM>(&copy));
    EXPECT_EQ(ComboSelection(), 0);
}

TEST_P(AdapterChoiceTest, ARefreshKeepsTheAdapterByItsIndexOrFallsBackToTheFirst) {
    ChooseAdapter(1);
    Pump();
    MessageLog::Instance().Clear();
    // The chosen adapter moves to the end behind a new one.
    json moved = kChoiceAdapters;
    moved["adapters"].insert(moved["adapters"].begin() + 1,
                             json{{"name", "usb0"}, {"index", 7}, {"description", "USB link"}});
    StageScenario(moved.dump());
    TapItem(IDC_REFRESH_LIST);
    EXPECT_EQ(ComboTexts(), (Lines{u"Ethernet A", u"USB link", u"wlan0"}));
    EXPECT_EQ(ComboSelection(), 2);
    EXPECT_EQ(Shown(), GetParam().shownForSecond);
    EXPECT_EQ(Receivers(WM_ADAPTERS_REFRESHED, Page()), PagesBut(GetParam().tab))
        << "posted to the frame, relayed to the other pages";

    // Another page retook the snapshot without the chosen adapter: the first is chosen.
    json gone = kChoiceAdapters;
    gone["adapters"].erase(1);
    StageScenario(gone.dump());
    AdapterSnapshot::Instance().ReadAdapters();
    PostMessageW(Frame(), WM_ADAPTERS_REFRESHED,
                 reinterpret_cast<WPARAM>(PageWindow(GetParam().other)), 0);
    Pump();
    EXPECT_EQ(ComboTexts(), (Lines{u"Ethernet A"}));
    EXPECT_EQ(ComboSelection(), 0);
    EXPECT_EQ(Shown(), GetParam().shownForFirst);
}

INSTANTIATE_TEST_SUITE_P(Pages, AdapterChoiceTest,
                         testing::Values(ChoicePage{"Summary", kSummaryTab, kArpTab, IDC_IP_ADDRESS,
                                                    false, u"10.0.0.20", u"10.0.1.30"},
                                         ChoicePage{"Arp", kArpTab, kSummaryTab, IDC_ARP_LIST, true,
                                                    u"10.0.0.1", u"None"}),
                         [](const testing::TestParamInfo<ChoicePage>& test) {
                             return test.param.name;
                         });

}  // namespace
}  // namespace tessalink::test
