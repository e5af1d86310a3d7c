// A dialog as a C++ object, made from a dialog template of the program's resources.
// The dialog is bound to its object from its first message on, so the map sees
// WM_SETFONT and WM_INITDIALOG; whatever the map leaves gets the dialog manager's
// default handling. The program's dialogs take no initialisation parameter (it is 0):
// the object waits for its dialog in a slot of the creating thread instead. Every dialog runs under
// one procedure, which sets the dialog up for the Pocket PC screen once its WM_INITDIALOG has been
// handled: full screen, input panel down, OK button in the title bar.
#pragma once

#include <windows.h>

#include "framework/MessageTarget.h"

class Dialog : public MessageTarget {
  public:
    explicit Dialog(WORD templateId) : MessageTarget(DWLP_USER), templateId_(templateId) {}

    // A modeless dialog, as a child page or an owned window. nullptr when the template
    // is missing or creation failed.
    HWND Create(HWND parent);
    // Runs the dialog modally; EndDialog's result, or -1 when it could not be made.
    INT_PTR DoModal(HWND owner);

    static INT_PTR CALLBACK CommonDialogProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam);

  protected:
    LRESULT Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool handled,
                   LRESULT result) override;

  private:
    // The template as stored in the program's resources, or nullptr.
    LPCDLGTEMPLATEW FindTemplate() const;

    WORD templateId_ = 0;
};
