// The Ping page inside the real main frame, over a simulated network: the Action
// button's choices and what they enable, the address history, ping and trace runs read
// back from the list and the tree with the echoes they sent, and Resolve in the text pane.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/diagnostics_page_frame.h"
#include "support/scenario_stager.h"
#include "user/posted_input.h"

namespace tessalink::test {
namespace {

using nlohmann::json;

// The text of the last error box the page showed.
std::u16string errorBoxText;

// The gateway answers at once and falls silent after four echoes; the server lies two
// routers away, the second of them named; 203.0.113.7 is behind a router that answers
// twice in a row, 203.0.113.8 behind a silent one, 192.168.100.200 behind forty.
json Office() {
    json far = json::array();
    for (int hop = 1; hop <= 40; ++hop) {
        far.push_back("10.1." + std::to_string(hop) + ".1");
    }
    json office = json::parse(R"({
      "hosts": [{"address": "192.168.1.1", "rtt": 2, "answers": 4},
                {"address": "203.0.113.5", "rtt": 40, "route": ["192.168.1.1", "10.20.0.1"]},
                {"address": "203.0.113.7", "route": ["192.168.1.1", "10.20.0.1", "10.20.0.1"]},
                {"address": "203.0.113.8", "route": ["192.168.1.1", null, "10.20.0.1"]}],
      "names": {"gateway": "192.168.1.1"},
      "reverseNames": {"10.20.0.1": "core.example.net"}})");
    office["hosts"].push_back({{"address", "192.168.100.200"}, {"route", far}});
    return office;
}

class DiagnosticsPageTest : public DiagnosticsPageFrame {
  protected:
    void SetUp() override { StartPage(Office().dump()); }

    // Served inside the error box's own loop: once the box titled "Error" is the active
    // window, reads its text, then closes it with Enter as the user would.
    static void CALLBACK ReadAndCloseErrorBox(HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND box = FindWindowW(nullptr, u"Error");
        if (box == nullptr || !IsWindowVisible(box) || GetActiveWindow() != box) {
            return;
        }
        KillTimer(nullptr, timer);
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            WCHAR text[80]{};
            GetWindowTextW(child, text, 80);
            if (std::u16string(text) != u"OK") {
                errorBoxText = text;
            }
        }
        PostKeyPress(VK_RETURN);
    }

    HWND VisibleView() const {
        for (int id : {IDC_TRACE_TREE, IDC_PING_LIST, IDC_RESOLVE_TEXT}) {
            if (IsWindowVisible(Item(id))) {
                return Item(id);
            }
        }
        return nullptr;
    }

    // The times-to-live of the echoes sent, 0 for one without options.
    static std::vector<int> SentTimesToLive() {
        std::vector<int> ttls;
        for (const auto& echo : SentEchoes()) {
            ttls.push_back(echo.ttl.value_or(0));
        }
        return ttls;
    }
};

TEST_F(DiagnosticsPageTest, StartsOnPingAndEachChoiceEnablesTheSettingsItNeeds) {
    // The three views share one spot; the list's column fills it less the border.
    EXPECT_EQ(VisibleView(), Item(IDC_PING_LIST));
    RECT tree{}, list{}, text{};
    GetWindowRect(Item(IDC_TRACE_TREE), &tree);
    GetWindowRect(Item(IDC_PING_LIST), &list);
    GetWindowRect(Item(IDC_RESOLVE_TEXT), &text);
    EXPECT_TRUE(EqualRect(&tree, &list) && EqualRect(&tree, &text));
    EXPECT_EQ(SendMessageW(Item(IDC_PING_LIST), LVM_GETCOLUMNWIDTH, 0, 0),
              tree.right - tree.left - 2);
    const struct {
        Choice choice;
        bool dataSize, repetition;
    } choices[] = {{kTraceRt, true, false}, {kResolve, false, false}, {kPing, true, true}};
    for (const auto& [choice, dataSize, repetition] : choices) {
        Choose(choice);
        EXPECT_EQ(IsWindowEnabled(Item(IDC_DATA_SIZE)) != FALSE, dataSize) << choice;
        EXPECT_EQ(IsWindowEnabled(Item(IDC_REPETITION)) != FALSE, repetition) << choice;
    }
}

TEST_F(DiagnosticsPageTest, APingRunListsEachReplyAndEndsAtTheFirstFailedEcho) {
    SendMessageW(Item(IDC_DATA_SIZE), CB_SETCURSEL, 5, 0);  // 1024
    Run(u"gateway");
    const std::u16string reply = u"Ping Response - 1024 bytes in 2ms";
    EXPECT_EQ(ListLines(),
              (Lines{u"Ping Address - 192.168.1.1", reply, reply, reply, reply, u"Ping Complete"}));
    ASSERT_EQ(SentEchoes().size(), 4u);
    EXPECT_EQ(SentEchoes()[0].dataSize, 1024u);
    EXPECT_TRUE(SentEchoes()[0].dataAllZero);
    EXPECT_EQ(SentTimesToLive(), std::vector<int>(4, 0)) << "no options";

    // Eight echoes asked of a host that answers four: the fifth fails and ends the run.
    StageScenario(Office().dump());
    SendMessageW(Item(IDC_REPETITION), CB_SETCURSEL, 3, 0);
    Run(u"192.168.1.1");
    EXPECT_EQ(ListLines(), (Lines{u"Ping Address - 192.168.1.1", reply, reply, reply, reply,
                                  u"Ping Failed.", u"Ping Terminated"}));
    EXPECT_EQ(SentEchoes().size(), 5u);
}

TEST_F(DiagnosticsPageTest, AnAddressTooLongForTheJobIsPingedInItsShortestForm) {
    // Octal parts with leading zeros: 16 characters for 203.0.113.5.
    Run(u"203.0.0161.00005");
    ASSERT_FALSE(ListLines().empty());
    EXPECT_EQ(ListLines().front(), u"Ping Address - 203.0.113.5");
    EXPECT_EQ(ListLines().back(), u"Ping Complete");
    // Not a dotted address by inet_addr's test, so a name the resolver turns into itself;
    // the engine's refusal then reads whole.
    Run(u"255.255.255.255");
    EXPECT_EQ(ListLines(), (Lines{u"Ping Address - 255.255.255.255",
                                  u"Invalid Host or IP Address entered", u"Ping Terminated"}));
}

TEST_F(DiagnosticsPageTest, AnUnresolvableOrOverlongAddressStartsNothingAndIsKeptInTheHistory) {
    Run(u"gateway");
    for (const std::u16string& bad :
         {std::u16string(u"no.such.host"), std::u16string(u""), std::u16string(160, u'7')}) {
        errorBoxText.clear();
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, ReadAndCloseErrorBox);
        Run(bad);
        KillTimer(nullptr, timer);
        EXPECT_EQ(errorBoxText, u"Unable to convert address to valid IP address.");
        EXPECT_TRUE(Progress().empty()) << "a worker ran";
        EXPECT_TRUE(RunControlsEnabled());
    }
    EXPECT_EQ(ComboTexts(IDC_ADDRESS).at(1), u"no.such.host");
}

TEST_F(DiagnosticsPageTest, AnEchoServiceThatCannotStartEndsTheRunSayingSo) {
    json refusing = Office();
    refusing["faults"] =
        json::parse(R"([{"kind": "fail", "query": "IcmpCreateFile", "error": 5}])");
    StageScenario(refusing.dump());
    Run(u"gateway");
    EXPECT_EQ(ListLines(), (Lines{u"Ping Address - 192.168.1.1", u"Unable to create handle.",
                                  u"Ping Terminated"}));
}

TEST_F(DiagnosticsPageTest, ResolveShowsTheOtherFormAndTheHistoryKeepsEachAddressOnce) {
    Run(u"gateway");
    Choose(kResolve);
    Run(u"localhost");
    EXPECT_EQ(VisibleView(), Item(IDC_RESOLVE_TEXT));
    EXPECT_EQ(ItemText(IDC_RESOLVE_TEXT), u"localhost\r\n\r\nresolves to\r\n\r\n127.0.0.1");
    Run(u"192.0.2.9");
    EXPECT_EQ(ItemText(IDC_RESOLVE_TEXT), u"Failed to resolve name or address.");
    Run(u"GATEWAY");
    EXPECT_EQ(ComboTexts(IDC_ADDRESS), (Lines{u"gateway", u"localhost", u"192.0.2.9"}));
}

TEST_F(DiagnosticsPageTest, ATraceListsEachHopUntilTheDestinationARepeatOrASilentHop) {
    Choose(kTraceRt);
    SendMessageW(Item(IDC_DATA_SIZE), CB_SETCURSEL, 0, 0);  // 16
    Run(u"203.0.113.5");
    EXPECT_EQ(VisibleView(), Item(IDC_TRACE_TREE));
    EXPECT_EQ(TreeLines(),
              (Lines{u"Trace to Address - 203.0.113.5", u">> 192.168.1.1", u">> 10.20.0.1",
                     u"  core.example.net", u">> 203.0.113.5", u"TraceRt Complete"}));
    EXPECT_EQ(SentTimesToLive(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(SentEchoes()[0].dataSize, 16u);

    // A router answering twice in a row completes the trace.
    Run(u"203.0.113.7");
    EXPECT_EQ(TreeLines(), (Lines{u"Trace to Address - 203.0.113.7", u">> 192.168.1.1",
                                  u">> 10.20.0.1", u"  core.example.net", u">> 10.20.0.1",
                                  u"  core.example.net", u"TraceRt Complete"}));
    StageScenario(Office().dump());
    Run(u"203.0.113.8");
    EXPECT_EQ(TreeLines(), (Lines{u"Trace to Address - 203.0.113.8", u">> 192.168.1.1",
                                  u"Error : Ping Failed.", u"TraceRt Terminated"}));
    EXPECT_EQ(SentTimesToLive(), (std::vector<int>{1, 2}));
}

TEST_F(DiagnosticsPageTest, ATraceEndsWhenEveryRecordHoldsAHop) {
    Choose(kTraceRt);
    Run(u"192.168.100.200");
    const Lines lines = TreeLines();
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(lines[0], u"Trace to Address - 192.168.100.200") << "a 15-character address whole";
    EXPECT_EQ(Lines(lines.begin() + 30, lines.end()),
              (Lines{u">> 10.1.30.1", u"Error : Destination not reached in 30 hops",
                     u"TraceRt Terminated"}));
    EXPECT_EQ(SentTimesToLive().size(), 30u);
}

}  // namespace
}  // namespace tessalink::test
