// The program's main frame made in-process with the Ping tab chosen, and what a test
// does to and reads from the Ping page: the Action button's menu, a typed address and
// a tap that runs the choice to its end, the list and the tree.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "diagnostics/DiagnosticsPage.h"
#include "program/program_frame.h"

namespace tessalink::test {

using Lines = std::vector<std::u16string>;

enum Choice { kPing, kTraceRt, kResolve };

class DiagnosticsPageFrame : public ProgramFrameTest {
  public:
    // Each progress code the page handled, with whether the four run controls were
    // enabled as it arrived.
    static std::vector<std::pair<WPARAM, bool>>& Progress();
    static bool RunControlsEnabled(HWND page);

  protected:
    // Makes the frame on whatever network is installed and brings the Ping page forward.
    void StartPage();

    HWND Page() const { return page_; }
    HWND Item(int id) const { return GetDlgItem(page_, id); }

    // Picks the choice from the Action button's menu: a thread timer, served inside
    // the menu's own loop, taps the item once the menu is up.
    void Choose(Choice choice);
    // Types the address and taps the Action button's text area, as the user does, then
    // handles what follows until a run's worker has sent its end message.
    void Run(const std::u16string& address);

    Lines ListLines() const;
    // The tree's items in display order, a child indented by two spaces.
    Lines TreeLines() const;

    void TapAt(HWND window, POINT client);

  private:
    static constexpr int kPingTab = 1;

    static bool Ended();
    static void CALLBACK TapChosenItem(HWND, UINT, UINT_PTR timer, DWORD);
    Lines TreeLinesFrom(HTREEITEM first, const std::u16string& indent) const;
    HTREEITEM TreeNext(UINT relation, HTREEITEM from) const;

    static inline Choice chosen_ = kPing;
    HWND page_ = nullptr;
};

}  // namespace tessalink::test
