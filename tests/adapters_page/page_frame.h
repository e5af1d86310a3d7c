// The program's main frame made in-process, and what a test reads from and does to one
// of its pages that keep an adapter combo: its controls' texts, the combo, taps.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "program/program_frame.h"

namespace tessalink::test {

class PageFrame : public ProgramFrameTest {
  protected:
    explicit PageFrame(int tab) : tab_(tab) {}

    HWND PageUnderTest() const { return PageWindow(tab_); }
    HWND Item(int id) const { return GetDlgItem(PageUnderTest(), id); }
    std::u16string ItemText(int id) const;

    std::vector<std::u16string> ComboTexts() const;
    int ComboSelection() const;
    // What the combo tells its page when the user picks another item; the caller
    // pumps when it wants what the page posted handled.
    void ChooseAdapter(int item);
    // Chooses the item whose adapter has this interface index, if any.
    void ChooseInterface(DWORD interfaceIndex);

    // A tap on the middle of a control, handled before it returns.
    void TapItem(int id);
    void TapAt(HWND window, POINT client);

  private:
    const int tab_;
};

}  // namespace tessalink::test
