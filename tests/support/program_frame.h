// The program's main frame made in-process as start-up makes it, from the program's own
// resources with the real controls and shell, over a staged network; and what a test
// reads from and does to the page of one tab.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program/MainFrame.h"
#include "program/MessageLoop.h"
#include "resources/resource.h"
#include "user/window_test.h"

namespace tessalink::test {

using Lines = std::vector<std::u16string>;

// A page's ASCII text as a narrow string, for reports from a test's child process.
inline std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

enum Tab { kSummaryTab, kPingTab, kArpTab };

class ProgramFrame : public WindowTest {
  protected:
    static void SetUpTestSuite();
    void TearDown() override;

    // Stages the scenario (none: the network installed stays), takes the adapter
    // snapshot on it, makes and shows the frame and brings the tab's page forward.
    void StartFrame(std::string_view scenario = {}, Tab tab = kSummaryTab);
    // Records the two adapter notifications every page receives.
    void RecordRelays() const;

    // Handles the queued messages as the program's loop does, until none is left; the
    // quit message's value when one came.
    std::optional<WPARAM> Pump();
    // What a tap on a tab tells the frame.
    void ChooseTab(Tab tab);

    HWND Frame() const { return frameWindow_; }
    HWND Tabs() const { return tabs_; }
    HWND PageWindow(int tab) const;
    HWND Page() const { return PageWindow(tab_); }
    HWND Item(int id) const { return GetDlgItem(Page(), id); }
    std::u16string ItemText(int id) const;
    Lines ComboTexts(int id = IDC_ADAPTER_COMBO) const;
    int ComboSelection() const;
    Lines ListTexts(int id, int column = 0) const;

    // What the adapter combo tells its page when the user picks another item; the
    // caller pumps when it wants what the page posted handled.
    void ChooseAdapter(int item);
    // Chooses the item whose adapter has this interface index, if any.
    void ChooseInterface(DWORD interfaceIndex);
    // Taps, handled before they return.
    void TapAt(HWND window, POINT client);
    void TapItem(int id);
    void TapRow(int listId, int row);

  private:
    MessageLoop loop_;
    std::unique_ptr<MainFrame> frame_;
    HWND frameWindow_ = nullptr;
    HWND tabs_ = nullptr;
    Tab tab_ = kSummaryTab;
};

}  // namespace tessalink::test
