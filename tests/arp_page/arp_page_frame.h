// The program's main frame made in-process with the ARP tab chosen, and what a test
// reads from and does to the ARP page: the combo, the list, the details, taps.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/MainFrame.h"
#include "user/window_test.h"

namespace tessalink::test {

class ArpPageFrame : public WindowTest {
  protected:
    static void SetUpTestSuite();

    // Takes the adapter snapshot and makes the frame, as start-up does, on whatever
    // network is installed: the ARP table is read with the frame.
    void StartFrame();
    void TearDown() override;

    // Handles the queued messages as the program's loop does.
    void Pump();

    HWND Frame() const { return frameWindow_; }
    HWND PageWindow(int tab) const;
    HWND ArpPage() const { return PageWindow(kArpTab); }
    HWND Item(int id) const { return GetDlgItem(ArpPage(), id); }

    std::vector<std::u16string> ListTexts() const;
    std::vector<std::u16string> ComboTexts() const;
    int ComboSelection() const;
    std::u16string Details() const;

    void TapRow(int row);
    void TapLink();
    // What the combo tells its page when the user picks another item.
    void ChooseAdapter(int item);

  private:
    static constexpr int kArpTab = 2;

    void TapAt(HWND window, POINT client);

    MessageLoop loop_;
    std::unique_ptr<MainFrame> frame_;
    HWND frameWindow_ = nullptr;
    HWND tabs_ = nullptr;
};

}  // namespace tessalink::test
