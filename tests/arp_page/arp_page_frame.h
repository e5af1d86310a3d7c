// The program's main frame made in-process with the ARP tab chosen, and what a test
// reads from and does to the ARP page: the combo, the list, the details, taps.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "program/program_frame.h"

namespace tessalink::test {

class ArpPageFrame : public ProgramFrameTest {
  protected:
    // Takes the adapter snapshot and makes the frame, as start-up does, on whatever
    // network is installed (the ARP table is read with the frame), and shows the ARP tab.
    void StartFrame();

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
};

}  // namespace tessalink::test
