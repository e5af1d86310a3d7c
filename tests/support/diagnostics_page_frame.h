// The program's main frame with the Ping tab chosen, and what a test does to and reads
// from the Ping page: the Action button's menu, a typed address and a tap that runs the
// choice to its end, the progress the page handled, the tree.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/DiagnosticsProgress.h"
#include "support/message_log.h"
#include "support/program_frame.h"

namespace tessalink::test {

enum Choice { kPing, kTraceRt, kResolve };

class DiagnosticsPageFrame : public ProgramFrame {
  protected:
    void StartPage(std::string_view scenario = {});

    // Picks the choice from the Action button's menu: a thread timer, served inside
    // the menu's own loop, taps the item once the menu is up.
    void Choose(Choice choice);
    // Types the address and taps the Action button's text area, as the user does, then
    // handles what follows until a run's worker has sent its end message. Every
    // progress message must come while the run controls are disabled, and the end must
    // enable them again.
    void Run(const std::u16string& address);

    // The progress messages the page handled in the last run, each with lParam TRUE if
    // the four run controls were enabled as it arrived.
    static std::vector<RecordedMessage> Progress() { return RecordedOf(WM_DIAG_PROGRESS); }
    bool RunControlsEnabled() const;
    Lines ListLines() const { return ListTexts(IDC_PING_LIST); }
    // The tree's items in display order, a child indented by two spaces, as the
    // automation dump lists them.
    Lines TreeLines() const;

  private:
    static void CALLBACK TapChosenItem(HWND, UINT, UINT_PTR timer, DWORD);

    static inline Choice chosen_ = kPing;
};

}  // namespace tessalink::test
