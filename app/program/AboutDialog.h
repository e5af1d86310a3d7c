// The About box: the program's icon and name, its maker, the version read from its own
// version resource, and when it was built. Closed with the OK button of its title bar.
#pragma once

#include <string>

#include "framework/Dialog.h"
#include "framework/MessageMap.h"
#include "resources/resource.h"

class AboutDialog : public Dialog {
  public:
    AboutDialog() : Dialog(IDD_ABOUTBOX) {}

    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_ID_HANDLER(IDOK, OnClose)
    COMMAND_ID_HANDLER(IDCANCEL, OnClose)
    END_MSG_MAP()

  private:
    LRESULT OnInitDialog(WPARAM, LPARAM);
    LRESULT OnClose(WORD id, WORD, HWND);
    // Over the owner when it is shown, else in the middle of the work area; never
    // outside the work area.
    void CenterOverOwner();

    std::u16string versionText_;
};
