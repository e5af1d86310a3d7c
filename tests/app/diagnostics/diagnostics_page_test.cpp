// The Ping page inside the real main frame, over a simulated network: the Action
// button's choices and what they enable, the address history, ping and trace runs
// read back from the list and the tree, and Resolve in the text pane.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "SimulatedDevice.h"
#include "diagnostics_page_frame.h"
#include "user/posted_input.h"

namespace tessalink::test {
namespace {

// The title and text of the last error box the page showed.
std::pair<std::u16string, std::u16string> errorBox;

using app_test::Ipv4;
using platform::net::sim::Scenario;
using platform::net::sim::SimEchoHost;
using platform::net::sim::SimHop;

// The gateway answers at once; the server lies two routers away, the second of them
// named; 192.168.1.99 never answers.
Scenario Office() {
    Scenario scenario;
    SimEchoHost gateway;
    gateway.address = Ipv4(192, 168, 1, 1);
    gateway.rtt = 2;
    SimEchoHost server;
    server.address = Ipv4(203, 0, 113, 5);
    server.rtt = 40;
    server.route = {SimHop{Ipv4(192, 168, 1, 1), 1}, SimHop{Ipv4(10, 20, 0, 1), 9}};
    SimEchoHost silent;
    silent.address = Ipv4(192, 168, 1, 99);
    silent.rtt = std::nullopt;
    scenario.echoHosts = {gateway, server, silent};
    scenario.names.forward = {{"gateway", {Ipv4(192, 168, 1, 1)}}};
    scenario.names.reverse = {{Ipv4(10, 20, 0, 1), "core.example.net"}};
    return scenario;
}

class DiagnosticsPageTest : public DiagnosticsPageFrame {
  protected:
    void SetUp() override {
        app_test::Install(Office());
        StartPage();
    }

    void TearDown() override {
        ProgramFrameTest::TearDown();
        app_test::Uninstall();
    }

    // Served inside the error box's own loop: once the box titled "Error" is the active
    // window, reads its title and text, then closes it with Enter as the user would.
    static void CALLBACK ReadAndCloseErrorBox(HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND box = FindWindowW(nullptr, u"Error");
        if (box == nullptr || !IsWindowVisible(box) || GetActiveWindow() != box) {
            return;
        }
        KillTimer(nullptr, timer);
        WCHAR text[80]{};
        GetWindowTextW(box, text, 80);
        errorBox.first = text;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            GetWindowTextW(child, text, 80);
            if (std::u16string(text) != u"OK") {
                errorBox.second = text;
            }
        }
        PostKeyPress(VK_RETURN);
    }

    Lines History() const {
        Lines lines;
        const int count = static_cast<int>(SendMessageW(Item(IDC_ADDRESS), CB_GETCOUNT, 0, 0));
        for (int item = 0; item < count; ++item) {
            WCHAR text[160]{};
            SendMessageW(Item(IDC_ADDRESS), CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
            lines.emplace_back(text);
        }
        return lines;
    }

    std::u16string ResolveText() const {
        WCHAR text[400]{};
        GetWindowTextW(Item(IDC_RESOLVE_TEXT), text, 400);
        return text;
    }

    HWND VisibleView() const {
        for (int id : {IDC_TRACE_TREE, IDC_PING_LIST, IDC_RESOLVE_TEXT}) {
            if (IsWindowVisible(Item(id))) {
                return Item(id);
            }
        }
        return nullptr;
    }
};

TEST_F(DiagnosticsPageTest, StartsOnPingWithItsDefaultsAndTheThreeViewsOnOneSpot) {
    EXPECT_EQ(VisibleView(), Item(IDC_PING_LIST));
    RECT tree{}, list{}, text{};
    GetWindowRect(Item(IDC_TRACE_TREE), &tree);
    GetWindowRect(Item(IDC_PING_LIST), &list);
    GetWindowRect(Item(IDC_RESOLVE_TEXT), &text);
    EXPECT_TRUE(EqualRect(&tree, &list) && EqualRect(&tree, &text));
    EXPECT_EQ(SendMessageW(Item(IDC_PING_LIST), LVM_GETCOLUMNWIDTH, 0, 0),
              tree.right - tree.left - 2);
    EXPECT_EQ(SendMessageW(Item(IDC_DATA_SIZE), CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(SendMessageW(Item(IDC_DATA_SIZE), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(Item(IDC_REPETITION), CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(SendMessageW(Item(IDC_REPETITION), CB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(RunControlsEnabled(Page()));
}

TEST_F(DiagnosticsPageTest, TheChoiceEnablesDataSizeAndRepetitionAsItNeedsThem) {
    const auto enabled = [&] {
        return std::pair{IsWindowEnabled(Item(IDC_DATA_SIZE)) != FALSE,
                         IsWindowEnabled(Item(IDC_REPETITION)) != FALSE};
    };
    Choose(kTraceRt);
    EXPECT_EQ(enabled(), std::pair(true, false));
    Choose(kResolve);
    EXPECT_EQ(enabled(), std::pair(false, false));
    Choose(kPing);
    EXPECT_EQ(enabled(), std::pair(true, true));
}

TEST_F(DiagnosticsPageTest, APingRunDisablesTheControlsUntilItsEndAndListsEachReply) {
    SendMessageW(Item(IDC_DATA_SIZE), CB_SETCURSEL, 5, 0);  // 1024
    Run(u"gateway");
    const std::u16string reply = u"Ping Response - 1024 bytes in 2ms";
    EXPECT_EQ(ListLines(),
              (Lines{u"Ping Address - 192.168.1.1", reply, reply, reply, reply, u"Ping Complete"}));
    ASSERT_EQ(Progress().size(), 6u);
    for (const auto& [code, enabled] : Progress()) {
        EXPECT_FALSE(enabled) << "controls enabled while handling progress code " << code;
    }
    EXPECT_TRUE(RunControlsEnabled(Page()));

    Run(u"192.168.1.99");
    EXPECT_EQ(ListLines(),
              (Lines{u"Ping Address - 192.168.1.99", u"Ping Failed.", u"Ping Terminated"}));
    EXPECT_TRUE(RunControlsEnabled(Page()));
}

TEST_F(DiagnosticsPageTest,
       AnAddressTooLongForTheJobIsPingedInItsShortestFormAndTheBroadcastIsRefusedWhole) {
    // Octal parts with leading zeros: 19 characters for 192.168.1.1.
    Run(u"00300.00250.001.001");
    ASSERT_FALSE(ListLines().empty());
    EXPECT_EQ(ListLines().front(), u"Ping Address - 192.168.1.1");
    EXPECT_EQ(ListLines().back(), u"Ping Complete");

    // Not a dotted address by inet_addr's test, so a name the resolver turns into itself;
    // the engine's refusal then reads whole.
    Run(u"255.255.255.255");
    EXPECT_EQ(ListLines(), (Lines{u"Ping Address - 255.255.255.255",
                                  u"Invalid Host or IP Address entered", u"Ping Terminated"}));
}

TEST_F(DiagnosticsPageTest, AnUnresolvableOrOverlongAddressStartsNothingAndIsKeptInTheHistory) {
    Run(u"gateway");
    ASSERT_FALSE(ListLines().empty());
    for (const std::u16string& bad :
         {std::u16string(u"no.such.host"), std::u16string(u""), std::u16string(u"1.2.3.4.5"),
          std::u16string(u"\u00e9t\u00e9"), std::u16string(160, u'7')}) {
        errorBox = {};
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, ReadAndCloseErrorBox);
        Run(bad);
        KillTimer(nullptr, timer);
        EXPECT_EQ(errorBox.first, u"Error");
        EXPECT_EQ(errorBox.second, u"Unable to convert address to valid IP address.");
        EXPECT_TRUE(Progress().empty()) << "a worker ran";
        EXPECT_TRUE(ListLines().empty());
        EXPECT_TRUE(RunControlsEnabled(Page()));
    }
    EXPECT_EQ(History().at(1), u"no.such.host");
}

TEST_F(DiagnosticsPageTest, TheHistoryKeepsOneEntryPerAddressWhateverTheLetterCase) {
    Choose(kResolve);
    for (const char16_t* typed : {u"gateway", u"GATEWAY", u"localhost", u"Gateway"}) {
        Run(typed);
    }
    EXPECT_EQ(History(), (Lines{u"gateway", u"localhost"}));
}

TEST_F(DiagnosticsPageTest, ResolveShowsTheOtherFormInTheTextPaneAndLeavesTheListHidden) {
    Run(u"gateway");
    Choose(kResolve);
    Run(u"localhost");
    EXPECT_EQ(VisibleView(), Item(IDC_RESOLVE_TEXT));
    EXPECT_EQ(ResolveText(), u"localhost\r\n\r\nresolves to\r\n\r\n127.0.0.1");
    EXPECT_EQ(ListLines().size(), 6u) << "Resolve changed the hidden list";
    Run(u"192.0.2.9");
    EXPECT_EQ(ResolveText(), u"Failed to resolve name or address.");
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_ACTION)) && IsWindowEnabled(Item(IDC_ADDRESS)));
}

TEST_F(DiagnosticsPageTest, ATraceListsEachHopWithItsNameAndEnablesEveryControlAtItsEnd) {
    Choose(kTraceRt);
    Run(u"203.0.113.5");
    EXPECT_EQ(VisibleView(), Item(IDC_TRACE_TREE));
    EXPECT_EQ(TreeLines(),
              (Lines{u"Trace to Address - 203.0.113.5", u">> 192.168.1.1", u">> 10.20.0.1",
                     u"  core.example.net", u">> 203.0.113.5", u"TraceRt Complete"}));
    for (const auto& [code, enabled] : Progress()) {
        EXPECT_FALSE(enabled) << "controls enabled while handling progress code " << code;
    }
    // The end enables Repetition too, although a trace does not use it.
    EXPECT_TRUE(RunControlsEnabled(Page()));

    Run(u"192.168.1.99");
    EXPECT_EQ(TreeLines(), (Lines{u"Trace to Address - 192.168.1.99", u"Error : Ping Failed.",
                                  u"TraceRt Terminated"}));
}

}  // namespace
}  // namespace tessalink::test
