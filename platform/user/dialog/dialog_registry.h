// The dialogs of the process by window handle. A dialog's state lives here, not in the
// window's extra bytes: those belong to DWLP_MSGRESULT, DWLP_DLGPROC and DWLP_USER, which
// the program reads and writes. The entry goes at WM_NCDESTROY.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>

#include "user/dialog/dialog_state.h"

namespace platform::user {

class DialogRegistry {
  public:
    static DialogRegistry& Instance();

    void Add(HWND dialog, std::shared_ptr<DialogState> state);
    // Null when the window is no dialog (or no longer one).
    std::shared_ptr<DialogState> Find(HWND dialog);
    std::shared_ptr<DialogState> Remove(HWND dialog);

  private:
    std::mutex mutex_;
    std::map<HWND, std::shared_ptr<DialogState>> dialogs_;
};

}  // namespace platform::user
