// The program's main frame made in-process with the ARP tab chosen, and what a test
// reads from and does to the ARP page beyond its adapter combo: the list, the details.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "adapters_page/page_frame.h"
#include "resources/resource.h"

namespace tessalink::test {

class ArpPageFrame : public PageFrame {
  protected:
    ArpPageFrame() : PageFrame(kArpTab) {}

    // Takes the adapter snapshot and makes the frame, as start-up does, on whatever
    // network is installed (the ARP table is read with the frame), and shows the ARP tab.
    void StartFrame();

    HWND ArpPage() const { return PageUnderTest(); }

    std::vector<std::u16string> ListTexts() const;
    std::u16string Details() const { return ItemText(IDC_ARP_DETAILS); }

    void TapRow(int row);

  private:
    static constexpr int kArpTab = 2;
};

}  // namespace tessalink::test
