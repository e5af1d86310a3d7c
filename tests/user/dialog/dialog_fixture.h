// What the dialog tests share: recording test controls that answer WM_GETDLGCODE as the
// system's controls do, a trace of the messages that matter to a dialog as readable lines
// ("edit WM_SETFOCUS", "dlg WM_COMMAND 1 0"), and a fixture that makes dialogs in a frame
// and destroys them after. Controls are named in the trace by the ids of dialogs.rc.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/message_log.h"
#include "user/window_test.h"

namespace tessalink::test {

// The trace lines so far, emptying the trace.
std::vector<std::string> TakeTrace();
// Traces its messages as "dlg ..." and answers WM_INITDIALOG with the answer last given to
// SetInitDialogAnswer (TRUE at the start of each test).
INT_PTR CALLBACK RecordingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void SetInitDialogAnswer(INT_PTR answer);
// Like a program's loop: each message goes through IsDialogMessageW first.
void PumpDialog(HWND dialog);

class DialogTest : public WindowTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A plain visible top-level window to hold child dialogs or own modal ones.
    HWND CreateFrame() { return Create(kParentClass, WS_VISIBLE); }
    HWND CreatePage(HWND parent, int templateId = 100, DLGPROC procedure = RecordingDialogProc);
    HWND CreateIndirect(HWND parent, LPCDLGTEMPLATEW dialogTemplate);
};

}  // namespace tessalink::test
