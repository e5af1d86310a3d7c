// What the dialog tests watch: the messages that matter to a dialog (fonts, focus,
// commands, button styles, selections, initialisation), recorded as readable lines such
// as "edit WM_SETFOCUS" or "dlg WM_COMMAND 1 0", with the recording test controls that
// answer WM_GETDLGCODE as the system's controls do.
//
// Windows are named by control id through Name(); the dialog records itself as "dlg"
// from the test's dialog procedure.
#pragma once

#include <windows.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace tessalink::test {

// Push button (BS_PUSHBUTTON or BS_DEFPUSHBUTTON in the low bits) or check box (0x3);
// BM_SETSTYLE, BM_SETCHECK and BM_GETCHECK work.
inline constexpr const WCHAR* kTestButton = u"TestButton";
// Wants characters and arrows, selects all on EM_SETSEL.
inline constexpr const WCHAR* kTestEdit = u"TestEdit";
inline constexpr const WCHAR* kTestStatic = u"TestStatic";
// Wants Tab as well, like a multi-line edit.
inline constexpr const WCHAR* kTestTabEdit = u"TestTabEdit";

class DialogTrace {
  public:
    static DialogTrace& Instance();

    void Name(int id, std::string name);
    void Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void RecordDialog(UINT message, WPARAM wParam, LPARAM lParam);
    // The lines so far, emptying the trace.
    std::vector<std::string> Take();
    void Clear();

  private:
    std::string Line(const std::string& who, UINT message, WPARAM wParam) const;

    std::mutex mutex_;
    std::map<int, std::string> names_;
    std::vector<std::string> lines_;
};

void RegisterTestControls();
// A dialog procedure that records its messages and answers WM_INITDIALOG with the value
// last given to SetInitDialogAnswer (TRUE unless told).
INT_PTR CALLBACK RecordingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void SetInitDialogAnswer(INT_PTR answer);
// Like a program's loop: each message goes through IsDialogMessageW first.
void PumpDialog(HWND dialog);

}  // namespace tessalink::test
